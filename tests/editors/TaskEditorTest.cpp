// The task editor, run modally and driven from inside its own loop as a user
// would: the fields it opens with, OK following the text, what OK reads back,
// Cancel, and help on its controls.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "HelpLibrary.h"
#include "OleDateArithmetic.h"
#include "StorableDays.h"
#include "TaskEditor.h"
#include "TemplateControls.h"
#include "resource.h"

namespace {

struct HelpCall {
    std::string file;
    UINT command;
    DWORD control;
    DWORD topic;
};
std::vector<HelpCall> g_helpCalls;

HWND WINAPI RecordHelp(HWND, LPCSTR file, UINT command, DWORD_PTR data) {
    const auto* pairs = reinterpret_cast<const DWORD*>(data);
    g_helpCalls.push_back({file ? file : "", command, pairs ? pairs[0] : 0, pairs ? pairs[1] : 0});
    return nullptr;
}

std::string Text(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Picks a day in the date picker as the user would: the control changes,
// then tells the dialog.
void PickDate(HWND dialog, WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0) {
    HWND picker = GetDlgItem(dialog, IDC_TASK_DUE_DATE);
    NMDATETIMECHANGE change = {};
    change.nmhdr.hwndFrom = picker;
    change.nmhdr.idFrom = IDC_TASK_DUE_DATE;
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st.wYear = year;
    change.st.wMonth = month;
    change.st.wDay = day;
    change.st.wHour = hour;
    change.st.wMinute = minute;
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&change.st));
    SendMessageA(dialog, WM_NOTIFY, IDC_TASK_DUE_DATE, reinterpret_cast<LPARAM>(&change));
}

// Replaces the whole text of the task field by typing `text`.
void TypeText(HWND dialog, const char* text) {
    HWND field = GetDlgItem(dialog, IDC_TASK_TEXT);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_CHAR, VK_BACK, 0);
    for (const char* c = text; *c; ++c) SendMessageA(field, WM_CHAR, static_cast<WPARAM>(*c), 0);
}

class TaskEditorTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        g_helpCalls.clear();
        owner_ = CreateWindowExA(0, "Static", "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
        data_.caption = "Add Task";
        data_.priority = 0;
        data_.dueDate = DateTime::FromFields(2002, 3, 15, 0, 0, 0);
    }
    void TearDown() override { DestroyWindow(owner_); }

    // Runs the editor on data_; `action` plays the user and must close it.
    INT_PTR Run(const DialogDriver::Action& action) {
        DialogDriver driver(action);
        TaskEditor editor(data_, {&help_, "C:\\Apps\\Vantrel", "Vantrel.chm"});
        const INT_PTR result = editor.Run(owner_);
        EXPECT_EQ(driver.DialogsDriven(), 1);
        EXPECT_EQ(driver.DialogsCancelled(), 0) << "the dialog was left open";
        return result;
    }

    HWND owner_ = nullptr;
    TaskEditorData data_;
    HelpLibrary help_{[] { return &RecordHelp; }};
};

// Push buttons may become the default button while the dialog runs.
const DWORD kButtonKind = BS_TYPEMASK & ~BS_DEFPUSHBUTTON;
const DWORD kDateFormats = DTS_LONGDATEFORMAT | DTS_TIMEFORMAT | DTS_SHORTDATECENTURYFORMAT;
const DWORD kTabBits = WS_GROUP | WS_TABSTOP;

TEST_F(TaskEditorTest, TemplateHasEveryControlInTabOrderAtItsPlace) {
    Run([](HWND dialog) {
        ExpectControls(dialog, {
            {1052, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Task:", {6, 7, 22, 12}},
            {1038, "Edit", ES_AUTOHSCROLL | ES_MULTILINE | kTabBits, ES_AUTOHSCROLL | kTabBits, nullptr, {27, 6, 173, 12}},
            {1051, "Button", BS_TYPEMASK | WS_TABSTOP, BS_GROUPBOX, "Priority", {6, 19, 45, 62}},
            {1025, "Button", BS_TYPEMASK | kTabBits, BS_AUTORADIOBUTTON | kTabBits, "High", {10, 28, 40, 12}},
            {1024, "Button", BS_TYPEMASK | WS_GROUP, BS_AUTORADIOBUTTON, "Medium", {10, 40, 40, 12}},
            {1023, "Button", BS_TYPEMASK | WS_GROUP, BS_AUTORADIOBUTTON, "Low", {10, 53, 40, 12}},
            {1022, "Button", BS_TYPEMASK | WS_GROUP, BS_AUTORADIOBUTTON, "Done", {10, 66, 33, 12}},
            {-1, "Button", BS_TYPEMASK | kTabBits, BS_GROUPBOX | WS_GROUP, "", {54, 19, 146, 31}},
            {1110, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Due Date:", {57, 26, 34, 8}},
            {1100, "SysDateTimePick32", kDateFormats | WS_TABSTOP, DTS_SHORTDATEFORMAT | WS_TABSTOP, nullptr, {57, 35, 138, 12}},
            {IDOK, "Button", kButtonKind | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP, "&Ok", {105, 68, 45, 12}},
            {IDCANCEL, "Button", kButtonKind | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP, "&Cancel", {154, 68, 45, 12}},
        });
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
}

TEST_F(TaskEditorTest, AddOpensWithTheCaptionNoTextHighAndTheDueDayAndOkDisabled) {
    const INT_PTR result = Run([](HWND dialog) {
        char caption[64] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "Add Task");
        EXPECT_EQ(Text(dialog, IDC_TASK_TEXT), "");
        EXPECT_TRUE(Checked(dialog, IDC_TASK_PRIORITY_HIGH));
        for (int id : {IDC_TASK_PRIORITY_MEDIUM, IDC_TASK_PRIORITY_LOW, IDC_TASK_PRIORITY_DONE})
            EXPECT_FALSE(Checked(dialog, id)) << id;
        SYSTEMTIME shown = {};
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_TASK_DUE_DATE, DTM_GETSYSTEMTIME, 0,
                                      reinterpret_cast<LPARAM>(&shown)), GDT_VALID);
        EXPECT_EQ(shown.wYear, 2002);
        EXPECT_EQ(shown.wMonth, 3);
        EXPECT_EQ(shown.wDay, 15);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        // Enter with an empty text does not close the dialog.
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindow(dialog));
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(TaskEditorTest, EditShowsTheTaskAndOkFollowsTheText) {
    data_ = {"Edit Task", "Water plants", 2, DateTime::FromFields(2002, 3, 20, 0, 0, 0)};
    Run([](HWND dialog) {
        EXPECT_EQ(Text(dialog, IDC_TASK_TEXT), "Water plants");
        EXPECT_TRUE(Checked(dialog, IDC_TASK_PRIORITY_LOW));
        EXPECT_FALSE(Checked(dialog, IDC_TASK_PRIORITY_HIGH));
        HWND ok = GetDlgItem(dialog, IDOK);
        EXPECT_TRUE(IsWindowEnabled(ok));
        TypeText(dialog, "");
        EXPECT_FALSE(IsWindowEnabled(ok));
        TypeText(dialog, "x");
        EXPECT_TRUE(IsWindowEnabled(ok));
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
}

TEST_F(TaskEditorTest, OkTakesTheTextThePriorityAndThePickedDayAtMidnight) {
    const INT_PTR result = Run([](HWND dialog) {
        TypeText(dialog, "File taxes");
        SendDlgItemMessageA(dialog, IDC_TASK_PRIORITY_DONE, BM_CLICK, 0, 0);
        PickDate(dialog, 2002, 4, 2, 13, 27);
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(data_.text, "File taxes");
    EXPECT_EQ(data_.priority, 3);
    EXPECT_EQ(data_.dueDate, DateTime::FromFields(2002, 4, 2, 0, 0, 0));
    EXPECT_EQ(data_.caption, "Add Task");
}

TEST_F(TaskEditorTest, OkWithNoPriorityCheckedGivesMinusOneAndKeepsTheDueDay) {
    data_.text = "Call Jane";
    Run([](HWND dialog) {
        for (int id : {IDC_TASK_PRIORITY_HIGH, IDC_TASK_PRIORITY_MEDIUM, IDC_TASK_PRIORITY_LOW,
                       IDC_TASK_PRIORITY_DONE})
            CheckDlgButton(dialog, id, BST_UNCHECKED);
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(data_.priority, -1);
    EXPECT_EQ(data_.text, "Call Jane");
    EXPECT_EQ(data_.dueDate, DateTime::FromFields(2002, 3, 15, 0, 0, 0));
}

TEST_F(TaskEditorTest, CancelAfterChangingEveryFieldLeavesTheDataAsItWas) {
    data_ = {"Edit Task", "Water plants", 1, DateTime::FromFields(2002, 3, 20, 0, 0, 0)};
    const TaskEditorData before = data_;
    const INT_PTR result = Run([](HWND dialog) {
        TypeText(dialog, "Something else");
        SendDlgItemMessageA(dialog, IDC_TASK_PRIORITY_DONE, BM_CLICK, 0, 0);
        PickDate(dialog, 2003, 1, 1);
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(data_.text, before.text);
    EXPECT_EQ(data_.priority, before.priority);
    EXPECT_EQ(data_.dueDate, before.dueDate);
}

SYSTEMTIME Day(WORD year, WORD month, WORD day) {
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    return time;
}

std::string DayText(const SYSTEMTIME& time) {
    return std::to_string(time.wYear) + "-" + std::to_string(time.wMonth) + "-" +
           std::to_string(time.wDay);
}

// The file keeps dates as 32-bit seconds from 1970: the picker offers only
// 1970-01-01 to 2038-01-18.
TEST_F(TaskEditorTest, OnlyDaysTheFileCanHoldCanBePicked) {
    std::string first, last, shownAfterTries;
    DWORD limits = 0;
    const INT_PTR result = Run([&](HWND dialog) {
        HWND picker = GetDlgItem(dialog, IDC_TASK_DUE_DATE);
        SYSTEMTIME range[2] = {};
        limits = static_cast<DWORD>(
            SendMessageA(picker, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
        first = DayText(range[0]);
        last = DayText(range[1]);
        // Days past either end are not taken.
        for (SYSTEMTIME outside : {Day(2040, 6, 1), Day(2038, 1, 19), Day(1969, 12, 31)})
            SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&outside));
        SYSTEMTIME shown = {};
        SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
        shownAfterTries = DayText(shown);
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(static_cast<DWORD>(GDTR_MIN | GDTR_MAX), limits);
    EXPECT_EQ("1970-1-1", first);
    EXPECT_EQ("2038-1-18", last);
    EXPECT_EQ("2002-3-15", shownAfterTries);
}

// Other zones offer other days: east of UTC 1970-01-01 began before the
// file's first moment; west of it 2038-01-18 ends after its last. Santiago
// (UTC-4, UTC-3 in the southern summer) is 00:14:07 then, not 23:14:07.
int32_t Santiago(int64_t unixTime) {
    int year = 0, month = 0, day = 0;
    OleDate::CivilFromDays(unixTime / 86400, year, month, day);
    return month >= 10 || month <= 3 ? -3 * 3600 : -4 * 3600;
}

TEST(StorableDays, FollowTheZonesOffsetAtBothEnds) {
    const struct {
        int32_t offset;  // fixed; Santiago's rules when 1
        std::vector<int> days;
    } cases[] = {{3600, {1970, 1, 2, 2038, 1, 18}}, {-5 * 3600, {1970, 1, 1, 2038, 1, 17}},
                 {1, {1970, 1, 1, 2038, 1, 18}}, {-11648, {1970, 1, 1, 2038, 1, 18}}};  // last: 23:59:59
    for (const auto& c : cases) {
        const UtcOffsetRule fixed = [&c](int64_t) { return c.offset; };
        const StorableDayRange r = StorableDays(c.offset == 1 ? UtcOffsetRule(Santiago) : fixed);
        EXPECT_EQ(c.days, (std::vector<int>{r.first.year, r.first.month, r.first.day, r.last.year,
                                            r.last.month, r.last.day})) << c.offset;
    }
}

// A task due outside those days shows the nearest one, and OK without a
// pick keeps its own due day.
TEST_F(TaskEditorTest, ATaskDueOutsideTheFilesDaysShowsTheNearestAndOKKeepsItsDay) {
    data_ = {"Edit Task", "Plan the move", 1, DateTime::FromFields(2040, 6, 1, 0, 0, 0)};
    std::string shown;
    Run([&](HWND dialog) {
        SYSTEMTIME time = {};
        SendDlgItemMessageA(dialog, IDC_TASK_DUE_DATE, DTM_GETSYSTEMTIME, 0,
                            reinterpret_cast<LPARAM>(&time));
        shown = DayText(time);
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ("2038-1-18", shown);
    EXPECT_EQ(data_.dueDate, DateTime::FromFields(2040, 6, 1, 0, 0, 0));
}

TEST_F(TaskEditorTest, F1ShowsEachControlsTopicFromTheHelpFileAndNothingForOthers) {
    const std::vector<std::pair<int, DWORD>> expected = {
        {IDC_TASK_TEXT, 1301},          {IDC_TASK_TEXT_LABEL, 1301},
        {IDC_TASK_PRIORITY_GROUP, 1302}, {IDC_TASK_PRIORITY_HIGH, 1302},
        {IDC_TASK_PRIORITY_MEDIUM, 1302}, {IDC_TASK_PRIORITY_LOW, 1302},
        {IDC_TASK_PRIORITY_DONE, 1302},  {IDC_TASK_DUE_DATE, 1300},
        {IDC_TASK_DUE_DATE_LABEL, 1300}, {IDOK, 1000},
        {IDCANCEL, 1001},
    };
    Run([&expected](HWND dialog) {
        HELPINFO request = {};
        request.cbSize = sizeof request;
        request.iContextType = HELPINFO_WINDOW;
        for (const auto& entry : expected) {
            request.iCtrlId = entry.first;
            request.hItemHandle = GetDlgItem(dialog, entry.first);
            SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
        }
        // The frame that closes the radio group has no help.
        request.iCtrlId = -1;
        request.hItemHandle = GetDlgItem(dialog, -1);
        SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
    ASSERT_EQ(g_helpCalls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(expected[i].first));
        EXPECT_EQ(g_helpCalls[i].file, "C:\\Apps\\Vantrel\\Vantrel.chm");
        EXPECT_EQ(g_helpCalls[i].command, kHelpPopupForRequest);
        EXPECT_EQ(g_helpCalls[i].control, static_cast<DWORD>(expected[i].first));
        EXPECT_EQ(g_helpCalls[i].topic, expected[i].second);
    }
}

}  // namespace
