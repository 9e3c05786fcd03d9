// Which appointments the minute's alarm check looks at: those the day planner
// shows, taken from its rows from top to bottom.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Collections.h"
#include "DateTime.h"

// One row of the day planner as shown: whether it carries an appointment's
// text, and the row's item value (the appointment's ID).
struct ShownPlannerRow {
    bool hasText = false;
    int32_t appointmentID = 0;
};

// Copies of the appointments behind the rows with text, one per run of rows
// with the same ID: an appointment interrupted by another in the rows is
// taken once for each separate run. IDs no longer stored are skipped.
std::vector<Appointment> AlarmCandidates(const std::vector<ShownPlannerRow>& rows,
                                         const Appointments& appointments);

// Whether the reminder of `appointment` is due at `now`.
bool AlarmDue(const Appointment& appointment, const DateTime& now);
