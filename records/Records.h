// The four record types of a document. Records are plain values: editors,
// reports and the exchange work on copies and write them back by ID.
#pragma once

#include <cstdint>
#include <string>

#include "DateTime.h"

class Person {
public:
    virtual ~Person() = default;

    // "Last, First", or whichever of the two is present.
    std::string MakeDisplayName() const;

    int32_t ID = 0;
    std::string FName;
    std::string LName;
    std::string RName;  // display name, kept as MakeDisplayName left it
    std::string Company;
    std::string Position;
    std::string Addr1;
    std::string Addr2;
    std::string City;
    std::string State;
    std::string Zip;
    std::string HmPhone;
    std::string WkPhone;
    std::string WkExt;
    std::string Fax;
    std::string Pager;
    std::string CelPhone;
    std::string EMail;
    std::string WebPage;
    std::string Notes;
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

    std::string Description;
    int32_t Priority = kPriorityHigh;
    DateTime DueDate;   // the construction moment until set
    DateTime DoneDate;  // meaningful only when Priority is kPriorityDone
    int32_t ID = 0;
};

class Appointment {
public:
    Appointment();
    virtual ~Appointment() = default;

    std::string Description;
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

    std::string LName;
    std::string FName;
    std::string Addr1;
    std::string Addr2;
    std::string City;
    std::string State;
    std::string Zip;
    std::string Position;
    std::string Company;
};
