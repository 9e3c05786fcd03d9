// The appointment editor, run modally and driven from inside its own loop:
// the fields it opens with, the quarter-hour steps of begin and end with
// their wrap-arounds and pushes, the day picked, the alarm, and help.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "AppointmentEditor.h"
#include "DialogDriver.h"
#include "TemplateControls.h"
#include "HelpLibrary.h"
#include "resource.h"

namespace {

std::vector<std::pair<DWORD, DWORD>> g_helpTopics;  // control, topic
std::string g_helpFile;

HWND WINAPI RecordHelp(HWND, LPCSTR file, UINT command, DWORD_PTR data) {
    const auto* pairs = reinterpret_cast<const DWORD*>(data);
    EXPECT_EQ(command, kHelpPopupForRequest);
    g_helpFile = file ? file : "";
    g_helpTopics.emplace_back(pairs[0], pairs[1]);
    return nullptr;
}

std::string Text(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The dialog's answer to a step request of a time up-down: positive deltas
// are Up.
LRESULT Step(HWND dialog, int spinId, int delta) {
    NMUPDOWN step = {};
    step.hdr.hwndFrom = GetDlgItem(dialog, spinId);
    step.hdr.idFrom = static_cast<UINT_PTR>(spinId);
    step.hdr.code = UDN_DELTAPOS;
    step.iPos = static_cast<int>(SendMessageA(step.hdr.hwndFrom, UDM_GETPOS32, 0, 0));
    step.iDelta = delta;
    return SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(spinId), reinterpret_cast<LPARAM>(&step));
}

// Presses and releases the mouse on the upper or lower arrow of an up-down.
void ClickArrow(HWND dialog, int spinId, bool upper) {
    HWND spin = GetDlgItem(dialog, spinId);
    RECT area = {};
    GetClientRect(spin, &area);
    const LPARAM point = MAKELPARAM(area.right / 2, upper ? area.bottom / 4 : area.bottom * 3 / 4);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(spin, WM_LBUTTONUP, 0, point);
}

int Position(HWND dialog, int spinId) {
    return static_cast<int>(SendDlgItemMessageA(dialog, spinId, UDM_GETPOS32, 0, 0));
}

DateTime At(int day, int hour, int minute) { return DateTime::FromFields(2002, 3, day, hour, minute, 0); }

class AppointmentEditorTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        g_helpTopics.clear();
        owner_ = CreateWindowExA(0, "Static", "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
        Schedule(10, 0, 10, 15);
    }
    void TearDown() override { DestroyWindow(owner_); }

    // An appointment "Dentist" on 2002-03-15 from begin to end, without alarm.
    void Schedule(int beginHour, int beginMinute, int endHour, int endMinute) {
        data_ = AppointmentEditorData();
        data_.caption = "Edit Appointment";
        data_.text = "Dentist";
        data_.date = At(15, 0, 0);
        data_.begin = At(15, beginHour, beginMinute);
        data_.end = At(15, endHour, endMinute);
        data_.alarmTime = data_.begin;
    }

    // Runs the editor on data_; `action` plays the user and must close it.
    INT_PTR Run(const DialogDriver::Action& action) {
        DialogDriver driver(action);
        AppointmentEditor editor(data_, {&help_, "C:\\Apps\\Vantrel", "Vantrel.chm"});
        const INT_PTR result = editor.Run(owner_);
        EXPECT_EQ(driver.DialogsDriven(), 1);
        EXPECT_EQ(driver.DialogsCancelled(), 0) << "the dialog was left open";
        return result;
    }

    // The begin and end fields after `action`, with the dialog then cancelled.
    std::pair<std::string, std::string> TimesAfter(const std::function<void(HWND)>& action) {
        std::pair<std::string, std::string> times;
        Run([&](HWND dialog) {
            action(dialog);
            times = {Text(dialog, IDC_APPOINTMENT_BEGIN), Text(dialog, IDC_APPOINTMENT_END)};
            SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
        });
        return times;
    }

    std::string MinutesShown() {
        std::string minutes;
        Run([&](HWND dialog) {
            minutes = Text(dialog, IDC_APPOINTMENT_MINUTES);
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_APPOINTMENT_SET_ALARM) == BST_CHECKED, data_.alarm);
            SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
        });
        return minutes;
    }

    HWND owner_ = nullptr;
    AppointmentEditorData data_;
    HelpLibrary help_{[] { return &RecordHelp; }};
};

const DWORD kButtonKind = BS_TYPEMASK & ~BS_DEFPUSHBUTTON;
const DWORD kDateFormats = DTS_LONGDATEFORMAT | DTS_TIMEFORMAT | DTS_SHORTDATECENTURYFORMAT;
const DWORD kUpDownStyles = UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ALIGNLEFT |
                            UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_HORZ;
const DWORD kEditStyles = ES_AUTOHSCROLL | ES_READONLY | ES_MULTILINE | WS_DISABLED | WS_TABSTOP;

TEST_F(AppointmentEditorTest, TemplateHasEveryControlInTabOrderAtItsPlace) {
    Run([](HWND dialog) {
        // The minutes' up-down sits at the right edge of its field, which
        // narrows to make room: neither place is checked. Wine gives the
        // time up-downs a width of its own.
        ExpectControls(dialog, {
            {1069, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Appointment:", {3, 12, 42, 11}},
            {1033, "Edit", kEditStyles, ES_AUTOHSCROLL | WS_TABSTOP, nullptr, {49, 9, 170, 14}},
            {1070, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Date Due:", {3, 27, 40, 9}},
            {1000, "SysDateTimePick32", kDateFormats | WS_TABSTOP, DTS_LONGDATEFORMAT | WS_TABSTOP, nullptr, {49, 26, 170, 15}},
            {1075, "Button", BS_TYPEMASK, BS_GROUPBOX, "Times", {5, 45, 103, 50}},
            {1071, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Begin:", {11, 56, 22, 9}},
            {1040, "Edit", kEditStyles, ES_AUTOHSCROLL | WS_DISABLED, nullptr, {35, 53, 55, 15}},
            {1042, "msctls_updown32", kUpDownStyles, UDS_ALIGNRIGHT | UDS_ARROWKEYS, "", {90, 52, 10, 15}, true},
            {1072, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "End:", {11, 72, 22, 9}},
            {1041, "Edit", kEditStyles, ES_AUTOHSCROLL | WS_DISABLED, nullptr, {35, 70, 55, 15}},
            {1043, "msctls_updown32", kUpDownStyles, UDS_ALIGNRIGHT | UDS_ARROWKEYS, "", {90, 70, 10, 15}, true},
            {1074, "Button", BS_TYPEMASK, BS_GROUPBOX, "Alarm Options", {115, 45, 105, 50}},
            {1037, "Button", BS_TYPEMASK | WS_TABSTOP, BS_AUTOCHECKBOX | WS_TABSTOP, "&Set Alarm", {120, 53, 51, 14}},
            {1073, "Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, "Minutes Before Appointment:", {121, 66, 91, 10}},
            {1038, "Edit", kEditStyles, ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, nullptr, {}},
            {1039, "msctls_updown32", kUpDownStyles,
             UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_WRAP | UDS_ARROWKEYS | UDS_ALIGNRIGHT, "", {}},
            {IDOK, "Button", kButtonKind | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP, "&Ok", {114, 98, 44, 14}},
            {IDCANCEL, "Button", kButtonKind | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP, "&Cancel", {175, 98, 44, 14}},
        });
        HWND minutes = GetDlgItem(dialog, IDC_APPOINTMENT_MINUTES);
        EXPECT_EQ(reinterpret_cast<HWND>(SendDlgItemMessageA(dialog, IDC_APPOINTMENT_MINUTES_SPIN,
                                                             UDM_GETBUDDY, 0, 0)), minutes);
        EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDOK);
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
}

TEST_F(AppointmentEditorTest, AddOpensAtFiveWithoutAlarmAndOkDisabled) {
    Schedule(5, 0, 5, 15);
    data_.caption = "Add Appointment";
    data_.text = "";
    Run([](HWND dialog) {
        char caption[64] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "Add Appointment");
        EXPECT_EQ(Text(dialog, IDC_APPOINTMENT_BEGIN), "05:00 AM");
        EXPECT_EQ(Text(dialog, IDC_APPOINTMENT_END), "05:15 AM");
        EXPECT_EQ(Text(dialog, IDC_APPOINTMENT_MINUTES), "0");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_APPOINTMENT_SET_ALARM), BST_UNCHECKED);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        EXPECT_EQ(Position(dialog, IDC_APPOINTMENT_BEGIN_SPIN), 20);
        EXPECT_EQ(Position(dialog, IDC_APPOINTMENT_END_SPIN), 21);

        SYSTEMTIME range[2] = {};
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_DATE, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range));
        EXPECT_EQ(range[0].wYear * 10000 + range[0].wMonth * 100 + range[0].wDay, 19900101);
        EXPECT_EQ(range[1].wYear * 10000 + range[1].wMonth * 100 + range[1].wDay, 20351231);
        SYSTEMTIME shown = {};
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_DATE, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
        EXPECT_EQ(shown.wYear * 10000 + shown.wMonth * 100 + shown.wDay, 20020315);

        // Typing a text enables OK.
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_TEXT, WM_CHAR, 'x', 0);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
}

TEST_F(AppointmentEditorTest, StoredAlarmLeadShowsRoundedUpToFiveAndZeroBeyondAnHour) {
    Schedule(14, 0, 15, 0);
    data_.alarm = true;
    data_.alarmTime = At(15, 13, 48);
    EXPECT_EQ(MinutesShown(), "15");
    data_.alarmTime = At(15, 12, 30);
    EXPECT_EQ(MinutesShown(), "0");
    data_.alarmTime = At(15, 14, 10);  // after the beginning: the sign is dropped
    EXPECT_EQ(MinutesShown(), "10");
}

TEST_F(AppointmentEditorTest, BeginWrapsBetween2245And0500) {
    Schedule(22, 45, 23, 0);
    auto times = TimesAfter([](HWND dialog) {
        EXPECT_NE(Step(dialog, IDC_APPOINTMENT_BEGIN_SPIN, 1), 0) << "the control must not step itself";
        EXPECT_EQ(Position(dialog, IDC_APPOINTMENT_BEGIN_SPIN), 20);
    });
    EXPECT_EQ(times, std::make_pair(std::string("05:00 AM"), std::string("11:00 PM")));

    Schedule(5, 0, 5, 30);
    times = TimesAfter([](HWND dialog) { Step(dialog, IDC_APPOINTMENT_BEGIN_SPIN, -1); });
    // At 22:45 the begin is after 05:30: the end follows a quarter later.
    EXPECT_EQ(times, std::make_pair(std::string("10:45 PM"), std::string("11:00 PM")));
}

TEST_F(AppointmentEditorTest, EndWrapsBetween2300And0515) {
    Schedule(5, 0, 23, 0);
    auto times = TimesAfter([](HWND dialog) {
        Step(dialog, IDC_APPOINTMENT_END_SPIN, 3);
        EXPECT_EQ(Position(dialog, IDC_APPOINTMENT_END_SPIN), 21);
    });
    EXPECT_EQ(times, std::make_pair(std::string("05:00 AM"), std::string("05:15 AM")));

    Schedule(5, 0, 5, 15);
    times = TimesAfter([](HWND dialog) { Step(dialog, IDC_APPOINTMENT_END_SPIN, -1); });
    EXPECT_EQ(times, std::make_pair(std::string("05:00 AM"), std::string("11:00 PM")));
}

TEST_F(AppointmentEditorTest, StepsPushTheOtherTimeAQuarterAwayAndOkStoresBoth) {
    Run([](HWND dialog) {
        Step(dialog, IDC_APPOINTMENT_BEGIN_SPIN, 1);
        EXPECT_EQ(Text(dialog, IDC_APPOINTMENT_BEGIN), "10:15 AM");
        EXPECT_EQ(Text(dialog, IDC_APPOINTMENT_END), "10:30 AM");
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(data_.begin, At(15, 10, 15));
    EXPECT_EQ(data_.end, At(15, 10, 30));

    Schedule(10, 0, 10, 15);
    Run([](HWND dialog) {
        Step(dialog, IDC_APPOINTMENT_END_SPIN, -1);
        EXPECT_EQ(Text(dialog, IDC_APPOINTMENT_BEGIN), "09:45 AM");
        EXPECT_EQ(Text(dialog, IDC_APPOINTMENT_END), "10:00 AM");
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(data_.begin, At(15, 9, 45));
    EXPECT_EQ(data_.end, At(15, 10, 0));
}

TEST_F(AppointmentEditorTest, TheUpDownsStepTheTimesWhenClickedOrGivenTheArrowKeys) {
    Schedule(9, 0, 11, 0);
    const auto times = TimesAfter([](HWND dialog) {
        ClickArrow(dialog, IDC_APPOINTMENT_BEGIN_SPIN, true);
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_BEGIN_SPIN, WM_KEYDOWN, VK_UP, 0);
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_BEGIN_SPIN, WM_KEYUP, VK_UP, 0);
        ClickArrow(dialog, IDC_APPOINTMENT_END_SPIN, false);
    });
    EXPECT_EQ(times, std::make_pair(std::string("09:30 AM"), std::string("10:45 AM")));
}

TEST_F(AppointmentEditorTest, PickingADayMovesBeginAndEndThereKeepingTheirTimes) {
    Schedule(9, 30, 10, 0);
    Run([](HWND dialog) {
        NMDATETIMECHANGE change = {};
        change.nmhdr.hwndFrom = GetDlgItem(dialog, IDC_APPOINTMENT_DATE);
        change.nmhdr.idFrom = IDC_APPOINTMENT_DATE;
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.dwFlags = GDT_VALID;
        change.st = {2002, 3, 6, 16, 18, 5, 0, 0};  // a time of day comes with the pick
        SendMessageA(change.nmhdr.hwndFrom, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&change.st));
        SendMessageA(dialog, WM_NOTIFY, IDC_APPOINTMENT_DATE, reinterpret_cast<LPARAM>(&change));
        // Later steps stay on the new day.
        Step(dialog, IDC_APPOINTMENT_END_SPIN, 1);
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(data_.date, At(16, 0, 0));
    EXPECT_EQ(data_.begin, At(16, 9, 30));
    EXPECT_EQ(data_.end, At(16, 10, 15));
    EXPECT_EQ(data_.year * 10000 + data_.month * 100 + data_.day, 20020316);
}

TEST_F(AppointmentEditorTest, SettingTheAlarmFifteenMinutesAheadStoresItAndShowsItAgain) {
    Schedule(14, 0, 15, 0);
    data_.done = true;
    const INT_PTR result = Run([](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_SET_ALARM, BM_CLICK, 0, 0);
        for (int click = 0; click < 3; ++click) ClickArrow(dialog, IDC_APPOINTMENT_MINUTES_SPIN, true);
        EXPECT_EQ(Text(dialog, IDC_APPOINTMENT_MINUTES), "15");
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(data_.alarm);
    EXPECT_EQ(data_.alarmBox, 1);
    EXPECT_EQ(data_.minutes, 15);
    EXPECT_EQ(data_.alarmTime.Day(), 15);
    EXPECT_EQ(data_.alarmTime.Hour() * 60 + data_.alarmTime.Minute(), 13 * 60 + 45);
    EXPECT_TRUE(data_.done);
    EXPECT_EQ(MinutesShown(), "15");
}

TEST_F(AppointmentEditorTest, ClearingSetAlarmKeepsTheAlarmTime) {
    data_.alarm = true;
    data_.alarmTime = At(15, 9, 30);
    Run([](HWND dialog) {
        EXPECT_EQ(Text(dialog, IDC_APPOINTMENT_MINUTES), "30");
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_SET_ALARM, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(data_.alarm);
    EXPECT_EQ(data_.alarmBox, 0);
    EXPECT_EQ(data_.alarmTime, At(15, 9, 30));
    EXPECT_FALSE(data_.done);
}

TEST_F(AppointmentEditorTest, MinutesStepByFiveAndWrapAtTheEndsOfTheHour) {
    std::vector<std::string> seen;
    Run([&seen](HWND dialog) {
        HWND minutes = GetDlgItem(dialog, IDC_APPOINTMENT_MINUTES);
        auto press = [&](WPARAM key) {
            SendMessageA(minutes, WM_KEYDOWN, key, 0);
            SendMessageA(minutes, WM_KEYUP, key, 0);
            seen.push_back(Text(dialog, IDC_APPOINTMENT_MINUTES));
        };
        press(VK_UP);
        press(VK_DOWN);
        press(VK_DOWN);  // below 0: round to the top
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_MINUTES_SPIN, UDM_SETPOS32, 0, 60);
        press(VK_UP);  // above 60: round to the bottom
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], "5");
    EXPECT_EQ(seen[1], "0");
    // Going round lands on the other end, a multiple of five.
    EXPECT_EQ(seen[2], "60");
    EXPECT_EQ(seen[3], "0");
}

TEST_F(AppointmentEditorTest, MinutesThatAreNoNumberKeepTheLeadShownAtOpening) {
    data_.alarmTime = At(15, 9, 40);
    Run([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_APPOINTMENT_MINUTES, "soon");
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_SET_ALARM, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(data_.minutes, 20);
    EXPECT_EQ(data_.alarmTime.Hour() * 60 + data_.alarmTime.Minute(), 9 * 60 + 40);
}

TEST_F(AppointmentEditorTest, CancelLeavesTheDataAsItWas) {
    const AppointmentEditorData before = data_;
    const INT_PTR result = Run([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_APPOINTMENT_TEXT, "Other");
        Step(dialog, IDC_APPOINTMENT_BEGIN_SPIN, 1);
        SendDlgItemMessageA(dialog, IDC_APPOINTMENT_SET_ALARM, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(data_.text, before.text);
    EXPECT_EQ(data_.begin, before.begin);
    EXPECT_EQ(data_.end, before.end);
    EXPECT_FALSE(data_.alarm);
}

TEST_F(AppointmentEditorTest, F1ShowsEachControlsTopicAndNothingForOthers) {
    const std::vector<std::pair<DWORD, DWORD>> expected = {
        {1033, 1400}, {1069, 1400}, {1000, 1401}, {1070, 1401}, {1040, 1402}, {1071, 1402},
        {1042, 1402}, {1041, 1403}, {1072, 1403}, {1043, 1403}, {1037, 1404}, {1073, 1405},
        {1038, 1405}, {1039, 1405}, {1075, 1406}, {1074, 1410}, {1, 1000},    {2, 1001},
    };
    Run([&expected](HWND dialog) {
        HELPINFO request = {};
        request.cbSize = sizeof request;
        request.iContextType = HELPINFO_WINDOW;
        for (const auto& entry : expected) {
            request.iCtrlId = static_cast<int>(entry.first);
            request.hItemHandle = GetDlgItem(dialog, request.iCtrlId);
            SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
        }
        request.iCtrlId = 1036;  // no such control
        SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(g_helpTopics, expected);
    EXPECT_EQ(g_helpFile, "C:\\Apps\\Vantrel\\Vantrel.chm");
}

}  // namespace
