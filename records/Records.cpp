#include "Records.h"

std::string Person::MakeDisplayName() const {
    if (LName.empty()) return FName;
    if (FName.empty()) return LName;
    return LName + ", " + FName;
}

// Each date field reads the clock itself, as a record built field by field
// would; the loader copies one prototype per section instead of building
// thousands of records this way.
Task::Task() : DueDate(DateTime::Now()) {}

Appointment::Appointment()
    : DueDate(DateTime::Now()), StartTime(DateTime::Now()), EndTime(DateTime::Now()),
      AlarmTime(DateTime::Now()) {}
