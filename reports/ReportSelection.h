// The report chosen last from the Report menu, with the copies of the records
// it prints. The day view keeps one for its whole life; Print and Print
// Preview produce the report it names. Nothing here is saved.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "Records.h"

enum class ReportKind : int32_t {
    kNone = 0,  // no report chosen yet
    kAddressBook = 1,
    kEnvelopes = 2,
    kDailyPlan = 3,
    kDailyTasks = 4,
    kDailyAppointments = 5,
};

// The sender of the envelopes: the owner's details, and whether company
// lines are printed (while the phone book shows the Yellow Pages).
struct EnvelopeSender {
    User owner;
    bool showCompany = false;
};

// Choosing a report replaces the lists its kind uses and leaves the others;
// the copies are taken at that moment, so later edits do not reach them.
struct ReportSelection {
    ReportKind kind = ReportKind::kNone;
    std::map<int32_t, Person> addressBookPersons;  // AddressBook, by ID
    std::vector<Person> envelopePersons;            // Envelopes, ascending ID
    std::vector<Task> reportTasks;                  // DailyPlan, DailyTasks
    std::vector<Appointment> reportAppointments;    // DailyPlan, DailyAppointments
    // Unlike the persons, the sender is read at every preparation: an edit
    // of the owner or a switch between White and Yellow Pages after
    // choosing shows on the next envelopes. Empty: no sender, no company.
    std::function<EnvelopeSender()> envelopeSender;
};
