// What the user picked last in the day view: the list that took the last
// click and, in each list, the row hit and the record it showed. Every rule
// that asks "is there something to delete, edit or complete" reads this one
// value: the frame's command states, the context menus and the commands.
#pragma once

#include <cstdint>

#include "Collections.h"
#include "DayRows.h"

// The list (or the calendar) that last received a click; Delete, Edit and
// Complete act only on the list named here.
enum class ActiveControl { kNone, kCalendar, kPhoneList, kTaskList, kTimeSlotList };

// One list's pick. A row holds an item value whatever it shows, and any
// int32 is a legal ID, so "no record" is said apart from the ID.
struct ListPick {
    int row = -1;            // the row last hit, -1 for none
    bool hasRecord = false;  // whether that row showed a record
    int32_t id = 0;          // the record's ID when hasRecord

    static ListPick Record(int row, int32_t id) { return ListPick{row, true, id}; }
    static ListPick NoRecord(int row) { return ListPick{row, false, 0}; }
    // The ID, or -1 when the pick holds none.
    int32_t IdOrNone() const { return hasRecord ? id : -1; }
};

// The record a command of the Tasks, Phone Book or Appointments menu acts
// on, which must be picked for the command to be enabled; kNone for every
// other command.
enum class PickedRecord { kNone, kPerson, kTask, kAppointment };
PickedRecord RecordCommandActsOn(unsigned commandId);

struct DayViewSelection {
    ActiveControl active = ActiveControl::kNone;
    ListPick person;
    ListPick task;
    ListPick slot;

    // Phone Book > Delete and Edit.
    bool PersonSelected(const Persons& persons) const {
        return active == ActiveControl::kPhoneList && person.hasRecord && persons.Find(person.id);
    }
    // Tasks > Delete, Edit and Complete.
    bool TaskSelected(const Tasks& tasks) const {
        return active == ActiveControl::kTaskList && task.hasRecord && tasks.Find(task.id);
    }
    // The appointment the planner shows now on the row clicked last, if the
    // click took it: what Add asks to replace. A pick left from another day,
    // or from rows refilled since, names nothing.
    bool ShowsPickedAppointment(const TimeSlotRows& rows, const Appointments& appointments) const {
        if (!slot.hasRecord || slot.row < 0 || static_cast<size_t>(slot.row) >= rows.size())
            return false;
        const TimeSlotRows::Row& row = rows[static_cast<size_t>(slot.row)];
        return row.taken && row.appointmentID == slot.id && appointments.Find(slot.id);
    }
    // Appointments > Delete and Edit.
    bool AppointmentSelected(const TimeSlotRows& rows, const Appointments& appointments) const {
        return active == ActiveControl::kTimeSlotList && ShowsPickedAppointment(rows, appointments);
    }
};
