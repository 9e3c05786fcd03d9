#include "DailySnapshot.h"

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

void TakeDailySnapshot(ReportSelection& selection, ReportKind kind,
                       const std::vector<int32_t>& taskRows,
                       const std::vector<PlannerRowShown>& plannerRows, const Tasks& tasks,
                       const Appointments& appointments) {
    const bool takesTasks = kind == ReportKind::kDailyPlan || kind == ReportKind::kDailyTasks;
    const bool takesAppointments =
        kind == ReportKind::kDailyPlan || kind == ReportKind::kDailyAppointments;
    if (!takesTasks && !takesAppointments) return;
    if (takesTasks) selection.reportTasks = TasksOfRows(taskRows, tasks);
    if (takesAppointments) selection.reportAppointments = AppointmentsOfRows(plannerRows, appointments);
    selection.kind = kind;
}
