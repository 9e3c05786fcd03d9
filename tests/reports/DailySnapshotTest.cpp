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

// Every appointment of the day once, by start, end and ID, whatever the planner shows.
TEST(DailySnapshot, TheDailyAppointmentsAreEveryAppointmentOfTheDayOnceInOrderOfTime) {
    const double day = DateTime::FromFields(2024, 3, 4, 0, 0, 0).Value();
    const double entries[][4] = {  // ID; start, end and DueDate in hours after the day's 00:00
        {1, 9, 10, 0}, {2, 9.25, 9.5, 0}, {3, 4, 4.5, 0}, {4, 23.5, 23.75, 0},  // 2 interrupts 1; before 5, after 23
        {5, 12, 12.05, 0}, {6, 14, 14.5, 0}, {7, 13, 15, 0}, {0, 16, 17, 0},    // 3 minutes; 7 hides 6; ID 0
        {10, 9, 9.5, 0}, {11, 9, 9.5, 0}, {9, 9, 10, 24}, {12, 9, 10, 12},      // ties; the next day; at noon
    };
    Appointments appointments;  // none with a description
    for (const auto& e : entries) {
        Appointment& appointment = *appointments.InsertCopy(static_cast<int32_t>(e[0]), Appointment());
        appointment.ID = static_cast<int32_t>(e[0]);
        appointment.StartTime = DateTime(day + e[1] / 24);
        appointment.EndTime = DateTime(day + e[2] / 24);
        appointment.DueDate = DateTime(day + e[3] / 24);
    }
    ReportSelection selection;
    TakeDailySnapshot(selection, ReportKind::kDailyAppointments, {}, {}, DateTime(day), Tasks(), appointments);
    EXPECT_EQ((std::vector<int32_t>{3, 10, 11, 1, 2, 5, 7, 6, 0, 4}), IdsOf(selection.reportAppointments));
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
    TakeDailySnapshot(selection, ReportKind::kDailyPlan, {3, 1}, rows, DateTime(), tasks, appointments);
    EXPECT_EQ(ReportKind::kDailyPlan, selection.kind);
    ASSERT_EQ(2u, selection.reportTasks.size());
    EXPECT_EQ(3, selection.reportTasks[0].ID);  // in row order, not ID order
    ASSERT_EQ(1u, selection.reportAppointments.size());

    // Twice in a row: each task once. The appointments stay as they were.
    TakeDailySnapshot(selection, ReportKind::kDailyTasks, {2}, {}, DateTime(), tasks, appointments);
    TakeDailySnapshot(selection, ReportKind::kDailyTasks, {2}, {}, DateTime(), tasks, appointments);
    EXPECT_EQ(ReportKind::kDailyTasks, selection.kind);
    ASSERT_EQ(1u, selection.reportTasks.size());
    EXPECT_EQ(2, selection.reportTasks[0].ID);
    EXPECT_EQ(1u, selection.reportAppointments.size());

    TakeDailySnapshot(selection, ReportKind::kDailyAppointments, {1}, {}, DateTime(), tasks, appointments);
    EXPECT_TRUE(selection.reportAppointments.empty());
    EXPECT_EQ(1u, selection.reportTasks.size());
    // A copy: later edits of the document do not reach it.
    tasks.Find(2)->Description = "changed";
    EXPECT_EQ("", selection.reportTasks[0].Description);
}

}  // namespace
