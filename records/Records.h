// The four record types of a document. Records are plain values: editors,
// reports and the exchange work on copies and write them back by ID.
#pragma once

#include <cstdint>
#include <string>

#include "DateTime.h"
#include "Text.h"

class Person {
public:
    virtual ~Person() = default;

    // "Last, First", or whichever of the two is present.
    std::string MakeDisplayName() const;

    int32_t ID = 0;
    Text FName;
    Text LName;
    Text RName;  // display name, kept as MakeDisplayName left it
    Text Company;
    Text Position;
    Text Addr1;
    Text Addr2;
    Text City;
    Text State;
    Text Zip;
    Text HmPhone;
    Text WkPhone;
    Text WkExt;
    Text Fax;
    Text Pager;
    Text CelPhone;
    Text EMail;
    Text WebPage;
    Text Notes;
    int32_t WhitePages = 0;   // 1 = listed in the White Pages
    int32_t YellowPages = 0;  // 1 = listed in the Yellow Pages
};

enum TaskPriority : int32_t {
    kPriorityHigh = 0,
    kPriorityMedium = 1,
    kPriorityLow = 2,
    kPriorityDone = 3,  // a finished task; there is no separate done flag
};

class Task {
public:
    Task();
    virtual ~Task() = default;
    // Moves keep a long description's text rather than copying it.
    Task(const Task&) = default;
    Task(Task&&) noexcept = default;
    Task& operator=(const Task&) = default;
    Task& operator=(Task&&) noexcept = default;

    Text Description;
    int32_t Priority = kPriorityHigh;
    DateTime DueDate;   // the construction moment until set
    DateTime DoneDate;  // meaningful only when Priority is kPriorityDone
    int32_t ID = 0;
};

class Appointment {
public:
    Appointment();
    virtual ~Appointment() = default;
    Appointment(const Appointment&) = default;
    Appointment(Appointment&&) noexcept = default;
    Appointment& operator=(const Appointment&) = default;
    Appointment& operator=(Appointment&&) noexcept = default;

    Text Description;
    int32_t ID = 0;
    DateTime DueDate;    // the day of the appointment
    DateTime StartTime;
    DateTime EndTime;
    bool Alarm = false;
    DateTime AlarmTime;  // meaningful only when Alarm is set
    bool Done = false;   // kept and stored; nothing in the program changes it
};

// The owner of the document.
class User {
public:
    virtual ~User() = default;

    Text LName;
    Text FName;
    Text Addr1;
    Text Addr2;
    Text City;
    Text State;
    Text Zip;
    Text Position;
    Text Company;
};
