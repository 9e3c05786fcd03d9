#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "TimeRangeIndex.h"

namespace {

using Range = std::pair<DateTime, DateTime>;

// Whether `moment` lies within [start, end), an empty range being its moment.
bool Within(double moment, const Range& range) {
    const double start = range.first.Linear(), end = range.second.Linear();
    return start == end ? moment == start : start <= moment && moment < end;
}

// The check as a loop over every range, the way it reads: two ranges collide
// when the start of one lies within the other.
bool NaiveCollides(const std::vector<Range>& ranges, const Range& range) {
    if (!(range.first.Linear() <= range.second.Linear())) return false;
    for (const Range& held : ranges) {
        if (!(held.first.Linear() <= held.second.Linear())) continue;
        if (Within(range.first.Linear(), held) || Within(held.first.Linear(), range)) return true;
    }
    return false;
}

// Whole and quarter days around 1899-12-30, so that ranges share ends,
// nest, overlap, touch, hold no time, run backwards and cross into negative
// dates.
DateTime Pick(std::mt19937& random) {
    switch (random() % 12) {
        case 0: return DateTime();  // no date
        case 1: return DateTime(std::numeric_limits<double>::quiet_NaN());
        default: return DateTime((static_cast<int>(random() % 81) - 40) / 4.0);
    }
}

Range PickRange(std::mt19937& random) {
    const DateTime start = Pick(random);
    return {start, random() % 4 ? DateTime(start.Value() + (random() % 12) / 4.0) : Pick(random)};
}

TEST(TimeRangeIndex, AnswersAsTheLoopOverEveryRange) {
    std::mt19937 random(42);
    for (int round = 0; round < 300; ++round) {
        TimeRangeIndex index;
        std::vector<Range> ranges;
        for (int step = 0; step < 60; ++step) {
            const Range range = PickRange(random);
            DateTime heldStart, heldEnd;
            const bool found = index.FindCollision(range.first, range.second, heldStart, heldEnd);
            ASSERT_EQ(NaiveCollides(ranges, range), found) << round << " " << range.first.Value();
            // The range named is one that was added, and it does collide.
            if (found) {
                EXPECT_TRUE(NaiveCollides({{heldStart, heldEnd}}, range));
            }
            ranges.push_back(range);
            index.Add(range.first, range.second);
        }
    }
}

}  // namespace
