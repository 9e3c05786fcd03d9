#include "CommandAvailability.h"

#include "DayViewSelection.h"
#include "resource.h"

namespace {

CommandState Enabled(bool enabled) { return CommandState{enabled, false}; }

// A report item is enabled by the records it would print and checked when it
// is the report Print would produce.
CommandState Report(bool enabled, ReportKind kind, const CommandSnapshot& snapshot) {
    return CommandState{enabled, snapshot.reportKind == kind};
}

}  // namespace

CommandState CommandStateFor(UINT id, const CommandSnapshot& s) {
    if (id >= ID_FILE_RECENT_FIRST && id <= ID_FILE_RECENT_LAST) {
        // With no entry the first id is the "(Empty)" placeholder.
        return Enabled(static_cast<int>(id - ID_FILE_RECENT_FIRST) < s.recentFileCount);
    }
    switch (RecordCommandActsOn(id)) {
    case PickedRecord::kPerson: return Enabled(s.personSelected);
    case PickedRecord::kTask: return Enabled(s.taskSelected);
    case PickedRecord::kAppointment: return Enabled(s.appointmentSelected);
    case PickedRecord::kNone: break;
    }
    switch (id) {
    case ID_FILE_SAVE:
        return Enabled(s.modified);
    case ID_FILE_COMPACT:
    case ID_EXPORT_TASKS:
        return Enabled(s.hasTasks);
    case ID_EXPORT_PHONE_BOOK:
    case ID_EXPORT_VCARD:
        return Enabled(s.hasPersons);
    case ID_EXPORT_APPOINTMENTS:
        return Enabled(s.hasAppointments);
    case ID_EXPORT_ICALENDAR:
        return Enabled(s.hasAppointments || s.hasTasks);
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
        return Enabled(s.reportKind != ReportKind::kNone);

    case ID_REPORT_DAILY_PLAN:
        return Report(s.hasTasks || s.hasAppointments, ReportKind::kDailyPlan, s);
    case ID_REPORT_DAILY_TASKS:
        return Report(s.hasTasks, ReportKind::kDailyTasks, s);
    case ID_REPORT_DAILY_APPOINTMENTS:
        return Report(s.hasAppointments, ReportKind::kDailyAppointments, s);
    case ID_REPORT_ENVELOPES:
        return Report(s.hasPersons, ReportKind::kEnvelopes, s);
    case ID_REPORT_PHONE_BOOK:
        return Report(s.hasPersons, ReportKind::kAddressBook, s);

    case ID_VIEW_TOOLBAR:
        return CommandState{true, s.toolbarVisible};
    case ID_VIEW_STATUS_BAR:
        return CommandState{true, s.statusBarVisible};

    case ID_PREVIEW_NEXT_PAGE:
        return Enabled(s.previewHasNextPage);
    case ID_PREVIEW_PREVIOUS_PAGE:
        return Enabled(s.previewHasPreviousPage);
    default:
        return Enabled(true);
    }
}
