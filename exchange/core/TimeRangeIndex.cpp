#include "TimeRangeIndex.h"

#include <iterator>

void TimeRangeIndex::Add(const DateTime& start, const DateTime& end) {
    const double from = start.Linear();
    const double to = end.Linear();
    if (!(from <= to)) return;  // reversed, or NaN: contains nothing
    auto after = steps_.upper_bound(from);
    if (after != steps_.begin() && std::prev(after)->second >= to) return;  // enclosed already
    // Drop the ranges the new one encloses: they begin at or after it and
    // end no later.
    auto next = steps_.lower_bound(from);
    while (next != steps_.end() && next->second <= to) next = steps_.erase(next);
    steps_.emplace_hint(next, from, to);
}

bool TimeRangeIndex::Contains(const DateTime& moment) const {
    const double at = moment.Linear();
    if (at != at) return false;  // NaN lies in no range
    auto after = steps_.upper_bound(at);
    return after != steps_.begin() && std::prev(after)->second >= at;
}
