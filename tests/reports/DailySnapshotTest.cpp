// Choosing a daily report copies the records behind the day view's rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DailySnapshot.h"

namespace {

Appointments SomeAppointments() {
    Appointments appointments;
    for (int32_t id = 1; id <= 3; ++id) {
        Appointment appointment;
        appointment.ID = id;
        appointment.Description = "appointment " + std::to_string(id);
        appointments.Insert(id, appointment);
    }
    return appointments;
}

std::vector<int32_t> IdsOf(const std::vector<Appointment>& appointments) {
    std::vector<int32_t> ids;
    for (const Appointment& appointment : appointments) ids.push_back(appointment.ID);
    return ids;
}

TEST(DailySnapshot, EachRunOfPlannerRowsGivesOneAppointment) {
    const Appointments appointments = SomeAppointments();
    const PlannerRowShown free{0, ""};
    const PlannerRowShown one{1, "appointment 1"};
    const PlannerRowShown two{2, "appointment 2"};
    struct Case {
        const char* rows;
        std::vector<PlannerRowShown> shown;
        std::vector<int32_t> taken;
    };
    const Case cases[] = {
        {"three quarter hours of one", {free, one, one, one, free}, {1}},
        {"one, then free rows, then the same one", {one, free, free, one}, {1}},
        {"two alternating", {one, two, one, two}, {1, 2, 1, 2}},
        {"side by side", {two, two, one}, {2, 1}},
        // A row without text shows nothing, whatever its item value.
        {"a value without text", {PlannerRowShown{3, ""}, free}, {}},
        // Gone from the document since the rows were filled.
        {"a deleted appointment", {PlannerRowShown{9, "gone"}, two}, {2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.taken, IdsOf(AppointmentsOfRows(c.shown, appointments))) << c.rows;
    }
    EXPECT_EQ("appointment 2", AppointmentsOfRows({two}, appointments).at(0).Description);
}

TEST(DailySnapshot, ChoosingAgainReplacesOnlyTheListsTheKindUses) {
    Tasks tasks;
    for (int32_t id = 1; id <= 3; ++id) {
        Task task;
        task.ID = id;
        tasks.Insert(id, task);
    }
    const Appointments appointments = SomeAppointments();
    const std::vector<PlannerRowShown> rows = {{3, "appointment 3"}};

    ReportSelection selection;
    TakeDailySnapshot(selection, ReportKind::kDailyPlan, {3, 1}, rows, tasks, appointments);
    EXPECT_EQ(ReportKind::kDailyPlan, selection.kind);
    ASSERT_EQ(2u, selection.reportTasks.size());
    EXPECT_EQ(3, selection.reportTasks[0].ID);  // in row order, not ID order
    ASSERT_EQ(1u, selection.reportAppointments.size());

    // Twice in a row: each task once. The appointments stay as they were.
    TakeDailySnapshot(selection, ReportKind::kDailyTasks, {2}, {}, tasks, appointments);
    TakeDailySnapshot(selection, ReportKind::kDailyTasks, {2}, {}, tasks, appointments);
    EXPECT_EQ(ReportKind::kDailyTasks, selection.kind);
    ASSERT_EQ(1u, selection.reportTasks.size());
    EXPECT_EQ(2, selection.reportTasks[0].ID);
    EXPECT_EQ(1u, selection.reportAppointments.size());

    TakeDailySnapshot(selection, ReportKind::kDailyAppointments, {1}, {}, tasks, appointments);
    EXPECT_TRUE(selection.reportAppointments.empty());
    EXPECT_EQ(1u, selection.reportTasks.size());
    // A copy: later edits of the document do not reach it.
    tasks.Find(2)->Description = "changed";
    EXPECT_EQ("", selection.reportTasks[0].Description);
}

}  // namespace
