// Which commands are enabled and which carry a check mark: one pure function
// of a snapshot of the frame's state, applied to the menu bar's menu and to
// the toolbars at idle time.
#pragma once

#include <windows.h>

#include "CommandState.h"

// The report that Print and Print Preview produce, as the day view's report
// selection names it. The day view fills it in; until a report is chosen it
// is kNone.
enum class ReportKind { kNone, kAddressBook, kEnvelopes, kDailyPlan, kDailyTasks, kDailyAppointments };

struct CommandSnapshot {
    bool modified = false;
    bool hasTasks = false;
    bool hasPersons = false;
    bool hasAppointments = false;
    ReportKind reportKind = ReportKind::kNone;
    bool toolbarVisible = true;
    bool statusBarVisible = true;
    int recentFileCount = 0;
    // The day view's selection in its active list.
    bool taskSelected = false;
    bool personSelected = false;
    bool appointmentSelected = false;
    // Print preview's pages around the one shown.
    bool previewHasNextPage = false;
    bool previewHasPreviousPage = false;
};

CommandState CommandStateFor(UINT id, const CommandSnapshot& snapshot);
