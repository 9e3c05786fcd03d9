// The day view's alarm check and the choice of the alarm sound.
#include "DayView.h"

#include <commctrl.h>

#include <vector>

#include "AlarmCheck.h"
#include "AlarmSoundSetting.h"
#include "DateText.h"
#include "ListViewRows.h"
#include "ReminderDialog.h"

namespace {

std::string ReminderMessage(const Appointment& appointment) {
    return "This is your reminder for your " +
           DateText::FormatFree(appointment.StartTime, "%I:%M %p") + " appointment.";
}

// A reminder always has an owner, which it disables while it waits: the
// window of ours the user is working in, else the form's top-level window.
// With the frame disabled no other document can be opened under it.
HWND ReminderOwner(HWND form) {
    HWND active = GetActiveWindow();
    return active ? active : GetAncestor(form, GA_ROOT);
}

// Whether `stored` is still the appointment the reminder was raised for. The
// owned reminder keeps the frame's commands away; this also covers a change
// that reaches the document some other way while the reminder waits: an ID
// taken over by another appointment is not touched.
bool SameAppointment(const Appointment& stored, const Appointment& reminded) {
    return stored.Description == reminded.Description && stored.DueDate == reminded.DueDate &&
           stored.StartTime == reminded.StartTime && stored.EndTime == reminded.EndTime &&
           stored.AlarmTime == reminded.AlarmTime;
}

// Holds a flag set for its own lifetime.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

void DayView::CheckAlarms() {
    // One reminder at a time: the reminder's own loop goes on delivering the
    // minute's timer, and a tick meanwhile would open a further reminder on
    // top of this one. The alarm still due after OK is reminded of at the
    // next tick.
    if (!timeSlotList_ || checkingAlarms_) return;
    FlagScope checking(checkingAlarms_);
    const DateTime now = clock_();
    std::vector<ShownPlannerRow> rows;
    for (int row = 0; row < ListViewRows::RowCount(timeSlotList_); ++row) {
        ShownPlannerRow shown;
        shown.hasText = !ListViewRows::CellText(timeSlotList_, row, 1).empty();
        shown.appointmentID = ListViewRows::ItemValue(timeSlotList_, row);
        rows.push_back(shown);
    }

    bool changed = false;
    for (const Appointment& candidate : AlarmCandidates(rows, document_.appointments)) {
        if (!AlarmDue(candidate, now)) continue;
        ReminderData reminder;
        reminder.message = ReminderMessage(candidate);
        reminder.soundFile = alarmSoundFile_;
        ReminderDialog dialog(reminder, *sound_);
        if (dialog.Run(ReminderOwner(Handle())) != IDOK || !reminder.turnOff) continue;
        Appointment* stored = document_.appointments.Find(candidate.ID);
        if (stored && SameAppointment(*stored, candidate)) {
            stored->Alarm = false;
            changed = true;
        }
    }
    if (changed) {
        document_.SetModified(true, true);
        FillTimeSlots();
    }
}

void DayView::ChooseAlarmSound() {
    std::string chosen;
    if (!chooseSound_ || !chooseSound_(GetActiveWindow(), alarmSoundFile_, chosen)) return;
    alarmSoundFile_ = chosen;
    StoreAlarmSound(alarmSoundFile_);
}
