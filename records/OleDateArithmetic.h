// Our own arithmetic for OLE Automation dates (days since 1899-12-30, the
// fraction being the time of day, counted forward from the day's start for
// negative dates too), computed step by step the way the system's
// SystemTimeToVariantTime and VariantTimeToSystemTime compute it, so that a
// build without those calls stores exactly the same values. Also the plain
// proleptic Gregorian helpers that Unix-time work needs.
#pragma once

#include <cstdint>

#include "CalendarPlatform.h"

namespace OleDate {

constexpr int kMinDay = -657434;  // 0100-01-01
constexpr int kMaxDay = 2958465;  // 9999-12-31

// Calendar fields to an OLE date, as SystemTimeToVariantTime does it. The
// fields are taken as the 16-bit words of a SYSTEMTIME. Fails for a month
// above 12, a day above 31, or a year outside 0-9999. Otherwise nothing is
// rejected: years 0-49 become 2000-2049 and 50-99 become 1950-1999, and
// overflowing fields roll forward (2002-02-30 is March 2). Milliseconds are
// ignored.
bool FromFields(const CalendarFields& fields, double& oleDate);

// An OLE date to calendar fields, as VariantTimeToSystemTime does it. Fails
// outside (kMinDay - 1, kMaxDay + 1) and for NaN. The time of day is
// truncated to whole seconds after adding 1e-11 days, then a remainder above
// half a second rounds up (carrying into the next day); milliseconds are
// always 0.
bool ToFields(double oleDate, CalendarFields& fields);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // month 1-12

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t year, int month, int day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

// 0 = Sunday ... 6 = Saturday, for a count of days since 1970-01-01.
int WeekdayFromDays(int64_t days);

// On 32-bit x86 the x87 unit computes with as many mantissa bits as its
// control word allows. Windows starts each thread at 53 bits, but the MinGW
// runtime widens it to 64, and at 64 bits the system's own date conversions
// (x87 code) round differently in about a third of all cases; so would ours,
// unless built for SSE2 math. While one of these scopes lives the precision
// is 53 bits, which makes x87 results equal to plain double arithmetic: ours,
// the system's, and those of 64-bit builds agree. Elsewhere it does nothing.
class DoublePrecisionScope {
public:
#if defined(__i386__)
    DoublePrecisionScope() {
        __asm__ volatile("fnstcw %0" : "=m"(saved_) : : "memory");
        const uint16_t precision53 = uint16_t((saved_ & ~0x0300u) | 0x0200u);
        __asm__ volatile("fldcw %0" : : "m"(precision53) : "memory");
    }
    ~DoublePrecisionScope() { __asm__ volatile("fldcw %0" : : "m"(saved_) : "memory"); }

private:
    uint16_t saved_;
#else
    DoublePrecisionScope() {}
#endif

public:
    DoublePrecisionScope(const DoublePrecisionScope&) = delete;
    DoublePrecisionScope& operator=(const DoublePrecisionScope&) = delete;
};

}  // namespace OleDate
