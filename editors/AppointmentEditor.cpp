#include "AppointmentEditor.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "AppointmentTimes.h"
#include "CalendarPlatform.h"
#include "DateText.h"
#include "DayRows.h"
#include "SystemTimeFields.h"
#include "WindowText.h"
#include "resource.h"

namespace {

const char kTimePicture[] = "%I:%M %p";

const std::vector<HelpTopic>& AppointmentHelpTopics() {
    static const std::vector<HelpTopic> topics = {
        {IDC_APPOINTMENT_TEXT, 1400},          {IDC_APPOINTMENT_TEXT_LABEL, 1400},
        {IDC_APPOINTMENT_DATE, 1401},          {IDC_APPOINTMENT_DATE_LABEL, 1401},
        {IDC_APPOINTMENT_BEGIN, 1402},         {IDC_APPOINTMENT_BEGIN_LABEL, 1402},
        {IDC_APPOINTMENT_BEGIN_SPIN, 1402},    {IDC_APPOINTMENT_END, 1403},
        {IDC_APPOINTMENT_END_LABEL, 1403},     {IDC_APPOINTMENT_END_SPIN, 1403},
        {IDC_APPOINTMENT_SET_ALARM, 1404},     {IDC_APPOINTMENT_MINUTES_LABEL, 1405},
        {IDC_APPOINTMENT_MINUTES, 1405},       {IDC_APPOINTMENT_MINUTES_SPIN, 1405},
        {IDC_APPOINTMENT_TIMES_GROUP, 1406},   {IDC_APPOINTMENT_ALARM_GROUP, 1410},
        {IDOK, 1000},                          {IDCANCEL, 1001},
    };
    return topics;
}

SYSTEMTIME DayAsSystemTime(int year, int month, int day) {
    CalendarFields fields;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    return SystemTimeFromFields(fields);
}

// The time of day in minutes; a time that is no date at all counts as the
// planner's first row.
int MinuteOfDay(const DateTime& time) {
    if (!time.IsValid()) return AppointmentTimes::kFirstBegin;
    return time.Hour() * 60 + time.Minute();
}

}  // namespace

AppointmentEditor::AppointmentEditor(AppointmentEditorData& data, EditorHelp help)
    : Dialog(IDD_APPOINTMENT_EDITOR), data_(data), help_(std::move(help)) {}

INT_PTR AppointmentEditor::DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HELP) {
        const auto* request = reinterpret_cast<const HELPINFO*>(lParam);
        if (request) ShowEditorHelp(help_, *request, AppointmentHelpTopics());
        SetResult(TRUE);
        return TRUE;
    }
    return Dialog::DialogMessage(message, wParam, lParam);
}

bool AppointmentEditor::OnInitDialog() {
    using namespace AppointmentTimes;
    working_ = data_;
    SetWindowTextA(Handle(), working_.caption.c_str());
    datePicker_ = Item(IDC_APPOINTMENT_DATE);
    beginSpin_ = Item(IDC_APPOINTMENT_BEGIN_SPIN);
    endSpin_ = Item(IDC_APPOINTMENT_END_SPIN);
    minutesSpin_ = Item(IDC_APPOINTMENT_MINUTES_SPIN);
    beginField_ = Item(IDC_APPOINTMENT_BEGIN);
    endField_ = Item(IDC_APPOINTMENT_END);

    // Every click moves the minutes by five, from the first on.
    SendMessageA(minutesSpin_, UDM_SETRANGE32, 0, kLongestAlarmLead);
    UDACCEL byFives = {0, 5};
    SendMessageA(minutesSpin_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&byFives));

    working_.alarmBox = working_.alarm ? 1 : 0;

    SendMessageA(beginSpin_, UDM_SETRANGE32, kFirstQuarter, kLastQuarter);
    SendMessageA(endSpin_, UDM_SETRANGE32, kFirstQuarter, kLastQuarter);
    const int beginMinute = MinuteOfDay(working_.begin);
    const int endMinute = MinuteOfDay(working_.end);
    SendMessageA(beginSpin_, UDM_SETPOS32, 0, QuarterIndex(beginMinute / 60, beginMinute % 60));
    SendMessageA(endSpin_, UDM_SETPOS32, 0, QuarterIndex(endMinute / 60, endMinute % 60));
    ShowTimes();

    working_.minutes = ShownAlarmLead(TimeSlotRows::WholeMinutes(working_.begin - working_.alarmTime));

    // The editor's own range lies well inside the days the file can hold in
    // any time zone (StorableDays.h).
    SYSTEMTIME range[2] = {DayAsSystemTime(1990, 1, 1), DayAsSystemTime(2035, 12, 31)};
    SendMessageA(datePicker_, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
    if (working_.date.IsValid()) {
        SYSTEMTIME shown = DayAsSystemTime(working_.date.Year(), working_.date.Month(),
                                           working_.date.Day());
        SendMessageA(datePicker_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));
    }

    working_.year = working_.begin.Year();
    working_.month = working_.begin.Month();
    working_.day = working_.begin.Day();

    SetDlgItemTextA(Handle(), IDC_APPOINTMENT_TEXT, working_.text.c_str());
    CheckDlgButton(Handle(), IDC_APPOINTMENT_SET_ALARM,
                   working_.alarmBox ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(Handle(), IDC_APPOINTMENT_MINUTES, static_cast<UINT>(working_.minutes), TRUE);
    SendMessageA(minutesSpin_, UDM_SETPOS32, 0, working_.minutes);
    // Setting the text may or may not tell the dialog: decide once it is in.
    UpdateOkButton();
    return true;
}

bool AppointmentEditor::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_APPOINTMENT_TEXT && code == EN_CHANGE) {
        UpdateOkButton();
        return true;
    }
    // Enter reaches the dialog as OK even while the button is disabled; an
    // empty text is never taken.
    if (id == IDOK && !IsWindowEnabled(Item(IDOK))) return true;
    return Dialog::OnCommand(id, code, control);
}

bool AppointmentEditor::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->hwndFrom == datePicker_ && header->code == DTN_DATETIMECHANGE) {
        const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(header);
        if (change->dwFlags == GDT_VALID) OnDateChanged(change->st);
        result = 0;
        return true;
    }
    if ((header->hwndFrom == beginSpin_ || header->hwndFrom == endSpin_) &&
        header->code == UDN_DELTAPOS) {
        const auto* step = reinterpret_cast<const NMUPDOWN*>(header);
        if (step->iDelta != 0) {
            if (header->hwndFrom == beginSpin_)
                StepBegin(step->iDelta > 0);
            else
                StepEnd(step->iDelta > 0);
        }
        // The times are stepped here; the control keeps its own position.
        result = TRUE;
        return true;
    }
    if (header->hwndFrom == minutesSpin_ && header->code == UDN_DELTAPOS) {
        // Past either end the minutes go round to the other end, so they stay
        // a multiple of five (Wine's up-down would count on round 61 values).
        const auto* step = reinterpret_cast<const NMUPDOWN*>(header);
        const int next = step->iPos + step->iDelta;
        if (next < 0 || next > AppointmentTimes::kLongestAlarmLead) {
            const int other = next < 0 ? AppointmentTimes::kLongestAlarmLead : 0;
            SendMessageA(minutesSpin_, UDM_SETPOS32, 0, other);
            SetDlgItemInt(Handle(), IDC_APPOINTMENT_MINUTES, static_cast<UINT>(other), TRUE);
            result = TRUE;
            return true;
        }
        result = 0;
        return true;
    }
    return Dialog::OnNotify(header, result);
}

void AppointmentEditor::OnOK() {
    working_.text = WindowText(Item(IDC_APPOINTMENT_TEXT));

    working_.alarmBox =
        IsDlgButtonChecked(Handle(), IDC_APPOINTMENT_SET_ALARM) == BST_CHECKED ? 1 : 0;

    BOOL isNumber = FALSE;
    const int minutes = static_cast<int>(GetDlgItemInt(Handle(), IDC_APPOINTMENT_MINUTES, &isNumber, TRUE));
    if (isNumber) {
        working_.minutes = minutes;
    } else {
        // Only the up-down writes the field, so this should not happen; the
        // minutes shown when the dialog opened stay.
        MessageBeep(MB_OK);
        SetFocus(Item(IDC_APPOINTMENT_MINUTES));
    }

    if (working_.alarmBox) {
        working_.alarm = true;
        working_.alarmTime = working_.begin - DateSpan::FromParts(0, 0, working_.minutes, 0);
    } else {
        // Without the alarm its time stays as it was, to come back when the
        // alarm is set again.
        working_.alarm = false;
    }
    data_ = working_;
    End(IDOK);
}

void AppointmentEditor::UpdateOkButton() {
    EnableWindow(Item(IDOK), GetWindowTextLengthA(Item(IDC_APPOINTMENT_TEXT)) > 0);
}

DateTime AppointmentEditor::OnDay(int minuteOfDay) const {
    return DateTime::FromFields(working_.year, working_.month, working_.day, minuteOfDay / 60,
                                minuteOfDay % 60, 0);
}

void AppointmentEditor::ShowTimes() {
    SetWindowTextA(beginField_, DateText::FormatFree(working_.begin, kTimePicture).c_str());
    SetWindowTextA(endField_, DateText::FormatFree(working_.end, kTimePicture).c_str());
}

void AppointmentEditor::StepBegin(bool up) {
    using namespace AppointmentTimes;
    const Step step = AppointmentTimes::StepBegin(MinuteOfDay(working_.begin), up);
    if (step.wrapped && up) SendMessageA(beginSpin_, UDM_SETPOS32, 0, kFirstBeginQuarter);
    working_.begin = OnDay(step.minuteOfDay);
    // The end stays after the beginning: a quarter of an hour after it.
    if (working_.begin.IsOnOrAfter(working_.end)) {
        const int pushed = step.minuteOfDay + kStep;
        working_.end = pushed < kMinutesPerDay ? OnDay(pushed)
                                               : working_.begin + DateSpan::FromParts(0, 0, kStep, 0);
    }
    ShowTimes();
}

void AppointmentEditor::StepEnd(bool up) {
    using namespace AppointmentTimes;
    const Step step = AppointmentTimes::StepEnd(MinuteOfDay(working_.end), up);
    if (step.wrapped && up) SendMessageA(endSpin_, UDM_SETPOS32, 0, kFirstEndQuarter);
    working_.end = OnDay(step.minuteOfDay);
    // The beginning stays before the end: a quarter of an hour before it.
    if (working_.end.IsOnOrBefore(working_.begin)) {
        const int pushed = step.minuteOfDay - kStep;
        working_.begin = pushed >= 0 ? OnDay(pushed)
                                     : working_.end - DateSpan::FromParts(0, 0, kStep, 0);
    }
    ShowTimes();
}

void AppointmentEditor::OnDateChanged(const SYSTEMTIME& picked) {
    working_.date = DateTime::FromFields(picked.wYear, picked.wMonth, picked.wDay, 0, 0, 0);
    working_.year = picked.wYear;
    working_.month = picked.wMonth;
    working_.day = picked.wDay;
    // Begin and end keep their times of day on the new day.
    working_.begin = DateTime::FromFields(working_.year, working_.month, working_.day,
                                          working_.begin.Hour(), working_.begin.Minute(),
                                          working_.begin.Second());
    working_.end = DateTime::FromFields(working_.year, working_.month, working_.day,
                                        working_.end.Hour(), working_.end.Minute(),
                                        working_.end.Second());
    ShowTimes();
}
