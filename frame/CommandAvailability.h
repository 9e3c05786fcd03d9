// Which commands are enabled and which carry a check mark: one pure function
// of a snapshot of the frame's state, applied to the menu bar's menu and to
// the toolbars at idle time.
#pragma once

#include <windows.h>

#include "CommandState.h"
#include "ReportSelection.h"

struct CommandSnapshot {
    bool modified = false;
    bool hasTasks = false;
    bool hasPersons = false;
    bool hasAppointments = false;
    // The report Print and Print Preview produce: the day view's choice.
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
