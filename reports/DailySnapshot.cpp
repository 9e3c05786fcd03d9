#include "DailySnapshot.h"

#include <algorithm>
#include <tuple>

std::vector<Task> TasksOfRows(const std::vector<int32_t>& rowItemValues, const Tasks& tasks) {
    std::vector<Task> copies;
    copies.reserve(rowItemValues.size());
    for (int32_t id : rowItemValues) {
        if (const Task* task = tasks.Find(id)) copies.push_back(*task);
    }
    return copies;
}

std::vector<Appointment> AppointmentsOfRows(const std::vector<PlannerRowShown>& rows,
                                            const Appointments& appointments) {
    std::vector<Appointment> copies;
    int32_t lastTaken = 0;
    for (const PlannerRowShown& row : rows) {
        if (row.text.empty() || row.itemValue == lastTaken) continue;
        lastTaken = row.itemValue;
        if (const Appointment* appointment = appointments.Find(row.itemValue))
            copies.push_back(*appointment);
    }
    return copies;
}

std::vector<Appointment> AppointmentsOfDay(const Appointments& appointments, const DateTime& day) {
    std::vector<Appointment> copies;
    for (const auto& entry : appointments) {
        if (entry.second.DueDate == day) copies.push_back(entry.second);
    }
    // The linear value keeps the clock's order also before 1899-12-30, where
    // the stored value's fraction counts backwards. IDs are unique, so no two
    // keys are equal.
    const auto key = [](const Appointment& a) {
        return std::make_tuple(a.StartTime.Linear(), a.EndTime.Linear(), a.ID);
    };
    std::sort(copies.begin(), copies.end(),
                     [&key](const Appointment& a, const Appointment& b) { return key(a) < key(b); });
    return copies;
}

void TakeDailySnapshot(ReportSelection& selection, ReportKind kind,
                       const std::vector<int32_t>& taskRows,
                       const std::vector<PlannerRowShown>& plannerRows, const DateTime& day,
                       const Tasks& tasks, const Appointments& appointments) {
    const bool takesTasks = kind == ReportKind::kDailyPlan || kind == ReportKind::kDailyTasks;
    const bool takesAppointments =
        kind == ReportKind::kDailyPlan || kind == ReportKind::kDailyAppointments;
    if (!takesTasks && !takesAppointments) return;
    if (takesTasks) selection.reportTasks = TasksOfRows(taskRows, tasks);
    if (kind == ReportKind::kDailyPlan)
        selection.reportAppointments = AppointmentsOfRows(plannerRows, appointments);
    else if (kind == ReportKind::kDailyAppointments)
        selection.reportAppointments = AppointmentsOfDay(appointments, day);
    selection.kind = kind;
}
