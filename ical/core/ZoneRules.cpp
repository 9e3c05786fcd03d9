#include "ZoneRules.h"

#include <algorithm>
#include <climits>

#include "CivilCalendar.h"

namespace {

int YearOf(int64_t seconds) {
    int year, month, day;
    DateOfDay(FloorDiv(seconds, kSecondsPerDay), year, month, day);
    return year;
}

// The `week`th `weekday` (0 Monday) of a month; week 5 is the last.
int64_t NthWeekday(int year, int month, int weekday, int week) {
    const int64_t first = DayNumber(year, month, 1);
    int64_t day = first + (weekday - WeekdayOfDay(first) + 7) % 7 + 7 * (week - 1);
    while (day >= first + DaysInMonth(year, month)) day -= 7;
    return day;
}

ZoneObservance YearlyChange(const ZoneChange& change, int32_t from, int32_t to) {
    ZoneObservance observance;
    observance.offsetFrom = from;
    observance.offsetTo = to;
    const int weekday = (change.weekday + 6) % 7;  // Windows counts from Sunday
    const int week = std::min(std::max(change.week, 1), 5);
    observance.startWall = NthWeekday(1970, change.month, weekday, week) * kSecondsPerDay + change.hour * 3600 +
                           change.minute * 60;
    observance.hasRule = true;
    observance.rule.frequency = Frequency::kYearly;
    observance.rule.byMonth = {change.month};
    observance.rule.byDay = {WeekdayNumber{weekday, week == 5 ? -1 : week}};
    return observance;
}

}  // namespace

ZoneRules ZoneRules::Fixed(int32_t offsetSeconds) {
    ZoneObservance observance;
    observance.startWall = DayNumber(1601, 1, 1) * kSecondsPerDay;
    observance.offsetFrom = observance.offsetTo = offsetSeconds;
    return ZoneRules({observance});
}

ZoneRules ZoneRules::FromWindows(const WindowsZoneRules& rules) {
    const int32_t standard = -(rules.bias + rules.standardBias) * 60;
    const int32_t daylight = -(rules.bias + rules.daylightBias) * 60;
    if (rules.daylightStart.month < 1 || rules.daylightStart.month > 12 || rules.standardStart.month < 1 ||
        rules.standardStart.month > 12)
        return Fixed(standard);
    return ZoneRules({YearlyChange(rules.daylightStart, standard, daylight),
                      YearlyChange(rules.standardStart, daylight, standard)});
}

const std::vector<ZoneRules::Change>& ZoneRules::ChangesAround(int year) const {
    const auto found = changes_.find(year);
    if (found != changes_.end()) return found->second;
    const int64_t windowStart = DayNumber(year - 1, 1, 1) * kSecondsPerDay;
    const int64_t windowEnd = DayNumber(year + 2, 1, 1) * kSecondsPerDay;
    std::vector<Change> changes;
    Change before{LLONG_MIN, 0, 0};
    bool haveBefore = false;
    const auto add = [&](const ZoneObservance& observance, int64_t wall) {
        const Change change{wall - observance.offsetFrom, observance.offsetFrom, observance.offsetTo};
        if (wall < windowStart) {
            if (!haveBefore || change.utc > before.utc) before = change;
            haveBefore = true;
        } else {
            changes.push_back(change);
        }
    };
    for (const ZoneObservance& observance : observances_) {
        if (observance.hasRule) {
            const int64_t until = observance.rule.until.given ? observance.rule.until.wall : windowEnd;
            ExpandRecurrence(observance.rule, observance.startWall, until, windowEnd, [&](int64_t wall) {
                add(observance, wall);
                return true;
            });
        } else if (observance.startWall < windowEnd) {
            add(observance, observance.startWall);
        }
        for (int64_t wall : observance.dates)
            if (wall < windowEnd) add(observance, wall);
    }
    std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.utc < b.utc; });
    if (haveBefore) changes.insert(changes.begin(), before);
    return changes_.emplace(year, std::move(changes)).first->second;
}

const std::vector<ZoneRules::Change>& ZoneRules::ChangesAt(int64_t seconds) const {
    if (!lastChanges_ || seconds < lastYearStart_ || seconds >= lastYearEnd_) {
        const int year = YearOf(seconds);
        lastChanges_ = &ChangesAround(year);
        lastYearStart_ = DayNumber(year, 1, 1) * kSecondsPerDay;
        lastYearEnd_ = DayNumber(year + 1, 1, 1) * kSecondsPerDay;
    }
    return *lastChanges_;
}

int64_t ZoneRules::FromUtc(int64_t utc) const {
    const std::vector<Change>& changes = ChangesAt(utc);
    if (changes.empty()) return utc;
    int32_t offset = changes.front().from;
    for (const Change& change : changes) {
        if (change.utc > utc) break;
        offset = change.to;
    }
    return utc + offset;
}

int64_t ZoneRules::ToUtc(int64_t wall) const {
    const std::vector<Change>& changes = ChangesAt(wall);
    if (changes.empty()) return wall;
    // A wall time inside a gap the clocks jump over.
    for (const Change& change : changes)
        if (change.to > change.from && wall >= change.utc + change.from && wall < change.utc + change.to)
            return wall - change.from;
    // Otherwise the first stretch of one offset that holds it.
    for (size_t i = 0; i <= changes.size(); ++i) {
        const int32_t offset = i == 0 ? changes.front().from : changes[i - 1].to;
        const int64_t utc = wall - offset;
        const bool afterStart = i == 0 || utc >= changes[i - 1].utc;
        const bool beforeEnd = i == changes.size() || utc < changes[i].utc;
        if (afterStart && beforeEnd) return utc;
    }
    return wall - changes.back().to;
}
