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

}  // namespace

void DayView::CheckAlarms() {
    if (!timeSlotList_) return;
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
        // The reminder's own loop runs this timer too: a further due alarm
        // comes up on top of this reminder a minute later.
        if (dialog.Run(GetActiveWindow()) != IDOK || !reminder.turnOff) continue;
        if (Appointment* stored = document_.appointments.Find(candidate.ID)) {
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
