// Dates and wall-clock times as plain counts, for the arithmetic of
// recurrences and time zones: a day number counts days from 1970-01-01 in
// the proleptic Gregorian calendar, a wall time counts seconds from its
// 00:00. Neither knows a zone: the same count is a moment only together with
// the zone it is read in.
#pragma once

#include <cstdint>

#include "CalendarZones.h"

constexpr int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 of a date; the date back from its day number.
int64_t DayNumber(int year, int month, int day);
void DateOfDay(int64_t dayNumber, int& year, int& month, int& day);

// 0 Monday to 6 Sunday.
int WeekdayOfDay(int64_t dayNumber);
int DaysInMonth(int year, int month);
bool IsLeapYear(int year);

// Whether the fields are a real time of day on a real date of the years
// from `firstYear` to `lastYear`.
bool IsRealTime(const CivilTime& time, int firstYear, int lastYear);

// The wall time of calendar fields and back. Fields out of range (a 13th
// month, a 61st second) are not checked here.
int64_t WallSeconds(const CivilTime& time);
CivilTime CivilOfWall(int64_t wallSeconds);

// Floor division for the negative counts before 1970.
inline int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
