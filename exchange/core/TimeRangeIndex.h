// The appointments' time ranges an import checks new appointments against:
// whether a moment lies within the closed range [start, end] of any range
// held, in logarithmic time, with ranges added as the import goes.
#pragma once

#include <cstddef>
#include <map>

#include "DateTime.h"

class TimeRangeIndex {
public:
    // Holds [start, end]. A range whose end lies before its start (or that
    // holds an undefined value) contains no moment and is not kept.
    void Add(const DateTime& start, const DateTime& end);

    // Whether start <= moment <= end for some range held, comparing linear
    // values as DateTime's comparisons do.
    bool Contains(const DateTime& moment) const;

    size_t size() const { return steps_.size(); }

private:
    // Only the ranges no other range encloses (one beginning no later and
    // ending no earlier): ordered by start, their ends then rise strictly. The
    // ranges beginning at or before a moment reach furthest with the last of
    // them, so one search answers whether any of them reaches the moment.
    std::map<double, double> steps_;  // linear start -> linear end
};
