// The rows of the day view's lists: phone book, tasks and day planner.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Collections.h"
#include "DateTime.h"
#include "DayRows.h"
#include "Records.h"

namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0) {
    return DateTime::FromFields(year, month, day, hour, minute, 0);
}

// --- Phone book ------------------------------------------------------------------

void AddPerson(Persons& persons, const std::string& name, const std::string& company, int32_t white,
               int32_t yellow) {
    Person person;
    person.ID = persons.IssueID();
    person.RName = name;
    person.Company = company;
    person.WhitePages = white;
    person.YellowPages = yellow;
    persons.Insert(person.ID, person);
}

std::vector<int32_t> PersonIDs(const std::vector<PhoneBookRow>& rows) {
    std::vector<int32_t> ids;
    for (const PhoneBookRow& row : rows) ids.push_back(row.personID);
    return ids;
}

TEST(PhoneBookRows, WhitePagesListOnlyFlaggedPersonsInIdOrderWithNameAndCompany) {
    Persons persons;
    AddPerson(persons, "Zeta, Zoe", "Zinc Ltd", 1, 0);   // 1
    AddPerson(persons, "Alpha, Al", "", 0, 1);           // 2: Yellow Pages only
    AddPerson(persons, "Mid, Max", "Acme", 1, 1);        // 3
    AddPerson(persons, "Nobody", "Ghost", 0, 0);         // 4: in neither
    AddPerson(persons, "Two, Flag", "Other", 2, 2);      // 5: only 1 means listed

    const std::vector<PhoneBookRow> rows = PhoneBookRows(persons, PhoneBookMode::kWhitePages);
    ASSERT_EQ((std::vector<int32_t>{1, 3}), PersonIDs(rows));
    EXPECT_EQ("Zeta, Zoe", rows[0].name);
    EXPECT_EQ("Zinc Ltd", rows[0].company);
    EXPECT_EQ("Mid, Max", rows[1].name);
    EXPECT_EQ("Acme", rows[1].company);
}

TEST(PhoneBookRows, YellowPagesSortCompaniesByteWiseAndCaseSensitively) {
    Persons persons;
    AddPerson(persons, "P1", "acme", 0, 1);     // 1
    AddPerson(persons, "P2", "Acme", 0, 1);     // 2
    AddPerson(persons, "P3", "ACME", 1, 1);     // 3
    AddPerson(persons, "P4", "Aardvark", 1, 0); // 4: White Pages only
    AddPerson(persons, "P5", "Acme Inc", 0, 1); // 5: a longer text after its prefix
    AddPerson(persons, "P6", "", 0, 1);         // 6: no company comes first
    AddPerson(persons, "P7", "\xC3\x89" "cole", 0, 1);  // 7: bytes above 127 after ASCII
    AddPerson(persons, "P8", "Acme", 0, 1);     // 8: equal companies keep ID order

    const std::vector<PhoneBookRow> rows = PhoneBookRows(persons, PhoneBookMode::kYellowPages);
    EXPECT_EQ((std::vector<int32_t>{6, 3, 2, 8, 5, 1, 7}), PersonIDs(rows));
    EXPECT_EQ("P3", rows[1].name);
    EXPECT_EQ("ACME", rows[1].company);
}

TEST(PhoneBookRows, CompareCompaniesTreatsBytesAsUnsignedAndPrefixesFirst) {
    EXPECT_EQ(0, CompareCompanies("Acme", "Acme"));
    EXPECT_LT(CompareCompanies("ACME", "Acme"), 0);
    EXPECT_GT(CompareCompanies("acme", "Acme"), 0);
    EXPECT_LT(CompareCompanies("Acme", "Acme Inc"), 0);
    EXPECT_GT(CompareCompanies("Acme Inc", "Acme"), 0);
    EXPECT_LT(CompareCompanies("", "A"), 0);
    EXPECT_LT(CompareCompanies("z", "\xE9"), 0);
    EXPECT_GT(CompareCompanies("\x80", "\x7F"), 0);
}

TEST(PhoneBookRows, EmptyBookGivesNoRows) {
    Persons persons;
    EXPECT_TRUE(PhoneBookRows(persons, PhoneBookMode::kWhitePages).empty());
    EXPECT_TRUE(PhoneBookRows(persons, PhoneBookMode::kYellowPages).empty());
}

// --- Tasks ------------------------------------------------------------------------

const DateTime kToday = At(2024, 3, 12);
const DateTime kYesterday = At(2024, 3, 11);
const DateTime kTomorrow = At(2024, 3, 13);

class TaskRowsTest : public ::testing::Test {
protected:
    int32_t Add(const std::string& text, DateTime due, int32_t priority, DateTime done = DateTime()) {
        Task task;
        task.ID = tasks_.IssueID();
        task.Description = text;
        task.DueDate = due;
        task.Priority = priority;
        task.DoneDate = done;
        tasks_.Insert(task.ID, task);
        return task.ID;
    }

    std::vector<int32_t> Shown(const DateTime& day) const {
        std::vector<int32_t> ids;
        for (const TaskRow& row : TaskRows(tasks_, day, kToday)) ids.push_back(row.taskID);
        return ids;
    }

    Tasks tasks_;
};

TEST_F(TaskRowsTest, TodayShowsDueTodayOverdueUnfinishedAndDoneToday) {
    const int32_t dueToday = Add("due today", kToday, kPriorityMedium);
    const int32_t dueTodayDone = Add("due today, done earlier", kToday, kPriorityDone, kYesterday);
    const int32_t overdue = Add("overdue", At(2024, 2, 1), kPriorityLow);
    Add("overdue but done long ago", At(2024, 2, 1), kPriorityDone, At(2024, 2, 2));
    const int32_t doneToday = Add("old, done today", At(2024, 1, 5), kPriorityDone, kToday);
    Add("due tomorrow", kTomorrow, kPriorityHigh);
    const int32_t overdueWithTime = Add("due yesterday 14:00", At(2024, 3, 11, 14), kPriorityHigh);
    Add("due today 10:00", At(2024, 3, 12, 10), kPriorityHigh);  // later than today 00:00
    Add("done today 09:00", kYesterday, kPriorityDone, At(2024, 3, 12, 9));

    EXPECT_EQ((std::vector<int32_t>{dueToday, dueTodayDone, overdue, doneToday, overdueWithTime}),
              Shown(kToday));
}

TEST_F(TaskRowsTest, OverdueTaskOnTodaysPageKeepsItsOriginalDueDate) {
    const DateTime due = At(2024, 2, 20);
    const int32_t id = Add("file the report", due, kPriorityHigh);

    const std::vector<TaskRow> rows = TaskRows(tasks_, kToday, kToday);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(id, rows[0].taskID);
    EXPECT_EQ("file the report", rows[0].description);
    EXPECT_EQ(kPriorityHigh, rows[0].priority);
    EXPECT_EQ(due, rows[0].dueDate);
}

TEST_F(TaskRowsTest, PastDayShowsOnlyTasksDoneOnIt) {
    const DateTime past = At(2024, 3, 1);
    Add("due then, unfinished", past, kPriorityHigh);
    Add("due then, done later", past, kPriorityDone, At(2024, 3, 5));
    const int32_t doneThen = Add("done then", At(2024, 2, 1), kPriorityDone, past);
    Add("done then at 08:00", At(2024, 2, 1), kPriorityDone, At(2024, 3, 1, 8));
    Add("done date then but not done", At(2024, 2, 1), kPriorityLow, past);
    Add("due earlier, unfinished", At(2024, 2, 1), kPriorityMedium);

    EXPECT_EQ((std::vector<int32_t>{doneThen}), Shown(past));
}

TEST_F(TaskRowsTest, FutureDayShowsTasksDueOnItInAnyState) {
    const DateTime future = At(2024, 4, 2);
    const int32_t open = Add("due then", future, kPriorityLow);
    const int32_t done = Add("due then, already done", future, kPriorityDone, kToday);
    Add("done on that day", At(2024, 3, 1), kPriorityDone, future);
    Add("due then at 09:00", At(2024, 4, 2, 9), kPriorityHigh);
    Add("overdue", At(2024, 3, 1), kPriorityHigh);
    Add("due today", kToday, kPriorityHigh);

    const std::vector<TaskRow> rows = TaskRows(tasks_, future, kToday);
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(open, rows[0].taskID);
    EXPECT_EQ(done, rows[1].taskID);
    EXPECT_EQ(kPriorityDone, rows[1].priority);
    EXPECT_EQ(future, rows[1].dueDate);
}

TEST_F(TaskRowsTest, NoTasksGiveNoRows) {
    EXPECT_TRUE(TaskRows(tasks_, kToday, kToday).empty());
}

// --- Day planner ------------------------------------------------------------------

const DateTime kDay = At(2024, 3, 12);

class TimeSlotRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        slots_.SetSlotTimes(At(2024, 3, 12, 5), At(2024, 3, 12, 23));
        slots_.CreateRows();
    }

    int32_t Add(const std::string& text, DateTime start, DateTime end, DateTime day = kDay,
                bool alarm = false) {
        Appointment appointment;
        appointment.ID = appointments_.IssueID();
        appointment.Description = text;
        appointment.DueDate = day;
        appointment.StartTime = start;
        appointment.EndTime = end;
        appointment.Alarm = alarm;
        appointments_.Insert(appointment.ID, appointment);
        return appointment.ID;
    }

    // The rows holding `id`, as times of day "HH:MM".
    std::vector<std::string> RowsOf(int32_t id) const {
        std::vector<std::string> times;
        for (const TimeSlotRows::Row& row : slots_.Rows()) {
            if (row.appointmentID != id) continue;
            char text[8];
            std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(row.time.Hour()),
                          static_cast<int>(row.time.Minute()));
            times.push_back(text);
        }
        return times;
    }

    size_t TakenRows() const {
        size_t taken = 0;
        for (const TimeSlotRows::Row& row : slots_.Rows()) taken += row.appointmentID != 0 ? 1 : 0;
        return taken;
    }

    void Fill() { slots_.FillTimeSlots(appointments_, kDay); }

    TimeSlotRows slots_;
    Appointments appointments_;
};

using Times = std::vector<std::string>;

TEST_F(TimeSlotRowsTest, CreatesSeventyThreeFreeQuarterHourRowsOnce) {
    ASSERT_EQ(TimeSlotRows::kRowCount, slots_.size());
    for (size_t i = 0; i < slots_.size(); ++i) {
        const TimeSlotRows::Row& row = slots_[i];
        EXPECT_EQ(static_cast<int32_t>(5 + i / 4), row.time.Hour()) << i;
        EXPECT_EQ(static_cast<int32_t>(15 * (i % 4)), row.time.Minute()) << i;
        EXPECT_EQ(0, row.time.Second()) << i;
        EXPECT_EQ(0, row.appointmentID);
        EXPECT_EQ("", row.description);
    }
    // A later day changes the slot times but not the rows.
    slots_.SetSlotTimes(At(2024, 3, 20, 5), At(2024, 3, 20, 6));
    slots_.CreateRows();
    EXPECT_EQ(TimeSlotRows::kRowCount, slots_.size());
    EXPECT_EQ(12, slots_[0].time.Day());
}

TEST_F(TimeSlotRowsTest, InvalidSlotTimesMakeNoRows) {
    TimeSlotRows slots;
    slots.CreateRows();
    EXPECT_EQ(0u, slots.size());
}

TEST_F(TimeSlotRowsTest, StartAndEndRoundToTheNearestQuarterHour) {
    const int32_t meeting = Add("Meeting", At(2024, 3, 12, 9, 10), At(2024, 3, 12, 9, 50));
    const int32_t shortCall = Add("Call", At(2024, 3, 12, 9, 0), At(2024, 3, 12, 9, 5));
    const int32_t lunch = Add("Lunch", At(2024, 3, 12, 12, 7), At(2024, 3, 12, 12, 53));
    Fill();
    EXPECT_EQ((Times{"09:15", "09:30", "09:45"}), RowsOf(meeting));
    EXPECT_EQ("Meeting", slots_[17].description);
    EXPECT_EQ(Times{}, RowsOf(shortCall));
    // 427 minutes: 28 rows and 7 minutes, kept at 12:00; 46 minutes: 3 rows.
    EXPECT_EQ((Times{"12:00", "12:15", "12:30"}), RowsOf(lunch));
}

TEST_F(TimeSlotRowsTest, RowsBeforeFiveAndAfterElevenAreLost) {
    const int32_t early = Add("Early", At(2024, 3, 12, 4, 50), At(2024, 3, 12, 5, 30));
    const int32_t late = Add("Late", At(2024, 3, 12, 22, 50), At(2024, 3, 12, 23, 40));
    const int32_t beforeAll = Add("Before", At(2024, 3, 12, 4, 30), At(2024, 3, 12, 5, 0));
    const int32_t afterAll = Add("After", At(2024, 3, 12, 23, 30), At(2024, 3, 12, 23, 45));
    const int32_t spanning = Add("Spanning", At(2024, 3, 12, 3, 0), At(2024, 3, 12, 5, 5));
    Fill();
    // Starting 10 minutes before the first row: quotient 0, no rounding down.
    EXPECT_EQ((Times{"05:00", "05:15", "05:30"}), RowsOf(early));
    EXPECT_EQ((Times{"22:45", "23:00"}), RowsOf(late));
    EXPECT_EQ(Times{}, RowsOf(beforeAll));
    EXPECT_EQ(Times{}, RowsOf(afterAll));
    // -120 minutes: row -8; 125 minutes: 8 rows, all before the first.
    EXPECT_EQ(Times{}, RowsOf(spanning));
    EXPECT_EQ(early, slots_[0].appointmentID);
}

TEST_F(TimeSlotRowsTest, OverlapIsWonByTheHigherId) {
    const int32_t first = Add("First", At(2024, 3, 12, 10, 0), At(2024, 3, 12, 11, 0));
    const int32_t second = Add("Second", At(2024, 3, 12, 10, 30), At(2024, 3, 12, 11, 30));
    Fill();
    EXPECT_EQ((Times{"10:00", "10:15"}), RowsOf(first));
    EXPECT_EQ((Times{"10:30", "10:45", "11:00", "11:15"}), RowsOf(second));

    // The order of the IDs decides, not the order of adding.
    Appointments reordered;
    Appointment high = appointments_[first];
    high.ID = 10;
    reordered.Insert(high.ID, high);
    Appointment low = high;
    low.ID = 5;
    low.Description = "Low";
    low.StartTime = At(2024, 3, 12, 10, 45);
    low.EndTime = At(2024, 3, 12, 11, 15);
    reordered.Insert(low.ID, low);
    slots_.FillTimeSlots(reordered, kDay);
    EXPECT_EQ((Times{"10:00", "10:15", "10:30", "10:45"}), RowsOf(10));
    EXPECT_EQ((Times{"11:00"}), RowsOf(5));
    EXPECT_EQ(Times{}, RowsOf(second));
}

TEST_F(TimeSlotRowsTest, OnlyAppointmentsDueExactlyOnTheDayAreShown) {
    Add("Tomorrow", At(2024, 3, 13, 9), At(2024, 3, 13, 10), At(2024, 3, 13));
    const int32_t timeOfDay = Add("Due at 09:00", At(2024, 3, 12, 9), At(2024, 3, 12, 10), At(2024, 3, 12, 9));
    // Due today but with times on another day: measured from today's 05:00.
    const int32_t otherTimes = Add("Times elsewhere", At(2024, 3, 11, 9), At(2024, 3, 11, 10));
    Fill();
    EXPECT_EQ(0u, TakenRows());
    EXPECT_EQ(Times{}, RowsOf(timeOfDay));
    EXPECT_EQ(Times{}, RowsOf(otherTimes));

    // The next day's page measures from its own 05:00; the rows keep their times.
    slots_.SetSlotTimes(At(2024, 3, 13, 5), At(2024, 3, 13, 23));
    slots_.FillTimeSlots(appointments_, At(2024, 3, 13));
    EXPECT_EQ((Times{"09:00", "09:15", "09:30", "09:45"}), RowsOf(1));
}

TEST_F(TimeSlotRowsTest, RefillAfterDeleteFreesTheRowsButKeepsThem) {
    const int32_t kept = Add("Kept", At(2024, 3, 12, 8), At(2024, 3, 12, 8, 30));
    const int32_t deleted = Add("Deleted", At(2024, 3, 12, 14), At(2024, 3, 12, 15));
    Fill();
    ASSERT_EQ(4u, RowsOf(deleted).size());

    appointments_.Erase(deleted);
    Fill();
    EXPECT_EQ(Times{}, RowsOf(deleted));
    EXPECT_EQ((Times{"08:00", "08:15"}), RowsOf(kept));
    EXPECT_EQ(2u, TakenRows());
    EXPECT_EQ(TimeSlotRows::kRowCount, slots_.size());
    for (size_t i = 36; i < 40; ++i) EXPECT_EQ("", slots_[i].description) << i;

    slots_.FillTimeSlots(Appointments(), kDay);
    EXPECT_EQ(0u, TakenRows());
}

TEST_F(TimeSlotRowsTest, AlarmIsReadFromTheCopyTakenAtTheFill) {
    const int32_t alarmed = Add("Alarmed", At(2024, 3, 12, 7), At(2024, 3, 12, 7, 15), kDay, true);
    Add("Quiet", At(2024, 3, 12, 8), At(2024, 3, 12, 8, 15));
    Fill();
    EXPECT_TRUE(slots_.ShowsAlarm(8));   // 07:00
    EXPECT_FALSE(slots_.ShowsAlarm(12)); // 08:00
    EXPECT_FALSE(slots_.ShowsAlarm(0));  // free row
    EXPECT_FALSE(slots_.ShowsAlarm(TimeSlotRows::kRowCount));

    appointments_[alarmed].Alarm = false;  // the document changes, no refill yet
    EXPECT_TRUE(slots_.ShowsAlarm(8));
    Fill();
    EXPECT_FALSE(slots_.ShowsAlarm(8));
}

TEST_F(TimeSlotRowsTest, RowOfAnAppointmentWithIdZeroIsFreedByARefill) {
    Appointments appointments;
    Appointment zero;
    zero.ID = 0;
    zero.Description = "Zero";
    zero.DueDate = kDay;
    zero.StartTime = At(2024, 3, 12, 6);
    zero.EndTime = At(2024, 3, 12, 6, 15);
    appointments.Insert(0, zero);
    slots_.FillTimeSlots(appointments, kDay);
    EXPECT_EQ("Zero", slots_[4].description);
    EXPECT_EQ(0, slots_[4].appointmentID);
    EXPECT_TRUE(slots_[4].taken);

    // Another day, and the same day without it: the row is free again.
    slots_.FillTimeSlots(appointments, kDay + DateSpan(1.0));
    EXPECT_EQ("", slots_[4].description);
    EXPECT_FALSE(slots_[4].taken);
    slots_.FillTimeSlots(appointments, kDay);
    slots_.FillTimeSlots(Appointments(), kDay);
    EXPECT_EQ("", slots_[4].description);
    EXPECT_FALSE(slots_[4].taken);
}

TEST(TimeSlotMinutes, WholeMinutesTruncateTowardZero) {
    EXPECT_EQ(250, TimeSlotRows::WholeMinutes(At(2024, 3, 12, 9, 10) - At(2024, 3, 12, 5)));
    EXPECT_EQ(-10, TimeSlotRows::WholeMinutes(At(2024, 3, 12, 4, 50) - At(2024, 3, 12, 5)));
    EXPECT_EQ(0, TimeSlotRows::WholeMinutes(DateSpan::FromParts(0, 0, 0, 59)));
    EXPECT_EQ(-1, TimeSlotRows::WholeMinutes(DateSpan::FromParts(0, 0, -1, -59)));
    EXPECT_EQ(1440, TimeSlotRows::WholeMinutes(At(2024, 3, 13) - At(2024, 3, 12)));
    // Every minute of the day measured from 05:00 is a whole number of
    // minutes, however the day fractions round.
    for (int minutes = -300; minutes < 1140; ++minutes) {
        const DateTime time = At(2024, 3, 12, 5) + DateSpan::FromParts(0, 0, minutes, 0);
        EXPECT_EQ(minutes, TimeSlotRows::WholeMinutes(time - At(2024, 3, 12, 5))) << minutes;
        const DateTime fromFields = At(2024, 3, 12, (300 + minutes) / 60, (300 + minutes) % 60);
        EXPECT_EQ(minutes, TimeSlotRows::WholeMinutes(fromFields - At(2024, 3, 12, 5))) << minutes;
    }
}

}  // namespace
