#include <gtest/gtest.h>

#include "Collections.h"
#include "PimDocument.h"
#include "Records.h"

namespace {

Person NamedPerson(const std::string& first, const std::string& last) {
    Person person;
    person.FName = first;
    person.LName = last;
    return person;
}

TEST(PersonDisplayName, JoinsLastAndFirstOrTakesWhicheverIsPresent) {
    EXPECT_EQ("Smith, Ann", NamedPerson("Ann", "Smith").MakeDisplayName());
    EXPECT_EQ("Smith", NamedPerson("", "Smith").MakeDisplayName());
    EXPECT_EQ("Ann", NamedPerson("Ann", "").MakeDisplayName());
    EXPECT_EQ("", NamedPerson("", "").MakeDisplayName());
}

TEST(RecordDefaults, TaskIsDueAtItsConstructionMomentAndNotDone) {
    const DateTime before = DateTime::Now();
    Task task;
    const DateTime after = DateTime::Now();
    EXPECT_FALSE(task.DoneDate.IsValid());
    EXPECT_TRUE(task.DueDate.IsOnOrAfter(before));
    EXPECT_TRUE(task.DueDate.IsOnOrBefore(after));
    EXPECT_EQ(kPriorityHigh, task.Priority);
}

TEST(RecordDefaults, AppointmentTimesAreTheConstructionMomentWithoutAlarm) {
    const DateTime before = DateTime::Now();
    Appointment appointment;
    const DateTime after = DateTime::Now();
    for (const DateTime* field : {&appointment.DueDate, &appointment.StartTime,
                                  &appointment.EndTime, &appointment.AlarmTime}) {
        EXPECT_TRUE(field->IsOnOrAfter(before));
        EXPECT_TRUE(field->IsOnOrBefore(after));
    }
    EXPECT_FALSE(appointment.Alarm);
    EXPECT_FALSE(appointment.Done);
}

// Adds a person the way an editor does: ID from the collection, display name
// derived, inserted under its ID.
int32_t AddPerson(Persons& persons, const std::string& last) {
    Person person = NamedPerson("", last);
    person.ID = persons.IssueID();
    person.RName = person.MakeDisplayName();
    persons.Insert(person.ID, person);
    return person.ID;
}

TEST(Collections, IssueIdsNeverReusedAfterDeletingTheHighest) {
    Persons persons;
    EXPECT_EQ(1, AddPerson(persons, "A"));
    EXPECT_EQ(2, AddPerson(persons, "B"));
    EXPECT_EQ(3, AddPerson(persons, "C"));
    persons.Erase(3);
    EXPECT_EQ(3, persons.LastID());
    EXPECT_EQ(4, AddPerson(persons, "D"));
    EXPECT_EQ(nullptr, persons.Find(3));
    ASSERT_NE(nullptr, persons.Find(4));
    EXPECT_EQ("D", persons.Find(4)->RName);
}

TEST(Collections, InsertKeepsTheFirstRecordUnderAnId) {
    Tasks tasks;
    Task first;
    first.Description = "first";
    Task second;
    second.Description = "second";
    EXPECT_TRUE(tasks.Insert(7, first));
    EXPECT_FALSE(tasks.Insert(7, second));
    EXPECT_EQ(1u, tasks.size());
    EXPECT_EQ("first", tasks[7].Description);
}

TEST(Collections, IterateInAscendingIdWhateverTheInsertionOrder) {
    Appointments appointments;
    for (int32_t id : {5, 1, 9, 3, 7}) {
        Appointment appointment;
        appointment.ID = id;
        appointments.Insert(id, appointment);
    }
    std::vector<int32_t> order;
    for (const auto& entry : appointments) {
        EXPECT_EQ(entry.first, entry.second.ID);
        order.push_back(entry.first);
    }
    EXPECT_EQ((std::vector<int32_t>{1, 3, 5, 7, 9}), order);
    EXPECT_EQ(9, appointments.LargestID());
}

TEST(Collections, ClearEmptiesAndResetsLastIdAndCopiesAreIndependent) {
    Persons persons;
    AddPerson(persons, "A");
    AddPerson(persons, "B");
    Persons copy = persons;
    persons.Erase(1);
    persons[2].LName = "changed";
    EXPECT_EQ(2u, copy.size());
    EXPECT_EQ("B", copy[2].LName);
    EXPECT_EQ(2, copy.LastID());

    persons.Clear();
    EXPECT_TRUE(persons.empty());
    EXPECT_EQ(0, persons.LastID());
    EXPECT_EQ(1, persons.IssueID());
}

TEST(Collections, NoIdIsLeftOnceTheLargestInt32WasIssuedAndNoneGoesRoundToNegative) {
    Tasks tasks;
    tasks.SetLastID(INT32_MAX - 1);
    EXPECT_EQ(INT32_MAX, tasks.IssueID());
    EXPECT_FALSE(tasks.HasIDLeft());
    EXPECT_EQ(INT32_MAX, tasks.IssueID());
    EXPECT_EQ(INT32_MAX, tasks.LastID());
}

class CountingView : public PimDocumentView {
public:
    void OnDocumentChanged() override { ++refreshes; }
    int refreshes = 0;
};

TEST(Document, SetModifiedNotifiesAttachedViewsOnlyWhenAsked) {
    PimDocument document;
    CountingView view;
    document.AttachView(&view);
    document.AttachView(&view);  // attaching twice still refreshes once
    document.SetModified(true, false);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(0, view.refreshes);
    document.SetModified(true, true);
    EXPECT_EQ(1, view.refreshes);
    document.DetachView(&view);
    document.SetModified(false, true);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(1, view.refreshes);
}

TEST(Document, ClearEmptiesRecordsAndOwnerButKeepsPathAndSelectedDay) {
    PimDocument document;
    CountingView view;
    document.AttachView(&view);
    EXPECT_EQ(DateTime::Today(), document.SelectedDate);
    document.SelectedDate = DateTime::FromFields(2002, 3, 4, 0, 0, 0);
    document.SetPath("C:\\diary.pgr");
    AddPerson(document.persons, "A");
    document.tasks.Insert(document.tasks.IssueID(), Task());
    document.appointments.Insert(document.appointments.IssueID(), Appointment());
    document.user.Company = "Brennix";
    document.SetModified(true, false);

    document.Clear();
    EXPECT_TRUE(document.persons.empty());
    EXPECT_TRUE(document.tasks.empty());
    EXPECT_TRUE(document.appointments.empty());
    EXPECT_EQ(0, document.persons.LastID() + document.tasks.LastID() + document.appointments.LastID());
    EXPECT_EQ("", document.user.Company);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(1, view.refreshes);
    EXPECT_EQ("C:\\diary.pgr", document.Path());
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 0, 0, 0), document.SelectedDate);
}

}  // namespace
