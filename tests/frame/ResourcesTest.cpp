// The main window's resources as the program loads them: the menu, the
// keyboard shortcuts, the string table, the toolbars, the About box and the
// day view's form.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "DialogDriver.h"
#include "resource.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string LoadResourceString(UINT id) {
    char text[512] = "";
    int length = LoadStringA(Module(), id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

// --- Menu ---------------------------------------------------------------------

struct MenuEntry {
    std::string text;
    UINT id = 0;
    HMENU popup = nullptr;
    bool separator = false;
    UINT state = 0;
};

MenuEntry ReadMenuEntry(HMENU menu, int position) {
    char text[256] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    MenuEntry entry;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return entry;
    entry.text = text;
    entry.id = info.wID;
    entry.popup = info.hSubMenu;
    entry.separator = (info.fType & MFT_SEPARATOR) != 0;
    entry.state = info.fState;
    return entry;
}

// One line per entry: "File/Import/&Tasks... = 32813" for a command,
// "File/Import/" for a popup, "File/-" for a separator; popups are followed
// by their entries.
void DescribeMenu(HMENU menu, const std::string& path, std::vector<std::string>& lines) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const MenuEntry entry = ReadMenuEntry(menu, position);
        if (entry.separator) {
            lines.push_back(path + "-");
        } else if (entry.popup) {
            lines.push_back(path + entry.text + "/");
            DescribeMenu(entry.popup, path + entry.text + "/", lines);
        } else {
            lines.push_back(path + entry.text + " = " + std::to_string(entry.id));
        }
    }
}

// Finds a command item anywhere in the menu.
bool FindCommand(HMENU menu, UINT id, MenuEntry& found) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const MenuEntry entry = ReadMenuEntry(menu, position);
        if (entry.popup) {
            if (FindCommand(entry.popup, id, found)) return true;
        } else if (!entry.separator && entry.id == id) {
            found = entry;
            return true;
        }
    }
    return false;
}

void CollectCommands(HMENU menu, std::vector<UINT>& ids) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const MenuEntry entry = ReadMenuEntry(menu, position);
        if (entry.popup) {
            CollectCommands(entry.popup, ids);
        } else if (!entry.separator) {
            ids.push_back(entry.id);
        }
    }
}

class MainMenu : public testing::Test {
protected:
    void SetUp() override {
        menu_ = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAIN_FRAME));
        ASSERT_NE(menu_, nullptr);
    }
    void TearDown() override {
        if (menu_) DestroyMenu(menu_);
    }
    HMENU menu_ = nullptr;
};

TEST_F(MainMenu, HoldsEveryItemWithItsTextAndCommandInOrder) {
    const std::vector<std::string> expected = {
        "&File/",
        "&File/&New\tCtrl+N = 57600",
        "&File/&Open...\tCtrl+O = 57601",
        "&File/&Save\tCtrl+S = 57603",
        "&File/Save &As... = 57604",
        "&File/-",
        "&File/&Compact = 32787",
        "&File/&Import/",
        "&File/&Import/&Tasks... = 32813",
        "&File/&Import/&Phone Book... = 32814",
        "&File/&Import/&Appointments... = 32815",
        "&File/&Import/-",
        "&File/&Import/Phone Book from &vCard... = 32816",
        "&File/&Import/Calendar from &iCalendar... = 32818",
        "&File/&Export/",
        "&File/&Export/&Tasks... = 32801",
        "&File/&Export/&Phone Book... = 32781",
        "&File/&Export/&Appointments... = 32783",
        "&File/&Export/-",
        "&File/&Export/Phone Book as v&Card... = 32817",
        "&File/&Export/Calendar as &iCalendar... = 32819",
        "&File/-",
        "&File/&Print...\tCtrl+P = 57607",
        "&File/Page Set&up... = 57605",
        "&File/Print Pre&view... = 57609",
        "&File/-",
        "&File/Recent &Files/",
        "&File/Recent &Files/(Empty) = 57616",
        "&File/-",
        "&File/E&xit = 57665",
        "&Tasks/",
        "&Tasks/&Add... = 32790",
        "&Tasks/&Delete = 32791",
        "&Tasks/&Edit... = 32792",
        "&Tasks/&Complete = 32793",
        "&Phone Book/",
        "&Phone Book/&Add... = 32775",
        "&Phone Book/&Delete = 32776",
        "&Phone Book/&Edit... = 32777",
        "&Appointments/",
        "&Appointments/&Add... = 32797",
        "&Appointments/&Delete = 32798",
        "&Appointments/&Edit... = 32799",
        "&Edit/",
        "&Edit/&User... = 32771",
        "&Edit/&Alarm Sound... = 32789",
        "&Report/",
        "&Report/&Daily Tasks and Appointments = 32778",
        "&Report/Daily &Tasks = 32780",
        "&Report/Daily &Appointments = 32779",
        "&Report/-",
        "&Report/&Envelopes... = 32782",
        "&Report/&Phone Book... = 32784",
        "&Report/-",
        "&Report/Report &Font... = 32785",
        "&View/",
        "&View/&Toolbar = 59392",
        "&View/&Status Bar = 59393",
        "&Help/",
        "&Help/&Help Topics = 57667",
        "&Help/-",
        "&Help/&About Vantrel!... = 57664",
    };
    std::vector<std::string> actual;
    DescribeMenu(menu_, "", actual);
    EXPECT_EQ(actual, expected);
}

TEST_F(MainMenu, EmptyRecentFileItemIsGreyedAndOthersAreEnabled) {
    MenuEntry empty;
    ASSERT_TRUE(FindCommand(menu_, ID_FILE_RECENT_FIRST, empty));
    EXPECT_EQ(empty.text, "(Empty)");
    EXPECT_NE(empty.state & MFS_GRAYED, 0u);
    EXPECT_NE(GetMenuState(menu_, ID_FILE_RECENT_FIRST, MF_BYCOMMAND) & MF_GRAYED, 0u);

    std::vector<UINT> commands;
    CollectCommands(menu_, commands);
    for (UINT id : commands) {
        if (id == ID_FILE_RECENT_FIRST) continue;
        EXPECT_EQ(GetMenuState(menu_, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u)
            << "command " << id;
    }
}

TEST_F(MainMenu, ToolbarAndStatusBarItemsStartChecked) {
    EXPECT_NE(GetMenuState(menu_, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(menu_, ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(menu_, ID_REPORT_DAILY_PLAN, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

// --- Accelerators -------------------------------------------------------------------

TEST(MainAccelerators, MapEveryKeyOfTheKeyboardTable) {
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAIN_FRAME));
    ASSERT_NE(table, nullptr);
    const int count = CopyAcceleratorTableA(table, nullptr, 0);
    std::vector<ACCEL> entries(count > 0 ? count : 0);
    ASSERT_EQ(CopyAcceleratorTableA(table, entries.data(), count), count);
    DestroyAcceleratorTable(table);

    using Key = std::tuple<int, int, int>;  // modifier flags, virtual key, command
    std::multiset<Key> actual;
    for (const ACCEL& entry : entries) {
        EXPECT_NE(entry.fVirt & FVIRTKEY, 0) << "command " << entry.cmd;
        actual.insert(Key(entry.fVirt & (FSHIFT | FCONTROL | FALT), entry.key, entry.cmd));
    }
    const std::multiset<Key> expected = {
        Key(FCONTROL, 'N', 57600),       Key(FCONTROL, 'O', 57601),
        Key(FCONTROL, 'S', 57603),       Key(FCONTROL, 'P', 57607),
        Key(FCONTROL, 'Z', 57643),       Key(FALT, VK_BACK, 57643),
        Key(FCONTROL, 'X', 57635),       Key(FSHIFT, VK_DELETE, 57635),
        Key(FCONTROL, 'C', 57634),       Key(FCONTROL, VK_INSERT, 57634),
        Key(FCONTROL, 'V', 57637),       Key(FSHIFT, VK_INSERT, 57637),
        Key(0, VK_F6, 57680),            Key(FSHIFT, VK_F6, 57681),
    };
    EXPECT_EQ(actual, expected);
}

// --- Strings ----------------------------------------------------------------------------

TEST(MainStrings, HoldTheCaptionAndTheFixedPrompts) {
    const std::vector<std::pair<UINT, std::string>> expected = {
        {128, "Vantrel13"},
        {57345, "Ready"},
        {61402, "Open this document"},
        {57600, "Create a new document\nNew"},
        {57601, "Open an existing document\nOpen"},
        {57603, "Save the active document\nSave"},
        {57604, "Save the active document with a new name\nSave As"},
        {57605, "Change the printing options\nPage Setup"},
        {57607, "Print the active document\nPrint"},
        {57609, "Display full pages\nPrint Preview"},
        {57616, "Open this document\nOpen document"},
        {57665, "Quit the application; prompts to save documents\nExit"},
        {57667, "Display help file"},
        {57669, "Display help for clicked on buttons, menus and windows\nHelp"},
        {59392, "Show or hide the toolbar\nToggle ToolBar"},
        {59393, "Show or hide the status bar\nToggle StatusBar"},
        {32771, "Edit user information\nUser"},
        {32780, "Print out the selected date's tasks\nTasks"},
        {32782, "Print out envelopes for the selected persons\nEnvelopes"},
        {32785, "Change report font\nFont"},
        {32787, "Remove empty space and old tasks from file\nCompact"},
        {32789, "Change alarm sound\nChange alarm"},
        {32790, "Add a new task\n Add task"},
        {32791, "Delete selected task\nDelete task"},
        {32792, "Edit selected task\nEdit task"},
        {32793, "Mark selected task completed\nMark complete"},
        {32797, "Add an appointment\n Add appointment"},
        {32798, "Delete selected appointment\nDelete appointment"},
        {32799, "Edit selected appointment\nEdit appointment"},
        {32801, "Export tasks to an external file\nExport tasks"},
    };
    for (const auto& [id, text] : expected) EXPECT_EQ(LoadResourceString(id), text) << "string " << id;
}

// Every command of the menu and the toolbars has a prompt, and a tooltip
// that fits the tooltip buffer.
TEST(MainStrings, GiveEveryCommandAPromptAndAShortTooltip) {
    HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAIN_FRAME));
    ASSERT_NE(menu, nullptr);
    std::vector<UINT> commands;
    CollectCommands(menu, commands);
    DestroyMenu(menu);
    commands.insert(commands.end(), {ID_CONTEXT_HELP, ID_PREVIEW_CLOSE, ID_PREVIEW_NEXT_PAGE,
                                     ID_PREVIEW_PREVIOUS_PAGE});
    ASSERT_EQ(commands.size(), 46u);
    for (UINT id : commands) {
        const std::string text = LoadResourceString(id);
        const size_t lineFeed = text.find('\n');
        EXPECT_FALSE(text.substr(0, lineFeed).empty()) << "command " << id;
        if (lineFeed != std::string::npos) {
            EXPECT_LE(text.size() - lineFeed - 1, 79u) << "command " << id;
        }
    }
}

TEST(MainStrings, DescribeTheSystemCommands) {
    for (UINT id : {SC_SIZE, SC_MOVE, SC_MINIMIZE, SC_MAXIMIZE, SC_NEXTWINDOW, SC_PREVWINDOW,
                    SC_CLOSE, SC_RESTORE, SC_TASKLIST}) {
        const std::string text = LoadResourceString(id);
        EXPECT_FALSE(text.empty()) << "system command " << id;
        EXPECT_EQ(text.find('\n'), std::string::npos) << "system command " << id;
    }
    EXPECT_EQ(LoadResourceString(SC_SIZE), "Change the size of the window");
}

// --- Toolbars ------------------------------------------------------------------------

std::vector<WORD> ToolbarData(UINT id) {
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id),
                                MAKEINTRESOURCEA(RESOURCE_TYPE_TOOLBAR));
    if (!found) return {};
    HGLOBAL loaded = LoadResource(Module(), found);
    const auto* words = static_cast<const WORD*>(LockResource(loaded));
    const DWORD size = SizeofResource(Module(), found);
    if (!words) return {};
    return std::vector<WORD>(words, words + size / sizeof(WORD));
}

struct StripInfo {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> bottomRightOfEachImage;
};

StripInfo ReadStrip(UINT id, int images) {
    StripInfo info;
    HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(id));
    if (!bitmap) return info;
    BITMAP description = {};
    GetObjectA(bitmap, sizeof description, &description);
    info.width = description.bmWidth;
    info.height = description.bmHeight;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    for (int image = 0; image < images; ++image) {
        info.bottomRightOfEachImage.push_back(
            GetPixel(memory, image * TOOLBAR_IMAGE_WIDTH + TOOLBAR_IMAGE_WIDTH - 1,
                     TOOLBAR_IMAGE_HEIGHT - 1));
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return info;
}

void ExpectToolbar(UINT id, const std::vector<WORD>& buttons) {
    const std::vector<WORD> data = ToolbarData(id);
    ASSERT_EQ(data.size(), 4 + buttons.size()) << "toolbar " << id;
    EXPECT_EQ(data[0], TOOLBAR_DATA_VERSION);
    EXPECT_EQ(data[1], 16);
    EXPECT_EQ(data[2], 15);
    EXPECT_EQ(data[3], buttons.size());
    EXPECT_EQ(std::vector<WORD>(data.begin() + 4, data.end()), buttons);

    const int images = static_cast<int>(
        std::count_if(buttons.begin(), buttons.end(), [](WORD b) { return b != TOOLBAR_SEPARATOR; }));
    const StripInfo strip = ReadStrip(id, images);
    EXPECT_EQ(strip.width, 16 * images) << "toolbar " << id;
    EXPECT_EQ(strip.height, 15) << "toolbar " << id;
    // The pictures stand on the light grey that becomes the button face.
    for (COLORREF corner : strip.bottomRightOfEachImage) EXPECT_EQ(corner, RGB(192, 192, 192));
}

TEST(Toolbars, MainToolbarHasItsButtonsAndOneImageEach) {
    ExpectToolbar(IDR_MAIN_FRAME, {57600, 57601, 57603, 0, 57609, 57607, 0, 57664, 57669});
}

TEST(Toolbars, PreviewToolbarHasItsButtonsAndOneImageEach) {
    ExpectToolbar(IDR_PREVIEW_TOOLBAR, {58115, 58114, 57607, 0, 58112});
}

// --- Program icon ----------------------------------------------------------------------

// The width stored in the header of the icon image the group resource offers
// for `size` by `size`; 0 when there is none.
LONG StoredIconWidth(int size) {
    HRSRC group = FindResourceA(Module(), MAKEINTRESOURCEA(IDR_MAIN_FRAME), RT_GROUP_ICON);
    if (!group) return 0;
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Module(), group)));
    if (!directory) return 0;
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceA(Module(), MAKEINTRESOURCEA(id), RT_ICON);
    if (!image) return 0;
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Module(), image)));
    if (!header || SizeofResource(Module(), image) < sizeof(BITMAPINFOHEADER)) return 0;
    return header->biWidth;
}

// Width and height of the colour bitmap of the icon loaded at `size`.
SIZE LoadedIconSize(int size) {
    SIZE result = {0, 0};
    HICON icon = static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(IDR_MAIN_FRAME),
                                               IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (!icon) return result;
    ICONINFO info = {};
    if (GetIconInfo(icon, &info)) {
        BITMAP bitmap = {};
        if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
            result = {bitmap.bmWidth, bitmap.bmHeight};
        }
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return result;
}

TEST(ProgramIcon, HoldsItsOwnImageAtEachSize) {
    for (int size : {16, 32, 48}) {
        EXPECT_EQ(StoredIconWidth(size), size) << "size " << size;
        const SIZE loaded = LoadedIconSize(size);
        EXPECT_EQ(loaded.cx, size) << "size " << size;
        EXPECT_EQ(loaded.cy, size) << "size " << size;
    }
}

// --- Dialogs ---------------------------------------------------------------------------

// Registers the common control classes of the calendar and the lists. Looked
// up at run time so that the test program does not depend on how the
// interface library is linked.
bool RegisterCommonControls() {
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library) return false;
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = reinterpret_cast<Init>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    if (!init) return false;
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES;
    return init(&controls) != FALSE;
}

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// A hidden top-level window to own the dialogs.
class OwnedDialogTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterCommonControls());
        owner_ = CreateWindowExA(0, "Static", "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                 nullptr, nullptr, Module(), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        if (owner_) DestroyWindow(owner_);
    }
    HWND owner_ = nullptr;
};

using AboutDialog = OwnedDialogTest;

TEST_F(AboutDialog, ShowsNameVersionAndIconAndClosesOnOk) {
    std::string caption, name, version;
    bool hasIcon = false;
    DialogDriver driver([&](HWND dialog) {
        caption = WindowText(dialog);
        name = WindowText(GetDlgItem(dialog, IDC_ABOUT_NAME));
        version = WindowText(GetDlgItem(dialog, IDC_ABOUT_VERSION));
        hasIcon = SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    const INT_PTR result = DialogBoxParamA(Module(), MAKEINTRESOURCEA(IDD_ABOUT), owner_,
                                           AboutDialogProc, 0);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(driver.DialogsDriven(), 1);
    EXPECT_EQ(driver.DialogsCancelled(), 0);
    EXPECT_EQ(caption, "About Vantrel!");
    EXPECT_EQ(name, "Vantrel!");
    EXPECT_EQ(version, "VERSION 1.3");
    EXPECT_TRUE(hasIcon);
}

struct FormControl {
    int id;
    const char* className;
    DWORD typeMask;  // the style bits that make the kind of control
    DWORD type;      // their expected value
    const char* text;
    RECT place;      // x, y, width, height in dialog units
};

const DWORD kListStyleBits =
    LVS_TYPEMASK | LVS_SINGLESEL | LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_OWNERDRAWFIXED |
    LVS_NOSORTHEADER | LVS_OWNERDATA;
const DWORD kCalendarStyleBits = MCS_NOTODAYCIRCLE | MCS_DAYSTATE | MCS_MULTISELECT;

// Every control of the form, in creation (and tab) order.
const FormControl kDayViewControls[] = {
    {1000, "SysMonthCal32", kCalendarStyleBits, MCS_NOTODAYCIRCLE, "", {3, 3, 140, 115}},
    {1079, "Button", BS_TYPEMASK, BS_GROUPBOX, "Phone Book", {145, 0, 275, 118}},
    {1113, "Button", BS_TYPEMASK, BS_GROUPBOX, "", {149, 4, 268, 17}},
    {1044, "Button", BS_TYPEMASK | WS_GROUP, BS_AUTORADIOBUTTON | WS_GROUP, "&White Pages",
     {154, 10, 58, 10}},
    {1045, "Button", BS_TYPEMASK | WS_GROUP, BS_AUTORADIOBUTTON, "&Yellow Pages",
     {217, 10, 58, 10}},
    {1003, "SysListView32", kListStyleBits, LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA, "",
     {149, 23, 126, 93}},
    {1057, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Home Phone:", {276, 27, 44, 8}},
    {1004, "Button", BS_TYPEMASK, BS_PUSHBUTTON, "Not Available", {320, 25, 97, 12}},
    {1058, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Work Phone:", {276, 40, 44, 8}},
    {1005, "Button", BS_TYPEMASK, BS_PUSHBUTTON, "Not Available", {320, 38, 97, 12}},
    {1061, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Pager:", {276, 53, 44, 8}},
    {1006, "Button", BS_TYPEMASK, BS_PUSHBUTTON, "Not Available", {320, 51, 97, 12}},
    {1059, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Fax:", {276, 66, 44, 8}},
    {1007, "Static", SS_TYPEMASK, SS_CENTER, "Not Available", {323, 65, 90, 10}},
    {1062, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Cel Phone:", {276, 78, 44, 8}},
    {1009, "Button", BS_TYPEMASK, BS_PUSHBUTTON, "Not Available", {320, 76, 97, 12}},
    {1060, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "E-Mail:", {276, 92, 44, 8}},
    {1008, "Button", BS_TYPEMASK, BS_PUSHBUTTON, "Not Available", {320, 89, 97, 12}},
    {1063, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Web Page:", {276, 104, 44, 8}},
    {1010, "Button", BS_TYPEMASK, BS_PUSHBUTTON, "Not Available", {320, 102, 97, 12}},
    {1078, "Button", BS_TYPEMASK, BS_GROUPBOX, "Appointments", {3, 119, 197, 92}},
    {1011, "Static", SS_TYPEMASK, SS_CENTER, "Date goes here!", {12, 127, 177, 9}},
    {1001, "SysListView32", kListStyleBits,
     LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER, "", {7, 137, 192, 69}},
    {1080, "Button", BS_TYPEMASK, BS_GROUPBOX, "Tasks", {204, 119, 216, 92}},
    {1002, "SysListView32", kListStyleBits, LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA, "",
     {207, 128, 208, 80}},
};

class DayViewForm : public OwnedDialogTest {
protected:
    void SetUp() override {
        OwnedDialogTest::SetUp();
        form_ = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_DAY_VIEW), owner_,
                                   PassiveDialogProc, 0);
        ASSERT_NE(form_, nullptr);
    }
    HWND form_ = nullptr;
};

TEST_F(DayViewForm, IsAVisibleBorderlessChildWithoutCaption) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(form_, GWL_STYLE));
    EXPECT_NE(style & WS_CHILD, 0u);
    EXPECT_NE(style & WS_VISIBLE, 0u);
    EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_POPUP), 0u);
    EXPECT_EQ(GetParent(form_), owner_);
    // A control parent, so Tab moves through the form from the frame.
    EXPECT_NE(GetWindowLongA(form_, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
}

TEST_F(DayViewForm, CreatesEveryControlInOrderWithItsClassStyleAndText) {
    std::vector<int> order;
    for (HWND child = GetWindow(form_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(GetDlgCtrlID(child));
    std::vector<int> expectedOrder;
    for (const FormControl& control : kDayViewControls) expectedOrder.push_back(control.id);
    // The frame round the radio buttons comes before the phone book's frame,
    // so the caption it reaches into is drawn last; the tab order (controls
    // that take the focus) is unchanged.
    const auto pages = std::find(expectedOrder.begin(), expectedOrder.end(), IDC_DAY_PAGES_GROUP);
    const auto book = std::find(expectedOrder.begin(), expectedOrder.end(), IDC_DAY_PHONE_BOOK_GROUP);
    ASSERT_TRUE(pages != expectedOrder.end() && book != expectedOrder.end());
    std::iter_swap(pages, book);
    EXPECT_EQ(order, expectedOrder);

    for (const FormControl& control : kDayViewControls) {
        SCOPED_TRACE("control " + std::to_string(control.id));
        HWND window = GetDlgItem(form_, control.id);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(lstrcmpiA(ClassName(window).c_str(), control.className), 0)
            << ClassName(window);
        const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
        EXPECT_EQ(style & control.typeMask, control.type);
        EXPECT_NE(style & WS_VISIBLE, 0u);
        EXPECT_EQ(WindowText(window), control.text);
    }
}

TEST_F(DayViewForm, PlacesEveryControlAtItsDialogUnits) {
    for (const FormControl& control : kDayViewControls) {
        SCOPED_TRACE("control " + std::to_string(control.id));
        // Position and size are converted each on its own, as the dialog
        // manager does when it creates the control.
        RECT expected = control.place;
        ASSERT_TRUE(MapDialogRect(form_, &expected));
        expected.right += expected.left;
        expected.bottom += expected.top;
        RECT actual = {};
        HWND window = GetDlgItem(form_, control.id);
        ASSERT_NE(window, nullptr);
        GetWindowRect(window, &actual);
        MapWindowPoints(nullptr, form_, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom, expected.bottom);
    }
}

TEST_F(DayViewForm, ListsShowTheirSelectionTakeTabAndEndTheRadioGroup) {
    const auto style = [&](int id) {
        return static_cast<DWORD>(GetWindowLongA(GetDlgItem(form_, id), GWL_STYLE));
    };
    EXPECT_NE(style(IDC_DAY_PHONE_LIST) & LVS_SHOWSELALWAYS, 0u);
    EXPECT_NE(style(IDC_DAY_TASK_LIST) & LVS_SHOWSELALWAYS, 0u);
    for (int id : {IDC_DAY_PHONE_LIST, IDC_DAY_TASK_LIST, IDC_DAY_TIME_SLOT_LIST, IDC_DAY_CALENDAR})
        EXPECT_NE(style(id) & WS_TABSTOP, 0u) << "control " << id;
    // The list after the radio buttons starts a new group, which ends theirs.
    EXPECT_NE(style(IDC_DAY_PHONE_LIST) & WS_GROUP, 0u);
}

}  // namespace
