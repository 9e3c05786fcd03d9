// The appointment editor's rules for times of day, free of any window: the
// quarter-hour steps of the begin and end times with their wrap-arounds, and
// the alarm's lead shown in whole multiples of five minutes.
#pragma once

#include <cstdint>

namespace AppointmentTimes {

// A time of day as minutes since midnight (0 to 1439).
constexpr int kMinutesPerDay = 24 * 60;
constexpr int kStep = 15;
constexpr int kFirstBegin = 5 * 60;           // 05:00
constexpr int kLastBegin = 22 * 60 + 45;      // 22:45
constexpr int kFirstEnd = 5 * 60 + 15;        // 05:15
constexpr int kLastEnd = 23 * 60;             // 23:00

// The up-downs' range and the positions they take when a time wraps round.
constexpr int kFirstQuarter = 20;  // 05:00
constexpr int kLastQuarter = 92;   // 23:00
constexpr int kFirstBeginQuarter = 20;
constexpr int kFirstEndQuarter = 21;

// The greatest lead of an alarm the editor shows, in minutes.
constexpr int kLongestAlarmLead = 60;

struct Step {
    int minuteOfDay;  // the new time
    bool wrapped;     // it went round from one end of the day's range to the other
};

// The quarter-hour index of a time of day: hour * 4 + minute / 15.
int QuarterIndex(int hour, int minute);

// One step of the begin time: up from 22:45 wraps to 05:00, down from 05:00
// to 22:45; otherwise a quarter of an hour later or earlier.
Step StepBegin(int minuteOfDay, bool up);

// One step of the end time: up from any time in the 23 o'clock hour wraps to
// 05:15, down from 05:15 to 23:00; otherwise a quarter of an hour later or
// earlier.
Step StepEnd(int minuteOfDay, bool up);

// The lead of an alarm as the editor shows it, from the signed difference of
// begin and alarm time in whole minutes: the sign dropped, rounded up to a
// multiple of 5, and 0 when that is more than an hour.
int32_t ShownAlarmLead(int64_t wholeMinutes);

}  // namespace AppointmentTimes
