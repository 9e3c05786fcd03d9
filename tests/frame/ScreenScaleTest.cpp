// The program at the screen's scale: images as large as the text beside
// them, no text cut off, no controls on top of each other, in the main
// window and in every dialog template. Runs at whatever DPI Wine reports;
// tests/frame/test-screen-scales.sh runs it at 96, 144 and 192 and keeps
// the screenshots it takes (VANTREL_DPI_SHOTS) beside the build.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "DocumentFileDialogs.h"
#include "HelpLibrary.h"
#include "MainFrame.h"
#include "MessageLoop.h"
#include "PrivateUserRegistry.h"
#include "resource.h"

namespace {

class NoFiles : public DocumentFileChooser {
public:
    bool ChooseFileToOpen(HWND, std::string&) override { return false; }
    bool ChooseFileToSave(HWND, const std::string&, std::string&) override { return false; }
};

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT RectIn(HWND parent, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The text a static control needs, in its own font: wrapped to its width
// unless it is a one-line kind.
SIZE TextNeeds(HWND control, const char* text, UINT kind, int width) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT needed = {0, 0, width, 0};
    const bool oneLine = kind == SS_LEFTNOWORDWRAP || kind == SS_SIMPLE;
    DrawTextA(dc, text, -1, &needed, DT_CALCRECT | (oneLine ? DT_SINGLELINE : DT_WORDBREAK));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{needed.right, needed.bottom};
}

// Labels whose places in the templates are a little short for Wine's
// Tahoma at 100% already (the places are the program's design): they may
// overrun by as much as they do there, 11%, and no more at any scale.
struct ShortLabel {
    int dialog;
    int control;
};
const ShortLabel kShortLabels[] = {
    {IDD_DAY_VIEW, IDC_DAY_HOME_PHONE_LABEL},
    {IDD_TASK_EDITOR, IDC_TASK_DUE_DATE_LABEL},
    {IDD_APPOINTMENT_EDITOR, IDC_APPOINTMENT_TEXT_LABEL},
    {IDD_APPOINTMENT_EDITOR, IDC_APPOINTMENT_BEGIN_LABEL},
    {IDD_APPOINTMENT_EDITOR, IDC_APPOINTMENT_MINUTES_LABEL},
};

int RoomFor(int dialog, HWND control, int width) {
    for (const ShortLabel& label : kShortLabels)
        if (label.dialog == dialog && label.control == GetDlgCtrlID(control))
            return width + width / 9;
    return width;
}

// Controls that share an edge by design: an up-down control and its buddy.
bool Buddies(HWND a, HWND b) {
    for (HWND spin : {a, b})
        if (ClassOf(spin) == "msctls_updown32")
            return reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)) ==
                   (spin == a ? b : a);
    return false;
}

// Every visible text label of `form` (from template `dialog`) shows its
// whole text, and no two visible controls cover each other except a group
// box round others. Controls whose template places touch or overlap by a
// dialog unit may overlap by that unit, no more.
void ExpectReadable(HWND form, int dialog, const std::string& where) {
    std::vector<HWND> shown;
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) shown.push_back(child);
    for (HWND control : shown) {
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        const UINT kind = style & SS_TYPEMASK;
        char text[512] = "";
        GetWindowTextA(control, text, sizeof text);
        const bool textKind = kind <= SS_RIGHT || kind == SS_SIMPLE || kind == SS_LEFTNOWORDWRAP;
        if (ClassOf(control) != "Static" || !text[0] || !textKind) continue;
        RECT client = {};
        GetClientRect(control, &client);
        const SIZE needs = TextNeeds(control, text, kind, client.right);
        EXPECT_LE(needs.cx, RoomFor(dialog, control, client.right))
            << where << ": \"" << text << "\" is cut off";
        EXPECT_LE(needs.cy, client.bottom) << where << ": \"" << text << "\" is cut off below";
    }
    RECT unit = {0, 0, 1, 1};
    MapDialogRect(form, &unit);
    auto isGroupBox = [](HWND control) {
        return ClassOf(control) == "Button" &&
               (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    };
    for (size_t a = 0; a < shown.size(); ++a)
        for (size_t b = a + 1; b < shown.size(); ++b) {
            if (isGroupBox(shown[a]) || isGroupBox(shown[b]) || Buddies(shown[a], shown[b]))
                continue;
            const RECT first = RectIn(form, shown[a]);
            const RECT second = RectIn(form, shown[b]);
            RECT common = {};
            if (!IntersectRect(&common, &first, &second)) continue;
            // A pixel more for the rounding of the two places.
            EXPECT_TRUE(common.right - common.left <= unit.right + 1 ||
                        common.bottom - common.top <= unit.bottom + 1)
                << where << ": controls " << GetDlgCtrlID(shown[a]) << " and "
                << GetDlgCtrlID(shown[b]) << " overlap";
        }
}

// Saves what `window` shows as a .bmp named `name` in VANTREL_DPI_SHOTS.
void SaveScreenshot(HWND window, const std::string& name) {
    const char* folder = std::getenv("VANTREL_DPI_SHOTS");
    if (!folder || !*folder) return;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(300);
    RECT box = {};
    GetWindowRect(window, &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pixels = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ old = SelectObject(copy, picture);
    BitBlt(copy, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    GdiFlush();
    const DWORD bytes = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader;
    BITMAPFILEHEADER file = {0x4D42, headers + bytes, 0, 0, headers};
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(out, pixels, bytes, &written, nullptr);
    CloseHandle(out);
    SelectObject(copy, old);
    DeleteObject(picture);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL CALLBACK CollectDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<int>*>(found)->push_back(static_cast<int>(
            reinterpret_cast<UINT_PTR>(name)));
    return TRUE;
}

class ScreenScaleTest : public ::testing::Test {
protected:
    PrivateUserRegistry registry_;
    MessageLoop loop_;
    NoFiles chooser_;
    HelpLibrary help_{[] { return HtmlHelpEntry(nullptr); }};
    std::unique_ptr<MainFrame> frame_;
    const int dpi_ = ScreenDpi();

    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), 0x0504 | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        // The scale the script asked Wine for is the one it reports.
        if (const char* expected = std::getenv("VANTREL_EXPECT_DPI")) {
            ASSERT_EQ(std::atoi(expected), dpi_);
        }
        frame_ = std::make_unique<MainFrame>(loop_, chooser_, help_, "C:\\Vantrel");
        ASSERT_TRUE(frame_->Create());
        ShowWindow(frame_->Handle(), SW_SHOWNOACTIVATE);
        loop_.PumpPending();
    }
    void TearDown() override {
        frame_.reset();
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // A 16-pixel picture at 100% is this wide now (the 15-pixel height of
    // the toolbar's may round either way).
    void ExpectScaledImage(int width, int height, const std::string& what) const {
        EXPECT_EQ(MulDiv(16, dpi_, 96), width) << what;
        EXPECT_NEAR(MulDiv(15, dpi_, 96), height, 1) << what;
    }
};

TEST_F(ScreenScaleTest, ToolbarAndMenuImagesGrowWithTheScale) {
    for (HWND bar : {frame_->MainToolbar(), frame_->PreviewToolbar()}) {
        int width = 0, height = 0;
        auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(bar, TB_GETIMAGELIST, 0, 0));
        ImageList_GetIconSize(images, &width, &height);
        ExpectScaledImage(width, height, "toolbar image");
        const DWORD button = static_cast<DWORD>(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0));
        EXPECT_GT(LOWORD(button), width);
        EXPECT_GT(HIWORD(button), height);
    }
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoA(frame_->Menu(), ID_FILE_OPEN, FALSE, &item));
    BITMAP picture = {};
    ASSERT_TRUE(GetObjectA(item.hbmpItem, sizeof picture, &picture));
    ExpectScaledImage(picture.bmWidth, picture.bmHeight, "menu image");
    SaveScreenshot(frame_->Handle(), "main-" + std::to_string(dpi_));
}

TEST_F(ScreenScaleTest, PlannerRowsAndListImagesHoldTheirText) {
    HWND form = frame_->DayView();
    HWND planner = GetDlgItem(form, IDC_DAY_TIME_SLOT_LIST);
    RECT row = {LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(planner, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
    HDC dc = GetDC(planner);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(planner, WM_GETFONT, 0, 0)));
    TEXTMETRICA text = {};
    GetTextMetricsA(dc, &text);
    SelectObject(dc, old);
    ReleaseDC(planner, dc);
    // The text and the clock mark beside it, over the row's bottom line.
    EXPECT_GE(row.bottom - row.top, text.tmHeight + 1);
    EXPECT_GE(row.bottom - row.top, MulDiv(15, dpi_, 96) + 1);
    int width = 0, height = 0;
    HWND tasks = GetDlgItem(form, IDC_DAY_TASK_LIST);
    ImageList_GetIconSize(
        reinterpret_cast<HIMAGELIST>(SendMessageA(tasks, LVM_GETIMAGELIST, LVSIL_SMALL, 0)), &width,
        &height);
    EXPECT_EQ(MulDiv(16, dpi_, 96), width) << "priority disc";
    EXPECT_GE(width, text.tmHeight - text.tmInternalLeading) << "priority disc";
    ExpectReadable(form, IDD_DAY_VIEW, "the day view");
}

TEST_F(ScreenScaleTest, EveryDialogShowsAllItsTextWithoutOverlaps) {
    std::vector<int> dialogs;
    EnumResourceNamesA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(5), CollectDialog,
                       reinterpret_cast<LONG_PTR>(&dialogs));
    ASSERT_GE(dialogs.size(), 10u);
    for (int id : dialogs) {
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                         frame_->Handle(), PlainDialog, 0);
        ASSERT_TRUE(dialog) << "dialog " << id;
        ExpectReadable(dialog, id, "dialog " + std::to_string(id));
        if (id == IDD_TASK_EDITOR) SaveScreenshot(dialog, "task-editor-" + std::to_string(dpi_));
        DestroyWindow(dialog);
    }
}

}  // namespace
