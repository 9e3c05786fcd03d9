// An iCalendar file read into what the import works with: its events and
// to-dos with their properties as written, and the time zones it defines.
//
// Components count where RFC 5545 puts them: VEVENT, VTODO and VTIMEZONE in
// a VCALENDAR, VALARM in an event or to-do, STANDARD and DAYLIGHT in a
// VTIMEZONE. Any other component is skipped with all it holds, and so are
// properties we have no use for.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ICalValues.h"
#include "Recurrence.h"
#include "VCardUnicode.h"
#include "ZoneRules.h"

// A DTSTART, DTEND, DUE, EXDATE, ... value with the zone it names.
struct TimeProperty {
    bool given = false;
    TimeText time;
    std::string zone;  // its TZID, empty when none
};

// A VALARM's TRIGGER relative to the start (or, RELATED=END, to the end).
struct AlarmTrigger {
    int64_t seconds = 0;
    bool fromEnd = false;
};

struct CalendarItem {
    bool todo = false;
    int32_t line = 0;      // the line of its BEGIN
    bool hasSummary = false;
    std::string summary;   // in the ANSI code page
    std::string uid;
    TimeProperty start, end, due, completed, recurrenceId;
    bool hasDuration = false;
    int64_t duration = 0;  // seconds
    bool hasRule = false;
    bool ruleReadable = false;
    RecurrenceRule rule;
    std::vector<TimeProperty> exceptions, extraDates;  // EXDATE, RDATE
    int priority = 0;      // 0: none
    bool completedStatus = false;
    bool cancelled = false;
    std::vector<AlarmTrigger> alarms;  // relative triggers, in order
};

struct CalendarFile {
    std::vector<CalendarItem> items;
    std::map<std::string, ZoneRules> zones;  // by TZID
    int32_t lostCharacters = 0;
};

void ReadCalendarFile(const char* bytes, size_t length, VCardConverter& converter, CalendarFile& file);
