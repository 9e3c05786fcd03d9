#include "MainFrame.h"

#include <commctrl.h>


#include "CommandStrings.h"
#include "Dialog.h"
#include "Dpi.h"
#include "GdiHelpers.h"
#include "DocumentFileDialogs.h"
#include "HelpLibrary.h"
#include "RecentFileRegistry.h"
#include "ToolbarResource.h"
#include "resource.h"

const char MainFrame::kClassName[] = "VantrelFrame";
const char MainFrame::kHelpFileName[] = "Vantrel.chm";

namespace {

const UINT kMenuBarId = 0xE81A;
const UINT kRebarId = 0xE81C;
// Band ids; the toolbars' bands carry the toolbars' own ids.
const UINT kMenuBarBand = 1;
const UINT kToolbarBand = ID_VIEW_TOOLBAR;
const UINT kPreviewToolbarBand = IDR_PREVIEW_TOOLBAR;
const UINT kHtmlHelpDisplayToc = 1;
const char kClosingCaption[] = "Pim";
const char kRecentFilesText[] = "Recent &Files";
// The recovery copies come every two minutes: a tick every ten seconds is
// fine enough.
const UINT kRecoveryTickMs = 10000;
// Posted when the program becomes active, to look at the document's file
// once the activation is over rather than in the middle of it.
const UINT kCheckDocumentFileMessage = WM_APP + 0x21;

HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageA(ModuleInstance(), MAKEINTRESOURCEA(IDR_MAIN_FRAME),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

MainFrame::MainFrame(MessageLoop& loop, DocumentFileChooser& chooser, HelpLibrary& help,
                     std::string programDirectory)
    : loop_(loop),
      help_(help),
      programDirectory_(std::move(programDirectory)),
      recentFiles_(SameFilePath),
      life_(document_, recentFiles_, chooser),
      exchange_(document_, EditorHelp{&help, programDirectory_, kHelpFileName}),
      vcard_(document_, EditorHelp{&help, programDirectory_, kHelpFileName}),
      ical_(document_, EditorHelp{&help, programDirectory_, kHelpFileName}),
      recovery_(document_),
      dayView_(document_),
      dayViewKeys_([this] { return dayView_.Handle(); }) {
    printing_.OpenDefaultPrinter();
}

MainFrame::~MainFrame() {
    if (keysRegistered_) {
        loop_.RemoveKeyHandler(&menuBar_);
        loop_.RemoveKeyHandler(acceleratorKeys_.get());
        loop_.RemoveKeyHandler(&dayViewKeys_);
        loop_.RemoveIdleHandler(idleHandler_);
    }
    // While the bars still exist, so that the window's last messages find
    // everything they may touch.
    if (Handle() && IsWindow(Handle())) DestroyWindow(Handle());
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

bool MainFrame::Create() {
    WindowClass frameClass;
    frameClass.name = kClassName;
    frameClass.style = CS_DBLCLKS;
    frameClass.icon = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
    frameClass.smallIcon = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
    frameClass.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterWindowClass(frameClass)) return false;

    HMENU menu = LoadMenuA(ModuleInstance(), MAKEINTRESOURCEA(IDR_MAIN_FRAME));
    accelerators_ = LoadAcceleratorsA(ModuleInstance(), MAKEINTRESOURCEA(IDR_MAIN_FRAME));
    const std::string caption = LoadResourceString(IDS_MAIN_CAPTION);
    HWND window = Window::Create(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, kClassName, caption.c_str(),
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu);
    return window != nullptr;
}

bool MainFrame::CreateToolbar(Toolbar& toolbar, UINT resourceId, UINT windowId, bool visible) {
    std::vector<UINT> buttons;
    if (!LoadToolbarButtons(resourceId, buttons)) return false;
    HBITMAP strip = LoadBitmapA(ModuleInstance(), MAKEINTRESOURCEA(resourceId));
    if (!strip) return false;
    const bool created = toolbar.Create(Handle(), windowId, strip, buttons, visible);
    DeleteObject(strip);
    return created;
}

// Runs while the window is being created (WM_CREATE).
bool MainFrame::CreateChildren() {
    HWND frame = Handle();
    // The menu moves from the window into the menu bar, which owns it then.
    HMENU menu = GetMenu(frame);
    SetMenu(frame, nullptr);
    if (!menuBar_.Create(frame, menu, kMenuBarId)) return false;

    if (!CreateToolbar(toolbar_, IDR_MAIN_FRAME, ID_VIEW_TOOLBAR, true)) return false;
    if (!CreateToolbar(previewToolbar_, IDR_PREVIEW_TOOLBAR, IDR_PREVIEW_TOOLBAR, false))
        return false;
    LoadToolbarImages(WindowDpi(frame));
    menuImages_.Apply(menuBar_.Menu(), toolbar_.Handle());

    if (!rebar_.Create(frame, kRebarId)) return false;
    rebar_.AddBand(menuBar_.Handle(), kMenuBarBand, menuBar_.IdealSize(), false, false, true);
    rebar_.AddBand(toolbar_.Handle(), kToolbarBand, toolbar_.IdealSize(), true, false, true);
    rebar_.AddBand(previewToolbar_.Handle(), kPreviewToolbarBand, previewToolbar_.IdealSize(),
                   true, true, false);

    if (!statusBar_.Create(frame, ID_VIEW_STATUS_BAR, LoadResourceString(IDS_READY)))
        return false;

    if (HMENU recentPopup = FindPopupByText(menuBar_.Menu(), kRecentFilesText)) {
        recentMenu_.Attach(recentPopup);
    }
    LoadRecentFiles(recentFiles_);
    RebuildRecentMenu();
    life_.SetFrame(frame);
    exchange_.SetFrame(frame);
    vcard_.SetFrame(frame);
    ical_.SetFrame(frame);
    life_.SetRecentFilesChanged([this] { RebuildRecentMenu(); });
    life_.SetStatusText([this](const std::string& text) { statusBar_.ShowText(text); });
    // The chosen report's copies, its sender and an open preview belong to
    // the old document: none of them may be printed with the new one.
    life_.SetDocumentReplaced([this] {
        printing_.ForgetDocument();
        dayView_.ForgetReports();
    });
    printing_.SetFrame(frame, {[this](const std::string& text) { statusBar_.ShowText(text); },
                               [this](bool open) { ShowPreviewMode(open); },
                               [this](const std::string& zoom) { statusBar_.ShowSideText(zoom); }});

    dayView_.SetHelp(&help_, programDirectory_, kHelpFileName);
    if (!dayView_.Create(frame)) return false;
    document_.AttachView(&dayView_);
    StartRecovery();

    commandTargets_.AddMenu(menuBar_.Menu());
    commandTargets_.AddToolbar(toolbar_.Handle());
    commandTargets_.AddToolbar(previewToolbar_.Handle());
    acceleratorKeys_ = std::make_unique<AcceleratorKeys>(frame, accelerators_);
    // The menu bar's menu mode sees keys first, then the accelerators, then
    // the form's navigation.
    loop_.AddKeyHandler(&menuBar_);
    loop_.AddKeyHandler(acceleratorKeys_.get());
    loop_.AddKeyHandler(&dayViewKeys_);
    idleHandler_ = loop_.AddIdleHandler([this] {
        UpdateCommandStates();
        UpdateShutdownBlockReason();
    });
    keysRegistered_ = true;

    FitToDayView();
    life_.SetTitle(life_.DocumentName());
    DragAcceptFiles(frame, TRUE);
    return true;
}

// The client area becomes the form at its dialog size plus the bars; that
// outer size is the smallest the frame may be made.
void MainFrame::FitToDayView() {
    RECT form = {};
    GetWindowRect(dayView_.Handle(), &form);
    const int formWidth = form.right - form.left;
    const int formHeight = form.bottom - form.top;
    MoveWindow(rebar_.Handle(), 0, 0, formWidth, rebar_.Height(), FALSE);
    statusBar_.Reposition();

    RECT outer = {0, 0, formWidth, rebar_.Height() + formHeight + statusBar_.Height()};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    minimumSize_ = {outer.right - outer.left, outer.bottom - outer.top};
    SetWindowPos(Handle(), nullptr, 0, 0, minimumSize_.cx, minimumSize_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
}

void MainFrame::Layout() {
    RECT client = {};
    GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    MoveWindow(rebar_.Handle(), 0, 0, width, rebar_.Height(), TRUE);
    const int top = rebar_.Height();
    int bottom = client.bottom;
    if (statusBarVisible_) {
        statusBar_.Reposition();
        bottom -= statusBar_.Height();
    }
    if (HWND content = ClientWindow())
        MoveWindow(content, 0, top, width, bottom > top ? bottom - top : 0, TRUE);
}

HWND MainFrame::ClientWindow() const {
    if (HWND preview = printing_.PreviewWindow()) return preview;
    return dayView_.Handle();
}

CommandSnapshot MainFrame::Snapshot() const {
    CommandSnapshot snapshot;
    snapshot.modified = document_.IsModified();
    snapshot.hasTasks = !document_.tasks.empty();
    snapshot.hasPersons = !document_.persons.empty();
    snapshot.hasAppointments = !document_.appointments.empty();
    snapshot.toolbarVisible = toolbarVisible_;
    snapshot.statusBarVisible = statusBarVisible_;
    snapshot.recentFileCount = static_cast<int>(recentFiles_.size());
    snapshot.reportKind = dayView_.Reports().kind;
    snapshot.taskSelected = dayView_.TaskSelected();
    snapshot.personSelected = dayView_.PersonSelected();
    snapshot.appointmentSelected = dayView_.AppointmentSelected();
    snapshot.previewHasNextPage = printing_.PreviewHasNextPage();
    snapshot.previewHasPreviousPage = printing_.PreviewHasPreviousPage();
    return snapshot;
}

void MainFrame::UpdateCommandStates() {
    const CommandSnapshot snapshot = Snapshot();
    commandTargets_.Apply([&snapshot](UINT id) { return CommandStateFor(id, snapshot); });
}

void MainFrame::RebuildRecentMenu() {
    if (recentMenu_.Popup()) recentMenu_.Update(recentFiles_.Entries());
}

LRESULT MainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return CreateChildren() ? 0 : -1;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) Layout();
        return 0;
    case WM_GETMINMAXINFO:
        if (minimumSize_.cx > 0) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = minimumSize_.cx;
            info->ptMinTrackSize.y = minimumSize_.cy;
        }
        return 0;
    case WM_SETFOCUS:
        if (HWND content = ClientWindow()) {
            SetFocus(content);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        // The form covers the whole client area between the bars.
        if (dayView_.Handle()) return 1;
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Toolbar::AnswerTooltip(header, LoadResourceString)) return 0;
        if (rebar_.IsHeightChange(header)) {
            Layout();
            return 0;
        }
        break;
    }
    case WM_INITMENUPOPUP: {
        // The popup shows the states as they are now, not as at the last idle.
        const CommandSnapshot snapshot = Snapshot();
        ApplyCommandStatesToMenu(reinterpret_cast<HMENU>(wParam),
                                 [&snapshot](UINT id) { return CommandStateFor(id, snapshot); });
        return 0;
    }
    case WM_MENUSELECT:
        statusBar_.ShowPrompt(
            MenuPromptId(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)));
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU && menuBar_.OnKeyMenu(lParam)) return 0;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) menuBar_.LeaveMenuMode();
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_ACTIVATEAPP:
        if (wParam) PostMessageA(Handle(), kCheckDocumentFileMessage, 0, 0);
        break;
    case kCheckDocumentFileMessage:
        life_.OfferToReloadChangedFile();
        return 0;
    case WM_TIMER:
        if (wParam != kRecoveryTimer) break;
        // A dialog of ours disables the frame while it is open.
        recovery_.OnTick(!IsWindowEnabled(Handle()));
        return 0;
    case WM_QUERYENDSESSION:
        // Windows may end the program without waiting for the answer below:
        // the changes go into the recovery copy first.
        recovery_.WriteNowIfPending();
        // Logging off or shutting down asks as closing does: Cancel, or a
        // save that failed, keeps the session from ending.
        return life_.AskToSave(kClosingCaption) ? TRUE : FALSE;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(1);
        return 0;
    }
    return DefaultProcessing(message, wParam, lParam);
}

void MainFrame::OnCommand(UINT id) {
    // A key runs a command only when its menu item would: a greyed command
    // does nothing, whatever reached it.
    if (!CommandStateFor(id, Snapshot()).enabled) return;
    if (id >= ID_FILE_RECENT_FIRST && id <= ID_FILE_RECENT_LAST) {
        const size_t position = id - ID_FILE_RECENT_FIRST;
        if (position < recentFiles_.size()) life_.OpenRecent(position);
        return;
    }
    switch (id) {
    case ID_FILE_NEW:
        life_.New();
        return;
    case ID_FILE_OPEN:
        life_.Open();
        return;
    case ID_FILE_SAVE:
        life_.Save();
        return;
    case ID_FILE_SAVE_AS:
        life_.SaveAs();
        return;
    case ID_FILE_COMPACT:
        life_.Compact();
        return;
    case ID_APP_EXIT:
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
        return;
    case ID_VIEW_TOOLBAR:
        ToggleToolbar();
        return;
    case ID_VIEW_STATUS_BAR:
        ToggleStatusBar();
        return;
    case ID_HELP_TOPICS:
        ShowHelpTopics();
        return;
    case ID_APP_ABOUT:
        ShowAbout();
        return;
    case ID_EXPORT_TASKS:
    case ID_EXPORT_PHONE_BOOK:
    case ID_EXPORT_APPOINTMENTS:
    case ID_IMPORT_TASKS:
    case ID_IMPORT_PHONE_BOOK:
    case ID_IMPORT_APPOINTMENTS:
        exchange_.Run(id);
        return;
    case ID_IMPORT_VCARD:
    case ID_EXPORT_VCARD:
        vcard_.Run(id);
        return;
    case ID_IMPORT_ICALENDAR:
    case ID_EXPORT_ICALENDAR:
        ical_.Run(id);
        return;
    case ID_FILE_PAGE_SETUP:
        printing_.PageSetup();
        return;
    case ID_FILE_PRINT:
        printing_.Print(dayView_.Reports());
        return;
    case ID_FILE_PRINT_PREVIEW:
        printing_.TogglePreview(dayView_.Reports());
        return;
    case ID_PREVIEW_CLOSE:
        printing_.ClosePreview();
        return;
    case ID_PREVIEW_NEXT_PAGE:
        printing_.NextPage();
        return;
    case ID_PREVIEW_PREVIOUS_PAGE:
        printing_.PreviousPage();
        return;
    case ID_REPORT_FONT:
        printing_.ChooseReportFont();
        return;
    default:
        // The day view carries out the record commands and the rest.
        if (dayView_.Handle()) SendMessageA(dayView_.Handle(), WM_COMMAND, id, 0);
        return;
    }
}

void MainFrame::ToggleToolbar() {
    toolbarVisible_ = !toolbarVisible_;
    // The preview's toolbar stands in for it while the preview is open.
    rebar_.ShowBand(kToolbarBand, toolbarVisible_ && !printing_.PreviewOpen());
    UpdateCommandStates();
    Layout();
}

void MainFrame::ToggleStatusBar() {
    // The bar's own visibility, whether or not the frame is shown.
    statusBarVisible_ = !(GetWindowLongPtrA(statusBar_.Handle(), GWL_STYLE) & WS_VISIBLE);
    ShowWindow(statusBar_.Handle(), statusBarVisible_ ? SW_SHOW : SW_HIDE);
    UpdateCommandStates();
    Layout();
}

// The preview takes the day view's place and the preview toolbar the main
// toolbar's band; leaving gives both back and says "Ready" again.
void MainFrame::ShowPreviewMode(bool open) {
    rebar_.ShowBand(kToolbarBand, toolbarVisible_ && !open);
    rebar_.ShowBand(kPreviewToolbarBand, open);
    ShowWindow(dayView_.Handle(), open ? SW_HIDE : SW_SHOW);
    if (!open) statusBar_.ShowIdle();
    UpdateCommandStates();
    Layout();
    SetFocus(ClientWindow());
}

void MainFrame::ShowHelpTopics() {
    const std::string topic =
        programDirectory_ + "\\" + kHelpFileName + "::/html/Introduction.htm>mainwin";
    help_.Show(Handle(), topic.c_str(), kHtmlHelpDisplayToc, 0);
}

void MainFrame::ShowAbout() {
    Dialog about(IDD_ABOUT);
    about.DoModal(Handle());
}

void MainFrame::OnClose() {
    if (life_.AskToSave(kClosingCaption)) DestroyWindow(Handle());
}

void MainFrame::UpdateShutdownBlockReason() {
    // Windows Vista and later; looked up so that the program still starts
    // where it is missing.
    using CreateReason = BOOL(WINAPI*)(HWND, LPCWSTR);
    using DestroyReason = BOOL(WINAPI*)(HWND);
    static const HMODULE user32 = GetModuleHandleA("user32.dll");
    static const auto createReason =
        user32 ? reinterpret_cast<CreateReason>(
                     reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonCreate")))
               : nullptr;
    static const auto destroyReason =
        user32 ? reinterpret_cast<DestroyReason>(
                     reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonDestroy")))
               : nullptr;

    std::wstring reason;
    if (document_.IsModified()) {
        const std::string text = "Unsaved changes in " + life_.DocumentName();
        const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        if (length > 0) {
            reason.resize(static_cast<size_t>(length));
            MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &reason[0], length);
            reason.resize(static_cast<size_t>(length - 1));
        }
    }
    if (reason == shutdownReason_) return;
    if (reason.empty()) {
        if (destroyReason) destroyReason(Handle());
    } else if (createReason) {
        createReason(Handle(), reason.c_str());  // replaces an earlier reason
    }
    shutdownReason_ = reason;
}

void MainFrame::StartRecovery() {
    recovery_.Start();
    life_.SetChangesSettled([this] { recovery_.OnChangesSettled(); });
    SetTimer(Handle(), kRecoveryTimer, kRecoveryTickMs, nullptr);
}

void MainFrame::OfferRecoveryCopies() {
    // The copy becomes the open document, modified and under its own path,
    // so that Save writes where the user expects; the recent list changes
    // only when it is saved under a name.
    recovery_.OfferLeftovers(Handle(), [this](const std::string& copy, const std::string& path) {
        if (!life_.OpenFrom(copy)) return false;
        document_.SetPath(path);
        document_.SetModified(true, true);
        life_.SetTitle(life_.DocumentName());
        return true;
    });
}

void MainFrame::OpenStartDocument(const StartRequest& request) {
    if (request.usage && request.complaint.empty())
        MessageBoxA(Handle(), StartUsageText().c_str(), "Vantrel!", MB_OK | MB_ICONINFORMATION);
    if (!request.complaint.empty())
        MessageBoxA(Handle(), request.complaint.c_str(), "Vantrel!", MB_OK | MB_ICONWARNING);
    if (!request.complaint.empty() || request.document.empty()) return;
    // A file too large for memory must not end the program before it shows.
    try {
        life_.OpenNamed(FullDocumentPath(request.document));
    } catch (...) {
        MessageBoxA(Handle(), "Error loading file.", "Vantrel", MB_OK | MB_ICONERROR);
    }
}

void MainFrame::OnDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    std::string unusable;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        DragQueryFileW(drop, i, &name[0], static_cast<UINT>(name.size()));
        std::string spelled;
        paths.push_back(AnsiFileName(name.c_str(), spelled));
        if (paths.back().empty()) unusable = spelled;
    }
    // Explorer waits for nothing: the drop is let go before any question.
    DragFinish(drop);
    // The user is looking at the window the file went to.
    SetForegroundWindow(Handle());
    const DropVerdict verdict = JudgeDroppedFiles(paths, [](const std::string& path) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    });
    if (paths.size() == 1 && !unusable.empty())
        MessageBoxA(Handle(), UnusableNameText(unusable).c_str(), "Vantrel!", MB_OK | MB_ICONWARNING);
    else if (!verdict.complaint.empty())
        MessageBoxA(Handle(), verdict.complaint.c_str(), "Vantrel!", MB_OK | MB_ICONWARNING);
    else
        life_.OpenNamed(verdict.document);
}

void MainFrame::LoadToolbarImages(int dpi) {
    toolbar_.LoadImages({IDR_MAIN_FRAME, IDB_MAIN_TOOLBAR_150, IDB_MAIN_TOOLBAR_200}, dpi);
    previewToolbar_.LoadImages(
        {IDR_PREVIEW_TOOLBAR, IDB_PREVIEW_TOOLBAR_150, IDB_PREVIEW_TOOLBAR_200}, dpi);
}

// Only with per-monitor awareness, when the window reaches a screen of
// another scale. The system has rescaled the dialogs' controls and fonts;
// what the program draws itself is made again at the new size.
void MainFrame::OnDpiChanged(int dpi, const RECT& suggested) {
    RECT window = {};
    GetWindowRect(Handle(), &window);
    LoadToolbarImages(dpi);
    menuImages_.Apply(menuBar_.Menu(), toolbar_.Handle());
    rebar_.FitBand(kMenuBarBand, menuBar_.IdealSize());
    rebar_.FitBand(kToolbarBand, toolbar_.IdealSize());
    rebar_.FitBand(kPreviewToolbarBand, previewToolbar_.IdealSize());
    dayView_.ApplyDpi(dpi);
    // The smallest size grows with the window the system suggests.
    const int oldWidth = window.right - window.left;
    const int oldHeight = window.bottom - window.top;
    if (oldWidth > 0 && oldHeight > 0) {
        minimumSize_.cx = MulDiv(minimumSize_.cx, suggested.right - suggested.left, oldWidth);
        minimumSize_.cy = MulDiv(minimumSize_.cy, suggested.bottom - suggested.top, oldHeight);
    }
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
}
