// Recurrence rules (RRULE) and the occurrences they make.
//
// Read: FREQ DAILY, WEEKLY, MONTHLY and YEARLY with INTERVAL, COUNT, UNTIL,
// BYDAY (ordinals such as 2MO or -1FR where the frequency allows them),
// BYMONTHDAY, BYMONTH, BYSETPOS and WKST. A rule with any other part (hourly
// rules, BYWEEKNO, BYYEARDAY, BYHOUR, ...) or a value out of range is one we
// cannot read.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

enum class Frequency { kDaily, kWeekly, kMonthly, kYearly };

struct WeekdayNumber {
    int weekday = 0;  // 0 Monday - 6 Sunday
    int ordinal = 0;  // 0: every such day; 2: the second; -1: the last
};

// Where a rule's UNTIL stands: a date, or a date-time in UTC or in the
// event's own time. The caller brings it into the event's wall time.
struct RuleUntil {
    bool given = false;
    bool dateOnly = false;
    bool utc = false;
    int64_t wall = 0;  // seconds; for a date, its 00:00
};

struct RecurrenceRule {
    Frequency frequency = Frequency::kDaily;
    int interval = 1;
    int count = 0;  // 0: no COUNT
    RuleUntil until;
    std::vector<WeekdayNumber> byDay;
    std::vector<int> byMonthDay;  // 1-31 or -31 to -1
    std::vector<int> byMonth;     // 1-12
    std::vector<int> bySetPos;    // 1-366 or -366 to -1
    int weekStart = 0;            // 0 Monday
};

// False when the rule is not one we can read.
bool ParseRecurrenceRule(std::string_view text, RecurrenceRule& rule);

// Calls `emit` with the wall time of each occurrence in order, the start
// itself first (it always counts as one), while `emit` returns true, up to
// COUNT, the rule's UNTIL (`untilWall`, inclusive; ignored unless the rule
// has one) and `limitWall`. Occurrences keep the start's time of day.
// Periods that the rule leaves empty for years on end (a 30 February) end the
// expansion, so that no rule can keep it busy.
void ExpandRecurrence(const RecurrenceRule& rule, int64_t startWall, int64_t untilWall, int64_t limitWall,
                      const std::function<bool(int64_t wall)>& emit);
