#include "TimeRangeIndex.h"

#include <iterator>

void TimeRangeIndex::Add(const DateTime& start, const DateTime& end) {
    const double from = start.Linear();
    const double to = end.Linear();
    if (!(from <= to)) return;  // reversed, or NaN: holds nothing
    const Held held{to, start, end};
    starts_.emplace(from, held);
    if (from == to) return;  // a moment: found by its start alone
    auto after = steps_.upper_bound(from);
    if (after != steps_.begin() && std::prev(after)->second.end >= to) return;  // enclosed already
    // Drop the ranges the new one encloses: they begin at or after it and
    // end no later.
    auto next = steps_.lower_bound(from);
    while (next != steps_.end() && next->second.end <= to) next = steps_.erase(next);
    steps_.emplace_hint(next, from, held);
}

bool TimeRangeIndex::FindCollision(const DateTime& start, const DateTime& end, DateTime& heldStart,
                                   DateTime& heldEnd) const {
    const double from = start.Linear();
    const double to = end.Linear();
    if (!(from <= to)) return false;
    auto report = [&](const Held& held) {
        heldStart = held.start;
        heldEnd = held.finish;
        return true;
    };
    // A held range starts within the new one (at its moment, when empty).
    auto first = starts_.lower_bound(from);
    if (first != starts_.end() && (first->first < to || first->first == from)) return report(first->second);
    // The new range starts within a held one.
    auto after = steps_.upper_bound(from);
    if (after != steps_.begin() && std::prev(after)->second.end > from) return report(std::prev(after)->second);
    return false;
}
