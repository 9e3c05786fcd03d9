#include "AppointmentTimes.h"

namespace AppointmentTimes {

int QuarterIndex(int hour, int minute) { return hour * 4 + minute / kStep; }

Step StepBegin(int minuteOfDay, bool up) {
    if (up) {
        // A step that would leave the day (a stored begin after 23:45) goes
        // round as 22:45 does.
        if (minuteOfDay == kLastBegin || minuteOfDay + kStep >= kMinutesPerDay)
            return {kFirstBegin, true};
        return {minuteOfDay + kStep, false};
    }
    if (minuteOfDay == kFirstBegin || minuteOfDay - kStep < 0) return {kLastBegin, true};
    return {minuteOfDay - kStep, false};
}

Step StepEnd(int minuteOfDay, bool up) {
    if (up) {
        if (minuteOfDay / 60 == 23 || minuteOfDay + kStep >= kMinutesPerDay)
            return {kFirstEnd, true};
        return {minuteOfDay + kStep, false};
    }
    if (minuteOfDay == kFirstEnd || minuteOfDay - kStep < 0) return {kLastEnd, true};
    return {minuteOfDay - kStep, false};
}

int32_t ShownAlarmLead(int64_t wholeMinutes) {
    // Far leads (an alarm time days away, or none at all) show 0 before the
    // sign is dropped, so no value can overflow.
    if (wholeMinutes > kLongestAlarmLead || wholeMinutes < -kLongestAlarmLead) return 0;
    int64_t lead = wholeMinutes < 0 ? -wholeMinutes : wholeMinutes;
    if (lead % 5 != 0) lead = lead - lead % 5 + 5;
    if (lead > kLongestAlarmLead) return 0;
    return static_cast<int32_t>(lead);
}

}  // namespace AppointmentTimes
