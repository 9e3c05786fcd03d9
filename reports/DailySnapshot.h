// Taking a daily report's records when it is chosen: the tasks of the task
// list's rows; for the daily plan the appointments of the day planner's rows,
// as the plan mirrors the planner; for the daily appointments every
// appointment of the day, whatever the planner can show of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Collections.h"
#include "DateTime.h"
#include "ReportSelection.h"

// One row of the day planner as the list shows it.
struct PlannerRowShown {
    int32_t itemValue = 0;    // the appointment's ID, 0 in a free row
    std::string text;         // the "Appointment" column, "" in a free row
};

// A copy of the task behind every row (by the row's item value), top to
// bottom; a row whose task is gone is passed over.
std::vector<Task> TasksOfRows(const std::vector<int32_t>& rowItemValues, const Tasks& tasks);

// A copy of each appointment once per run of rows it occupies: free rows
// (no text) are skipped, and so is a row showing the same ID as the last
// appointment taken. An appointment interrupted by another is therefore
// taken once for each run.
std::vector<Appointment> AppointmentsOfRows(const std::vector<PlannerRowShown>& rows,
                                            const Appointments& appointments);

// A copy of every appointment of `day` (00:00 of it), each once, ordered by
// start, then end, then ID. An appointment belongs to the day its DueDate
// equals exactly, the rule the day planner fills its rows by; its times,
// its length, its ID, its description and the other appointments of the
// day do not matter.
std::vector<Appointment> AppointmentsOfDay(const Appointments& appointments, const DateTime& day);

// Chooses a daily report: empties and refills the lists the kind uses and
// leaves the others; `kind` is kDailyPlan, kDailyTasks or kDailyAppointments.
// `day` is the day the planner shows.
void TakeDailySnapshot(ReportSelection& selection, ReportKind kind,
                       const std::vector<int32_t>& taskRows,
                       const std::vector<PlannerRowShown>& plannerRows, const DateTime& day,
                       const Tasks& tasks, const Appointments& appointments);
