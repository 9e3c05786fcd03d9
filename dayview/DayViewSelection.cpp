#include "DayViewSelection.h"

#include "resource.h"

PickedRecord RecordCommandActsOn(unsigned commandId) {
    switch (commandId) {
    case ID_PERSON_DELETE:
    case ID_PERSON_EDIT:
        return PickedRecord::kPerson;
    case ID_TASK_DELETE:
    case ID_TASK_EDIT:
    case ID_TASK_COMPLETE:
        return PickedRecord::kTask;
    case ID_APPOINTMENT_DELETE:
    case ID_APPOINTMENT_EDIT:
        return PickedRecord::kAppointment;
    default:
        return PickedRecord::kNone;
    }
}
