#include "Recurrence.h"

#include <algorithm>
#include <string>

#include "CivilCalendar.h"
#include "ICalValues.h"

namespace {

bool ParseInt(std::string_view text, int low, int high, int& value) {
    if (text.empty() || text.size() > 6) return false;
    size_t at = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        at = 1;
    }
    if (at == text.size()) return false;
    int result = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') return false;
        result = result * 10 + (text[at] - '0');
    }
    value = negative ? -result : result;
    return value >= low && value <= high;
}

int WeekdayOfCode(std::string_view code) {
    static const char* const kCodes[7] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    for (int day = 0; day < 7; ++day)
        if (EqualsNoCase(code, kCodes[day])) return day;
    return -1;
}

// Splits a comma-separated list, calling `each` on every item; false as
// soon as one is refused or the list is empty.
template <typename Each>
bool ForEachItem(std::string_view list, Each each) {
    if (list.empty()) return false;
    while (true) {
        const size_t comma = list.find(',');
        if (!each(list.substr(0, comma))) return false;
        if (comma == std::string_view::npos) return true;
        list.remove_prefix(comma + 1);
    }
}

bool ParseIntList(std::string_view list, int low, int high, bool zeroAllowed, std::vector<int>& out) {
    return ForEachItem(list, [&](std::string_view item) {
        int value = 0;
        if (!ParseInt(item, low, high, value) || (value == 0 && !zeroAllowed)) return false;
        out.push_back(value);
        return true;
    });
}

}  // namespace

bool ParseRecurrenceRule(std::string_view text, RecurrenceRule& rule) {
    rule = RecurrenceRule();
    bool haveFrequency = false;
    while (!text.empty()) {
        const size_t semicolon = text.find(';');
        const std::string_view part = text.substr(0, semicolon);
        text = semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
        if (part.empty()) continue;
        const size_t equals = part.find('=');
        if (equals == std::string_view::npos) return false;
        const std::string_view name = part.substr(0, equals), value = part.substr(equals + 1);
        if (EqualsNoCase(name, "FREQ")) {
            if (EqualsNoCase(value, "DAILY")) rule.frequency = Frequency::kDaily;
            else if (EqualsNoCase(value, "WEEKLY")) rule.frequency = Frequency::kWeekly;
            else if (EqualsNoCase(value, "MONTHLY")) rule.frequency = Frequency::kMonthly;
            else if (EqualsNoCase(value, "YEARLY")) rule.frequency = Frequency::kYearly;
            else return false;
            haveFrequency = true;
        } else if (EqualsNoCase(name, "INTERVAL")) {
            if (!ParseInt(value, 1, 99999, rule.interval)) return false;
        } else if (EqualsNoCase(name, "COUNT")) {
            if (!ParseInt(value, 1, 999999, rule.count)) return false;
        } else if (EqualsNoCase(name, "UNTIL")) {
            TimeText until;
            if (!ParseDateTimeText(value, until)) return false;
            rule.until.given = true;
            rule.until.dateOnly = until.dateOnly;
            rule.until.utc = until.utc;
            rule.until.wall = until.wall;
        } else if (EqualsNoCase(name, "BYDAY")) {
            const bool parsed = ForEachItem(value, [&](std::string_view item) {
                if (item.size() < 2) return false;
                WeekdayNumber day;
                day.weekday = WeekdayOfCode(item.substr(item.size() - 2));
                if (day.weekday < 0) return false;
                if (item.size() > 2 && (!ParseInt(item.substr(0, item.size() - 2), -53, 53, day.ordinal) || day.ordinal == 0))
                    return false;
                rule.byDay.push_back(day);
                return true;
            });
            if (!parsed) return false;
        } else if (EqualsNoCase(name, "BYMONTHDAY")) {
            if (!ParseIntList(value, -31, 31, false, rule.byMonthDay)) return false;
        } else if (EqualsNoCase(name, "BYMONTH")) {
            if (!ParseIntList(value, 1, 12, false, rule.byMonth)) return false;
        } else if (EqualsNoCase(name, "BYSETPOS")) {
            if (!ParseIntList(value, -366, 366, false, rule.bySetPos)) return false;
        } else if (EqualsNoCase(name, "WKST")) {
            rule.weekStart = WeekdayOfCode(value);
            if (rule.weekStart < 0) return false;
        } else {
            return false;
        }
    }
    if (!haveFrequency || (rule.count > 0 && rule.until.given)) return false;
    // Ordinals belong to monthly and yearly rules only.
    if (rule.frequency == Frequency::kDaily || rule.frequency == Frequency::kWeekly)
        for (const WeekdayNumber& day : rule.byDay)
            if (day.ordinal != 0) return false;
    return true;
}

namespace {

bool Contains(const std::vector<int>& values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

// Whether a day of a month of `length` days is one of BYMONTHDAY's.
bool MonthDayMatches(const std::vector<int>& byMonthDay, int day, int length) {
    for (int wanted : byMonthDay)
        if (wanted == day || (wanted < 0 && length + 1 + wanted == day)) return true;
    return false;
}

// The days of [first, first + length) that a BYDAY entry picks, its ordinal
// counted within that range.
void AddWeekdays(const WeekdayNumber& entry, int64_t first, int64_t length, std::vector<int64_t>& days) {
    const int64_t firstMatch = first + (entry.weekday - WeekdayOfDay(first) + 7) % 7;
    if (entry.ordinal == 0) {
        for (int64_t day = firstMatch; day < first + length; day += 7) days.push_back(day);
    } else if (entry.ordinal > 0) {
        const int64_t day = firstMatch + 7 * (entry.ordinal - 1);
        if (day < first + length) days.push_back(day);
    } else {
        const int64_t last = first + length - 1;
        const int64_t lastMatch = last - (WeekdayOfDay(last) - entry.weekday + 7) % 7;
        const int64_t day = lastMatch + 7 * (entry.ordinal + 1);
        if (day >= first) days.push_back(day);
    }
}

class Expander {
public:
    explicit Expander(const RecurrenceRule& rule, int64_t startDay) : rule_(rule), startDay_(startDay) {
        DateOfDay(startDay, startYear_, startMonth_, startDate_);
    }

    // The days of period `period` (counted from the start's), in order;
    // `periodFirst` is set to the period's first day.
    void Days(int64_t period, std::vector<int64_t>& days, int64_t& periodFirst) const {
        days.clear();
        switch (rule_.frequency) {
            case Frequency::kDaily: {
                const int64_t day = startDay_ + period * rule_.interval;
                periodFirst = day;
                if (DayPasses(day, true)) days.push_back(day);
                break;
            }
            case Frequency::kWeekly: {
                const int64_t weekFirst = startDay_ - (WeekdayOfDay(startDay_) - rule_.weekStart + 7) % 7 +
                                          7 * period * rule_.interval;
                periodFirst = weekFirst;
                for (int64_t day = weekFirst; day < weekFirst + 7; ++day) {
                    const bool weekday = rule_.byDay.empty() ? WeekdayOfDay(day) == WeekdayOfDay(startDay_)
                                                             : HasWeekday(WeekdayOfDay(day));
                    if (weekday && DayPasses(day, false)) days.push_back(day);
                }
                break;
            }
            case Frequency::kMonthly: {
                const int64_t monthIndex = (startYear_ * 12LL + startMonth_ - 1) + period * rule_.interval;
                const int year = static_cast<int>(FloorDiv(monthIndex, 12));
                const int month = static_cast<int>(monthIndex - year * 12LL) + 1;
                periodFirst = DayNumber(year, month, 1);
                if (rule_.byMonth.empty() || Contains(rule_.byMonth, month)) MonthDays(year, month, days);
                break;
            }
            case Frequency::kYearly: {
                const int year = static_cast<int>(startYear_ + period * rule_.interval);
                periodFirst = DayNumber(year, 1, 1);
                YearDays(year, days);
                break;
            }
        }
        if (!rule_.bySetPos.empty()) PickPositions(days);
    }

private:
    bool HasWeekday(int weekday) const {
        for (const WeekdayNumber& entry : rule_.byDay)
            if (entry.weekday == weekday) return true;
        return false;
    }

    // BYMONTH, and for daily rules BYMONTHDAY and BYDAY, narrow the days.
    bool DayPasses(int64_t day, bool daily) const {
        int year, month, date;
        DateOfDay(day, year, month, date);
        if (!rule_.byMonth.empty() && !Contains(rule_.byMonth, month)) return false;
        if (!daily) return true;
        if (!rule_.byMonthDay.empty() && !MonthDayMatches(rule_.byMonthDay, date, DaysInMonth(year, month)))
            return false;
        return rule_.byDay.empty() || HasWeekday(WeekdayOfDay(day));
    }

    // The days of one month that BYMONTHDAY and BYDAY pick (both where both
    // are given); the start's day of the month where neither is.
    void MonthDays(int year, int month, std::vector<int64_t>& days) const {
        const int length = DaysInMonth(year, month);
        const int64_t first = DayNumber(year, month, 1);
        if (rule_.byMonthDay.empty() && rule_.byDay.empty()) {
            if (startDate_ <= length) days.push_back(first + startDate_ - 1);
            return;
        }
        if (!rule_.byDay.empty()) {
            for (const WeekdayNumber& entry : rule_.byDay) AddWeekdays(entry, first, length, days);
            if (!rule_.byMonthDay.empty())
                days.erase(std::remove_if(days.begin(), days.end(),
                                          [&](int64_t day) {
                                              return !MonthDayMatches(rule_.byMonthDay,
                                                                      static_cast<int>(day - first) + 1, length);
                                          }),
                           days.end());
        } else {
            for (int date = 1; date <= length; ++date)
                if (MonthDayMatches(rule_.byMonthDay, date, length)) days.push_back(first + date - 1);
        }
        Sort(days);
    }

    void YearDays(int year, std::vector<int64_t>& days) const {
        if (rule_.byMonthDay.empty() && rule_.byDay.empty()) {
            // The start's day in each month of BYMONTH, else in the start's
            // month: a yearly rule from 29 February skips the other years.
            if (rule_.byMonth.empty()) {
                if (startDate_ <= DaysInMonth(year, startMonth_)) days.push_back(DayNumber(year, startMonth_, startDate_));
            } else {
                for (int month = 1; month <= 12; ++month)
                    if (Contains(rule_.byMonth, month) && startDate_ <= DaysInMonth(year, month))
                        days.push_back(DayNumber(year, month, startDate_));
            }
            return;
        }
        if (!rule_.byMonth.empty() || rule_.byDay.empty()) {
            // Ordinals count within each month of BYMONTH.
            for (int month = 1; month <= 12; ++month)
                if (rule_.byMonth.empty() || Contains(rule_.byMonth, month)) MonthDays(year, month, days);
            return;
        }
        // BYDAY without BYMONTH: ordinals count within the year.
        const int64_t first = DayNumber(year, 1, 1);
        const int64_t length = IsLeapYear(year) ? 366 : 365;
        for (const WeekdayNumber& entry : rule_.byDay) AddWeekdays(entry, first, length, days);
        if (!rule_.byMonthDay.empty())
            days.erase(std::remove_if(days.begin(), days.end(),
                                      [&](int64_t day) {
                                          int y, m, d;
                                          DateOfDay(day, y, m, d);
                                          return !MonthDayMatches(rule_.byMonthDay, d, DaysInMonth(y, m));
                                      }),
                       days.end());
        Sort(days);
    }

    static void Sort(std::vector<int64_t>& days) {
        std::sort(days.begin(), days.end());
        days.erase(std::unique(days.begin(), days.end()), days.end());
    }

    void PickPositions(std::vector<int64_t>& days) const {
        std::vector<int64_t> picked;
        const int64_t size = static_cast<int64_t>(days.size());
        for (int position : rule_.bySetPos) {
            const int64_t index = position > 0 ? position - 1 : size + position;
            if (index >= 0 && index < size) picked.push_back(days[static_cast<size_t>(index)]);
        }
        Sort(picked);
        days.swap(picked);
    }

    const RecurrenceRule& rule_;
    int64_t startDay_;
    int startYear_ = 0, startMonth_ = 0, startDate_ = 0;
};

// How many periods in a row may pass without an occurrence before the rule
// counts as spent: about eight years, the longest a 29 February can keep
// one waiting, and more for steps that meet it by a weekday too.
int64_t EmptyPeriodsAllowed(Frequency frequency) {
    switch (frequency) {
        case Frequency::kDaily: return 4000;
        case Frequency::kWeekly: return 1500;
        case Frequency::kMonthly: return 400;
        default: return 40;
    }
}

}  // namespace

void ExpandRecurrence(const RecurrenceRule& rule, int64_t startWall, int64_t untilWall, int64_t limitWall,
                      const std::function<bool(int64_t wall)>& emit) {
    if (startWall > limitWall || (rule.until.given && startWall > untilWall)) {
        // The start is still the first occurrence, whatever the rule says
        // about the ones after it.
        if (startWall <= limitWall) emit(startWall);
        return;
    }
    if (!emit(startWall)) return;
    int emitted = 1;
    if (rule.count == 1) return;
    const int64_t startDay = FloorDiv(startWall, kSecondsPerDay);
    const int64_t timeOfDay = startWall - startDay * kSecondsPerDay;
    const int64_t end = rule.until.given ? std::min(untilWall, limitWall) : limitWall;
    const Expander expander(rule, startDay);
    std::vector<int64_t> days;
    int64_t empty = 0;
    for (int64_t period = 0;; ++period) {
        int64_t periodFirst = 0;
        expander.Days(period, days, periodFirst);
        if (periodFirst * kSecondsPerDay > end) return;
        bool any = false;
        for (int64_t day : days) {
            const int64_t wall = day * kSecondsPerDay + timeOfDay;
            if (wall <= startWall) continue;
            if (wall > end) return;
            any = true;
            if (!emit(wall)) return;
            if (rule.count > 0 && ++emitted >= rule.count) return;
        }
        empty = any ? 0 : empty + 1;
        if (empty > EmptyPeriodsAllowed(rule.frequency)) return;
    }
}
