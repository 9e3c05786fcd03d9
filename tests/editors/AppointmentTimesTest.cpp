// The appointment editor's quarter-hour steps and the alarm lead it shows.
#include <gtest/gtest.h>

#include "AppointmentTimes.h"

namespace {

using namespace AppointmentTimes;

constexpr int At(int hour, int minute) { return hour * 60 + minute; }

TEST(AppointmentTimesTest, BeginGoesRoundEveryQuarterFrom0500To2245) {
    int time = At(5, 0);
    for (int quarter = 0; quarter < 71; ++quarter) {
        const Step up = StepBegin(time, true);
        ASSERT_FALSE(up.wrapped) << time;
        ASSERT_EQ(up.minuteOfDay, time + 15);
        ASSERT_EQ(StepBegin(up.minuteOfDay, false).minuteOfDay, time);
        time = up.minuteOfDay;
    }
    EXPECT_EQ(time, At(22, 45));
    EXPECT_EQ(StepBegin(At(22, 45), true).minuteOfDay, At(5, 0));
    EXPECT_TRUE(StepBegin(At(22, 45), true).wrapped);
    EXPECT_EQ(StepBegin(At(5, 0), false).minuteOfDay, At(22, 45));
    EXPECT_TRUE(StepBegin(At(5, 0), false).wrapped);
}

TEST(AppointmentTimesTest, EndGoesRoundFrom0515To2300AndLeavesThe23HourUpwards) {
    EXPECT_EQ(StepEnd(At(22, 45), true).minuteOfDay, At(23, 0));
    EXPECT_FALSE(StepEnd(At(22, 45), true).wrapped);
    for (int minute : {0, 15, 30, 45}) {
        EXPECT_EQ(StepEnd(At(23, minute), true).minuteOfDay, At(5, 15)) << minute;
        EXPECT_TRUE(StepEnd(At(23, minute), true).wrapped);
    }
    EXPECT_EQ(StepEnd(At(5, 15), false).minuteOfDay, At(23, 0));
    EXPECT_TRUE(StepEnd(At(5, 15), false).wrapped);
    EXPECT_EQ(StepEnd(At(10, 0), false).minuteOfDay, At(9, 45));
    EXPECT_EQ(StepEnd(At(9, 45), true).minuteOfDay, At(10, 0));
}

TEST(AppointmentTimesTest, StepsOutsideThePlannersHoursStayWithinTheDay) {
    EXPECT_EQ(StepBegin(At(23, 50), true).minuteOfDay, At(5, 0));
    EXPECT_EQ(StepBegin(At(0, 10), false).minuteOfDay, At(22, 45));
    EXPECT_EQ(StepBegin(At(3, 10), true).minuteOfDay, At(3, 25));
    EXPECT_EQ(StepEnd(At(0, 5), false).minuteOfDay, At(23, 0));
}

TEST(AppointmentTimesTest, QuarterIndexCountsQuartersOfTheDay) {
    EXPECT_EQ(QuarterIndex(5, 0), kFirstQuarter);
    EXPECT_EQ(QuarterIndex(9, 30), 38);
    EXPECT_EQ(QuarterIndex(9, 44), 38);
    EXPECT_EQ(QuarterIndex(23, 0), kLastQuarter);
}

TEST(AppointmentTimesTest, AlarmLeadIsRoundedUpToFiveWithinTheHourElseZero) {
    const std::pair<int64_t, int32_t> cases[] = {
        {0, 0},   {1, 5},   {12, 15}, {15, 15}, {-12, 15}, {56, 60},  {60, 60},
        {61, 0},  {-61, 0}, {90, 0},  {-90, 0}, {-5206933120LL, 0}, {INT64_MAX, 0},
    };
    for (const auto& test : cases) EXPECT_EQ(ShownAlarmLead(test.first), test.second) << test.first;
}

}  // namespace
