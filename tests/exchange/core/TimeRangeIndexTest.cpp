#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "TimeRangeIndex.h"

namespace {

// The check as a loop over every range, the way it reads: a moment collides
// when it lies within [start, end] of any of them.
bool NaiveContains(const std::vector<std::pair<DateTime, DateTime>>& ranges, const DateTime& moment) {
    for (const auto& range : ranges) {
        if (moment.IsOnOrAfter(range.first) && moment.IsOnOrBefore(range.second)) return true;
    }
    return false;
}

// Whole and quarter days around 1899-12-30, so that ranges share ends,
// nest, overlap, run backwards and cross into negative dates.
DateTime Pick(std::mt19937& random) {
    switch (random() % 12) {
        case 0: return DateTime();  // no date
        case 1: return DateTime(std::numeric_limits<double>::quiet_NaN());
        default: return DateTime((static_cast<int>(random() % 81) - 40) / 4.0);
    }
}

TEST(TimeRangeIndex, AnswersAsTheLoopOverEveryRange) {
    std::mt19937 random(42);
    for (int round = 0; round < 300; ++round) {
        TimeRangeIndex index;
        std::vector<std::pair<DateTime, DateTime>> ranges;
        for (int step = 0; step < 60; ++step) {
            const DateTime moment = Pick(random);
            ASSERT_EQ(NaiveContains(ranges, moment), index.Contains(moment)) << round << " " << moment.Value();
            const DateTime start = Pick(random);
            const DateTime end = random() % 4 ? DateTime(start.Value() + (random() % 12) / 4.0) : Pick(random);
            ranges.emplace_back(start, end);
            index.Add(start, end);
        }
        EXPECT_LE(index.size(), ranges.size());
    }
}

}  // namespace
