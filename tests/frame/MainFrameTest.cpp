// The main window, created as the program creates it and driven through its
// messages: command states after idle, the recent-file menu, closing, the
// minimum size, the bars, the keyboard and help.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "DocumentFile.h"
#include "DocumentFileDialogs.h"
#include "DocumentFiles.h"
#include "HelpLibrary.h"
#include "MainFrame.h"
#include "MessageBoxCatcher.h"
#include "MessageLoop.h"
#include "PrivateUserRegistry.h"
#include "RecentFileRegistry.h"
#include "resource.h"

namespace {

// Answers the Open and Save As dialogs from a queue; "" stands for Cancel.
class ScriptedChooser : public DocumentFileChooser {
public:
    bool ChooseFileToOpen(HWND, std::string& path) override { return Next(path); }
    bool ChooseFileToSave(HWND, const std::string&, std::string& path) override {
        return Next(path);
    }
    std::deque<std::string> answers;
    int asked = 0;

private:
    bool Next(std::string& path) {
        ++asked;
        if (answers.empty()) return false;
        path = answers.front();
        answers.pop_front();
        return !path.empty();
    }
};

// What the stand-in HTML Help entry was asked.
struct HelpRequest {
    int calls = 0;
    std::string topic;
    UINT command = 0;
};
HelpRequest g_helpRequest;

HWND WINAPI RecordingHtmlHelp(HWND, LPCSTR topic, UINT command, DWORD_PTR) {
    ++g_helpRequest.calls;
    g_helpRequest.topic = topic ? topic : "";
    g_helpRequest.command = command;
    return nullptr;
}

const char kProgramDirectory[] = "C:\\Program Files\\Vantrel";

// The popups the frame was told are about to open, as a WH_CALLWNDPROC hook
// on this thread sees WM_INITMENUPOPUP reach it.
struct PopupRecord {
    HWND frame = nullptr;
    std::vector<HMENU> popups;
};
PopupRecord g_popups;

LRESULT CALLBACK RecordPopups(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->hwnd == g_popups.frame && call->message == WM_INITMENUPOPUP)
            g_popups.popups.push_back(reinterpret_cast<HMENU>(call->wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Closes whatever menu is being tracked; a thread timer's procedure, run by
// the menu's own modal loop.
int g_menusEnded = 0;
void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    ++g_menusEnded;
    EndMenu();
}

// The commands that reach a subclassed window, passed on to its procedure.
struct CommandRecord {
    WNDPROC previous = nullptr;
    std::vector<UINT> ids;
};
CommandRecord g_formCommands;

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_formCommands.ids.push_back(LOWORD(wParam));
    return CallWindowProcA(g_formCommands.previous, window, message, wParam, lParam);
}

// The text of the status bar's simple pane as the control holds it. Windows
// answers for the simple pane's own index (SB_SIMPLEID); Wine answers for
// the first part only, which then shows the simple pane's text.
std::string StatusBarText(HWND bar) {
    char text[256] = "";
    SendMessageA(bar, SB_GETTEXTA, 255, reinterpret_cast<LPARAM>(text));
    if (text[0] == '\0') SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

class MainFrameTest : public ::testing::Test {
protected:
    // The recent-file list lives in the registry: this process gets one of
    // its own, so suites running beside it cannot change the list under it.
    PrivateUserRegistry registry_;

    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), 0x0504};
        InitCommonControlsEx(&controls);
        RegDeleteKeyA(HKEY_CURRENT_USER, kRecentDocumentListKey);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vantrel-frame-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        frame_.reset();
        // Destroying the frame posts the quit message; later tests run
        // modal loops on this thread, which it would end.
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        for (const char* name : {"a.pgr", "b.pgr", "c.pgr", "d.pgr", "e.pgr"})
            DeleteFileA(Path(name).c_str());
        RemoveDirectoryA(folder_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kRecentDocumentListKey);
    }

    MainFrame& CreateFrame() {
        frame_ = std::make_unique<MainFrame>(loop_, chooser_, help_, kProgramDirectory);
        EXPECT_TRUE(frame_->Create());
        ShowWindow(frame_->Handle(), SW_SHOWNOACTIVATE);
        loop_.PumpPending();
        return *frame_;
    }
    HWND Frame() const { return frame_->Handle(); }
    void Command(UINT id) { SendMessageA(Frame(), WM_COMMAND, id, 0); }
    // Any message makes idle processing due again, as the editing of a
    // record would; then the loop runs it once the queue is empty.
    void Idle() {
        PostMessageA(Frame(), WM_NULL, 0, 0);
        loop_.PumpPending();
    }

    bool MenuEnabled(UINT id) const {
        const UINT state = GetMenuState(frame_->Menu(), id, MF_BYCOMMAND);
        EXPECT_NE(static_cast<UINT>(-1), state) << id;
        return !(state & (MF_GRAYED | MF_DISABLED));
    }
    bool MenuChecked(UINT id) const {
        return (GetMenuState(frame_->Menu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    bool ButtonEnabled(UINT id) const {
        return SendMessageA(frame_->MainToolbar(), TB_ISBUTTONENABLED, id, 0) != 0;
    }
    std::string Title() const {
        char title[512] = "";
        GetWindowTextA(Frame(), title, sizeof title);
        return title;
    }
    // The items of the "Recent Files" popup as id and text.
    std::vector<std::pair<UINT, std::string>> RecentItems() const {
        std::vector<std::pair<UINT, std::string>> items;
        HMENU popup = frame_->RecentFilesPopup();
        for (int index = 0; index < GetMenuItemCount(popup); ++index) {
            char text[512] = "";
            GetMenuStringA(popup, index, text, sizeof text, MF_BYPOSITION);
            items.emplace_back(GetMenuItemID(popup, index), text);
        }
        return items;
    }
    // Where the day view sits in the frame's client area.
    RECT DayViewRect() const {
        RECT bounds = {};
        GetWindowRect(frame_->DayView(), &bounds);
        MapWindowPoints(nullptr, Frame(), reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    }
    std::string Path(const char* name) const { return folder_ + "\\" + name; }
    void MakeFile(const char* name) {
        PimDocument other;
        std::string text;
        WriteDocument(other, text);
        ASSERT_TRUE(ReplaceDocumentFile(Path(name), text));
    }
    void AddTask() {
        Task task;
        task.ID = frame_->Document().tasks.IssueID();
        task.Description = "call the plumber";
        frame_->Document().tasks.Insert(task.ID, task);
        frame_->Document().SetModified(true, true);
    }
    static void PrepareRecentRegistry(const BYTE* count, DWORD type, DWORD size, int entries) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kRecentDocumentListKey, 0,
                                                 nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
        RegSetValueExA(key, "DocumentCount", 0, type, count, size);
        for (int i = 1; i <= entries; ++i) {
            const std::string name = "Document" + std::to_string(i);
            const std::string path = "C:\\data\\file" + std::to_string(i) + ".pgr";
            RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(path.c_str()),
                           static_cast<DWORD>(path.size() + 1));
        }
        RegCloseKey(key);
    }

    std::string folder_;
    MessageLoop loop_;
    ScriptedChooser chooser_;
    int helpLoads_ = 0;
    HelpLibrary help_{[this]() -> HtmlHelpEntry {
        ++helpLoads_;
        return nullptr;
    }};
    std::unique_ptr<MainFrame> frame_;
};

TEST_F(MainFrameTest, StartsUntitledWithOnlyTheCommandsThatHaveSomethingToDo) {
    CreateFrame();
    EXPECT_EQ("Vantrel! [Untitled]", Title());
    EXPECT_EQ("Ready", frame_->StatusText());
    EXPECT_TRUE(IsWindow(frame_->DayView()));
    EXPECT_EQ(Frame(), GetParent(frame_->DayView()));

    for (UINT id : {ID_FILE_SAVE, ID_FILE_COMPACT, ID_EXPORT_TASKS, ID_EXPORT_PHONE_BOOK,
                    ID_EXPORT_APPOINTMENTS, ID_REPORT_DAILY_PLAN, ID_REPORT_DAILY_TASKS,
                    ID_REPORT_DAILY_APPOINTMENTS, ID_REPORT_ENVELOPES, ID_REPORT_PHONE_BOOK,
                    ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_RECENT_FIRST}) {
        EXPECT_FALSE(MenuEnabled(id)) << id;
    }
    for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE_AS, ID_APP_EXIT, ID_APP_ABOUT,
                    ID_REPORT_FONT, ID_HELP_TOPICS, ID_FILE_PAGE_SETUP, ID_IMPORT_TASKS}) {
        EXPECT_TRUE(MenuEnabled(id)) << id;
    }
    EXPECT_TRUE(MenuChecked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(MenuChecked(ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(MenuChecked(ID_REPORT_DAILY_TASKS));

    EXPECT_TRUE(ButtonEnabled(ID_FILE_NEW));
    EXPECT_TRUE(ButtonEnabled(ID_FILE_OPEN));
    EXPECT_FALSE(ButtonEnabled(ID_FILE_SAVE));
    EXPECT_FALSE(ButtonEnabled(ID_FILE_PRINT));
    EXPECT_FALSE(ButtonEnabled(ID_FILE_PRINT_PREVIEW));
    EXPECT_TRUE(ButtonEnabled(ID_APP_ABOUT));

    ASSERT_EQ(1u, RecentItems().size());
    EXPECT_EQ("(Empty)", RecentItems()[0].second);
}

TEST_F(MainFrameTest, TheFirstTaskEnablesSaveCompactAndTheTaskReports) {
    CreateFrame();
    AddTask();
    Idle();
    for (UINT id : {ID_FILE_SAVE, ID_FILE_COMPACT, ID_EXPORT_TASKS, ID_REPORT_DAILY_TASKS,
                    ID_REPORT_DAILY_PLAN}) {
        EXPECT_TRUE(MenuEnabled(id)) << id;
    }
    EXPECT_TRUE(ButtonEnabled(ID_FILE_SAVE));
    for (UINT id : {ID_EXPORT_PHONE_BOOK, ID_EXPORT_APPOINTMENTS, ID_REPORT_DAILY_APPOINTMENTS,
                    ID_REPORT_ENVELOPES, ID_REPORT_PHONE_BOOK, ID_FILE_PRINT}) {
        EXPECT_FALSE(MenuEnabled(id)) << id;
    }
}

TEST_F(MainFrameTest, OpenedFilesAreListedNewestFirstAndAMissingOneGoes) {
    MakeFile("a.pgr");
    MakeFile("b.pgr");
    CreateFrame();
    chooser_.answers = {Path("a.pgr"), Path("b.pgr")};
    Command(ID_FILE_OPEN);
    Command(ID_FILE_OPEN);
    Idle();
    using Items = std::vector<std::pair<UINT, std::string>>;
    EXPECT_EQ((Items{{57616, "&1 " + Path("b.pgr")}, {57617, "&2 " + Path("a.pgr")}}),
              RecentItems());
    EXPECT_TRUE(MenuEnabled(57617));
    EXPECT_EQ("Vantrel! [" + Path("b.pgr") + "]", Title());

    ASSERT_TRUE(DeleteFileA(Path("a.pgr").c_str()));
    MessageBoxCatcher boxes(IDOK);
    Command(57617);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("Error loading file.", boxes.Boxes()[0].text);
    EXPECT_EQ("Pim", boxes.Boxes()[0].caption);
    EXPECT_EQ((Items{{57616, "&1 " + Path("b.pgr")}}), RecentItems());
    RecentFileList stored(SameFilePath);
    LoadRecentFiles(stored);
    EXPECT_EQ(std::vector<std::string>{Path("b.pgr")}, stored.Entries());
}

TEST_F(MainFrameTest, DocumentCountFromOneToFifteenLimitsTheListReadAtCreation) {
    struct Case {
        DWORD count;
        size_t listed;
    };
    // Five stored entries; a count outside 1..15 leaves the maximum at 4.
    for (const Case& c : {Case{0, 4}, Case{3, 3}, Case{15, 5}, Case{16, 4}}) {
        RegDeleteKeyA(HKEY_CURRENT_USER, kRecentDocumentListKey);
        PrepareRecentRegistry(reinterpret_cast<const BYTE*>(&c.count), REG_DWORD, sizeof c.count, 5);
        CreateFrame();
        EXPECT_EQ(c.listed, RecentItems().size()) << c.count;
        EXPECT_EQ("&1 C:\\data\\file1.pgr", RecentItems()[0].second) << c.count;
        frame_.reset();
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, kRecentDocumentListKey);
    const char text[] = "3";
    PrepareRecentRegistry(reinterpret_cast<const BYTE*>(text), REG_SZ, sizeof text, 5);
    CreateFrame();
    EXPECT_EQ(4u, RecentItems().size());
    EXPECT_EQ(4u, frame_->RecentFiles().Maximum());
}

TEST_F(MainFrameTest, ClosingAModifiedDocumentAsksAndCancelKeepsTheWindow) {
    CreateFrame();
    AddTask();
    {
        MessageBoxCatcher boxes(IDCANCEL);
        SendMessageA(Frame(), WM_CLOSE, 0, 0);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ("Save changes to Untitled?", boxes.Boxes()[0].text);
        EXPECT_EQ("Pim", boxes.Boxes()[0].caption);
        EXPECT_TRUE(boxes.Boxes()[0].hasWarningIcon);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO, IDCANCEL}), boxes.Boxes()[0].buttons);
    }
    EXPECT_TRUE(IsWindow(Frame()));
    HWND window = Frame();
    MessageBoxCatcher boxes(IDNO);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(1u, boxes.Boxes().size());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(loop_.PumpPending());
    EXPECT_EQ(1, loop_.QuitCode());
}

// Logging off asks as closing does; Cancel, or a save that fails, keeps the
// session (and the changes) alive.
TEST_F(MainFrameTest, EndingTheSessionAsksAboutUnsavedChangesFirst) {
    CreateFrame();
    EXPECT_TRUE(SendMessageA(Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    AddTask();
    {
        MessageBoxCatcher boxes(IDCANCEL);
        EXPECT_FALSE(SendMessageA(Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
        ASSERT_EQ(std::vector<std::string>{"Save changes to Untitled?"}, boxes.Texts());
        EXPECT_EQ("Pim", boxes.Boxes()[0].caption);
    }
    {
        chooser_.answers = {folder_ + "\\gone\\x.pgr"};  // a folder that is not there
        MessageBoxCatcher boxes({IDYES, IDOK});
        EXPECT_FALSE(SendMessageA(Frame(), WM_QUERYENDSESSION, 0, 0));
        EXPECT_EQ((std::vector<std::string>{"Save changes to Untitled?", "Unable to write file!"}),
                  boxes.Texts());
        EXPECT_TRUE(frame_->Document().IsModified());
    }
    MessageBoxCatcher boxes(IDNO);
    EXPECT_TRUE(SendMessageA(Frame(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(1u, boxes.Boxes().size());
}

// A key reaches a command only when its item is enabled: Ctrl+S on an
// unchanged document opens no Save As dialog, and a record command with
// nothing picked never reaches the day view.
TEST_F(MainFrameTest, AGreyedCommandDoesNothingWhateverSendsIt) {
    CreateFrame();
    ASSERT_FALSE(MenuEnabled(ID_FILE_SAVE));
    Command(ID_FILE_SAVE);
    EXPECT_EQ(0, chooser_.asked);
    AddTask();
    ASSERT_FALSE(MenuEnabled(ID_TASK_DELETE));
    Command(ID_TASK_DELETE);
    EXPECT_EQ(1u, frame_->Document().tasks.size());
}

TEST_F(MainFrameTest, ExitClosesAnUnmodifiedDocumentWithoutAsking) {
    CreateFrame();
    HWND window = Frame();
    MessageBoxCatcher boxes(IDCANCEL);
    Command(ID_APP_EXIT);
    EXPECT_TRUE(IsWindow(window));  // the close request is posted
    EXPECT_FALSE(loop_.PumpPending());
    EXPECT_EQ(1, loop_.QuitCode());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MainFrameTest, TheStartUpSizeIsTheSmallestAndHoldsTheForm) {
    CreateFrame();
    RECT start = {};
    GetWindowRect(Frame(), &start);
    const SIZE minimum = frame_->MinimumTrackingSize();
    EXPECT_EQ(start.right - start.left, minimum.cx);
    EXPECT_EQ(start.bottom - start.top, minimum.cy);

    MINMAXINFO info = {};
    SendMessageA(Frame(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(minimum.cx, info.ptMinTrackSize.x);
    EXPECT_EQ(minimum.cy, info.ptMinTrackSize.y);

    // The form fills the space between the bars at its dialog size.
    RECT form = DayViewRect();
    RECT client = {};
    GetClientRect(Frame(), &client);
    EXPECT_EQ(client.right, form.right - form.left);
    EXPECT_GT(form.top, 0);
    RECT status = {};
    GetWindowRect(frame_->StatusBarHandle(), &status);
    EXPECT_EQ(client.bottom - (status.bottom - status.top), form.bottom);

    SetWindowPos(Frame(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT clamped = {};
    GetWindowRect(Frame(), &clamped);
    EXPECT_EQ(minimum.cx, clamped.right - clamped.left);
    EXPECT_EQ(minimum.cy, clamped.bottom - clamped.top);

    SetWindowPos(Frame(), nullptr, 0, 0, minimum.cx + 100, minimum.cy + 80,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT grown = DayViewRect();
    EXPECT_EQ(form.right - form.left + 100, grown.right - grown.left);
    EXPECT_EQ(form.bottom - form.top + 80, grown.bottom - grown.top);
}

TEST_F(MainFrameTest, HidingTheBarsGivesTheFormTheirSpace) {
    CreateFrame();
    const RECT before = DayViewRect();
    ASSERT_TRUE(frame_->Bands().IsBandVisible(ID_VIEW_TOOLBAR));

    Command(ID_VIEW_TOOLBAR);
    Idle();
    EXPECT_FALSE(frame_->Bands().IsBandVisible(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(MenuChecked(ID_VIEW_TOOLBAR));
    const RECT withoutToolbar = DayViewRect();
    EXPECT_LT(withoutToolbar.top, before.top);
    EXPECT_EQ(before.bottom, withoutToolbar.bottom);

    Command(ID_VIEW_STATUS_BAR);
    Idle();
    EXPECT_FALSE(IsWindowVisible(frame_->StatusBarHandle()));
    EXPECT_FALSE(MenuChecked(ID_VIEW_STATUS_BAR));
    RECT client = {};
    GetClientRect(Frame(), &client);
    EXPECT_EQ(client.bottom, DayViewRect().bottom);
    EXPECT_GT(DayViewRect().bottom, before.bottom);

    Command(ID_VIEW_TOOLBAR);
    Command(ID_VIEW_STATUS_BAR);
    Idle();
    EXPECT_TRUE(MenuChecked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(MenuChecked(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(IsWindowVisible(frame_->StatusBarHandle()));
    EXPECT_EQ(before.top, DayViewRect().top);
    EXPECT_EQ(before.bottom, DayViewRect().bottom);
}

TEST_F(MainFrameTest, CtrlNThroughTheLoopReachesNew) {
    CreateFrame();
    AddTask();
    MessageBoxCatcher boxes(IDCANCEL);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(frame_->DayView(), WM_KEYDOWN, 'N', 0);
    loop_.PumpPending();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    ASSERT_EQ(std::vector<std::string>{"Save changes to Untitled?"}, boxes.Texts());
    EXPECT_EQ("Pim", boxes.Boxes()[0].caption);
    // Cancelled: the task is still there.
    EXPECT_EQ(1u, frame_->Document().tasks.size());
    EXPECT_TRUE(frame_->Document().IsModified());
}

TEST_F(MainFrameTest, HelpTopicsWithoutTheHelpLibraryDoesNothing) {
    CreateFrame();
    MessageBoxCatcher boxes;
    Command(ID_HELP_TOPICS);
    Command(ID_HELP_TOPICS);
    EXPECT_EQ(1, helpLoads_);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(IsWindow(Frame()));
}

TEST_F(MainFrameTest, HelpTopicsOpensTheTableOfContentsOfTheProgramsHelpFile) {
    help_ = HelpLibrary([] { return &RecordingHtmlHelp; });
    g_helpRequest = HelpRequest();
    CreateFrame();
    Command(ID_HELP_TOPICS);
    EXPECT_EQ(1, g_helpRequest.calls);
    EXPECT_EQ("C:\\Program Files\\Vantrel\\Vantrel.chm::/html/Introduction.htm>mainwin",
              g_helpRequest.topic);
    EXPECT_EQ(1u, g_helpRequest.command);
}

TEST_F(MainFrameTest, AboutShowsTheDialogUntilOk) {
    CreateFrame();
    std::string caption;
    DialogDriver driver([&caption](HWND dialog) {
        char text[128] = "";
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(ID_APP_ABOUT);
    EXPECT_EQ(1, driver.DialogsDriven());
    EXPECT_EQ(0, driver.DialogsCancelled());
    EXPECT_EQ("About Vantrel!", caption);
    EXPECT_EQ("Vantrel! [Untitled]", Title());
}

TEST_F(MainFrameTest, HighlightedMenuItemsShowTheirPromptUntilTheMenuCloses) {
    MakeFile("a.pgr");
    CreateFrame();
    chooser_.answers = {Path("a.pgr")};
    Command(ID_FILE_OPEN);
    Idle();
    HMENU file = GetSubMenu(frame_->Menu(), 0);
    ASSERT_NE(nullptr, file);

    SendMessageA(Frame(), WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, MF_HILITE),
                 reinterpret_cast<LPARAM>(file));
    EXPECT_EQ("Create a new document", frame_->StatusText());
    EXPECT_EQ("Create a new document", StatusBarText(frame_->StatusBarHandle()));

    ASSERT_EQ("&1 " + Path("a.pgr"), RecentItems().at(0).second);
    SendMessageA(Frame(), WM_MENUSELECT, MAKEWPARAM(ID_FILE_RECENT_FIRST, MF_HILITE),
                 reinterpret_cast<LPARAM>(frame_->RecentFilesPopup()));
    EXPECT_EQ("Open this document", frame_->StatusText());
    EXPECT_EQ("Open this document", StatusBarText(frame_->StatusBarHandle()));

    SendMessageA(Frame(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ("Ready", frame_->StatusText());
    EXPECT_EQ("Ready", StatusBarText(frame_->StatusBarHandle()));
}

TEST_F(MainFrameTest, ToolbarTooltipsAskTheFrameForTheCommandsShortName) {
    CreateFrame();
    HWND tooltips =
        reinterpret_cast<HWND>(SendMessageA(frame_->MainToolbar(), TB_GETTOOLTIPS, 0, 0));
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = tooltips ? tooltips : frame_->MainToolbar();
    info.hdr.idFrom = ID_FILE_OPEN;
    info.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(Frame(), WM_NOTIFY, ID_FILE_OPEN, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_EQ("Open", std::string(info.lpszText));

    NMTTDISPINFOW wide = {};
    wide.hdr = info.hdr;
    wide.hdr.idFrom = ID_FILE_SAVE;
    wide.hdr.code = TTN_GETDISPINFOW;
    SendMessageA(Frame(), WM_NOTIFY, ID_FILE_SAVE, reinterpret_cast<LPARAM>(&wide));
    ASSERT_NE(nullptr, wide.lpszText);
    EXPECT_EQ(std::wstring(L"Save"), std::wstring(wide.lpszText));
}

TEST_F(MainFrameTest, AltAndAMnemonicOpenThatPopupThroughTheFrame) {
    CreateFrame();
    HMENU menu = frame_->Menu();
    HMENU help = GetSubMenu(menu, GetMenuItemCount(menu) - 1);
    ASSERT_NE(nullptr, help);
    char text[64] = "";
    GetMenuStringA(menu, GetMenuItemCount(menu) - 1, text, sizeof text, MF_BYPOSITION);
    ASSERT_EQ("&Help", std::string(text));

    g_popups = PopupRecord();
    g_popups.frame = Frame();
    g_menusEnded = 0;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPopups, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, EndMenuTimer);
    ASSERT_NE(0u, timer);
    SendMessageA(Frame(), WM_SYSCOMMAND, SC_KEYMENU, 'h');
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);

    EXPECT_EQ(1, g_menusEnded);
    ASSERT_FALSE(g_popups.popups.empty());
    EXPECT_EQ(help, g_popups.popups.front());
    EXPECT_EQ("Ready", frame_->StatusText());
}

TEST_F(MainFrameTest, CommandsTheFrameDoesNotCarryOutReachTheDayView) {
    CreateFrame();
    HWND form = frame_->DayView();
    g_formCommands = CommandRecord();
    g_formCommands.previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordCommands)));
    ASSERT_NE(nullptr, g_formCommands.previous);

    {
        // The day view answers with its task editor, which is cancelled.
        DialogDriver editor([](HWND dialog) { EndDialog(dialog, IDCANCEL); });
        Command(ID_TASK_ADD);
        EXPECT_EQ(1, editor.DialogsDriven());
    }
    Command(ID_VIEW_STATUS_BAR);
    Command(ID_VIEW_STATUS_BAR);
    {
        // Page Setup is the frame's own: its dialog, or the message that
        // there is no printer, is dismissed.
        DialogDriver setup([](HWND dialog) {
            PostMessageA(dialog, WM_COMMAND, GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : IDOK, 0);
        });
        Command(ID_FILE_PAGE_SETUP);
        EXPECT_EQ(1, setup.DialogsDriven());
    }
    SetWindowLongPtrA(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_formCommands.previous));

    EXPECT_EQ(std::vector<UINT>{32790}, g_formCommands.ids);
    EXPECT_TRUE(MenuChecked(ID_VIEW_STATUS_BAR));
}

TEST_F(MainFrameTest, FourNewestOpensAreListedAndACaseVariantMovesToTheTop) {
    const char* names[] = {"a.pgr", "b.pgr", "c.pgr", "d.pgr", "e.pgr"};
    for (const char* name : names) MakeFile(name);
    CreateFrame();
    for (const char* name : names) chooser_.answers.push_back(Path(name));
    for (int open = 0; open < 5; ++open) Command(ID_FILE_OPEN);
    Idle();
    using Items = std::vector<std::pair<UINT, std::string>>;
    EXPECT_EQ((Items{{57616, "&1 " + Path("e.pgr")},
                     {57617, "&2 " + Path("d.pgr")},
                     {57618, "&3 " + Path("c.pgr")},
                     {57619, "&4 " + Path("b.pgr")}}),
              RecentItems());

    const std::string variant = folder_ + "\\C.PGR";
    chooser_.answers = {variant};
    Command(ID_FILE_OPEN);
    Idle();
    EXPECT_EQ((Items{{57616, "&1 " + variant},
                     {57617, "&2 " + Path("e.pgr")},
                     {57618, "&3 " + Path("d.pgr")},
                     {57619, "&4 " + Path("b.pgr")}}),
              RecentItems());

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, kRecentDocumentListKey, 0, KEY_READ, &key));
    char stored[MAX_PATH] = "";
    DWORD size = sizeof stored;
    DWORD type = 0;
    const LONG read = RegQueryValueExA(key, "Document1", nullptr, &type,
                                       reinterpret_cast<BYTE*>(stored), &size);
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, read);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(variant, std::string(stored));
    RecentFileList list(SameFilePath);
    LoadRecentFiles(list);
    EXPECT_EQ((std::vector<std::string>{variant, Path("e.pgr"), Path("d.pgr"), Path("b.pgr")}),
              list.Entries());
}

}  // namespace
