// The appointments' time ranges an import checks new appointments against:
// which held range, if any, a new range collides with, in logarithmic time,
// with ranges added as the import goes.
#pragma once

#include <cstddef>
#include <map>

#include "DateTime.h"

class TimeRangeIndex {
public:
    // Holds [start, end): an appointment that ends when another starts does
    // not collide with it. An empty range (start == end) is its moment
    // alone. A range whose end lies before its start (or that holds an
    // undefined value) holds nothing and is not kept.
    void Add(const DateTime& start, const DateTime& end);

    // A held range that [start, end) collides with: two ranges collide when
    // the start of one lies within the other (so equal empty ranges collide,
    // and an import of the same appointments adds none of them twice). False
    // when none does, or when [start, end) itself holds nothing. Times
    // compare as DateTime's comparisons do, by linear value.
    bool FindCollision(const DateTime& start, const DateTime& end, DateTime& heldStart,
                       DateTime& heldEnd) const;

    size_t size() const { return starts_.size(); }

private:
    struct Held {
        double end;  // linear
        DateTime start, finish;
    };
    // The non-empty ranges no other range encloses (one beginning no later
    // and ending no later): ordered by start, their ends then rise strictly.
    // Of the ranges beginning at or before a moment the last reaches
    // furthest, so one search answers whether any of them holds the moment.
    std::map<double, Held> steps_;
    // Every held range by its start (one of them where several share it).
    std::map<double, Held> starts_;
};
