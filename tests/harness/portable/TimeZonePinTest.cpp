// Checks that each test registration runs in the time zone it is meant to:
// UTC by default, America/New_York for tests whose name contains "NewYork".
// Runs natively and under Wine, through the C library as the records code
// does.
#include <gtest/gtest.h>

#include <ctime>

namespace {

// 2007-07-01 00:00:00 UTC: daylight-saving time in New York.
constexpr std::time_t kSummerMidnightUtc = 1183248000;
// 2007-01-01 00:00:00 UTC: standard time in New York.
constexpr std::time_t kWinterMidnightUtc = 1167609600;

std::tm LocalFields(std::time_t moment) {
    const std::tm* fields = std::localtime(&moment);
    return fields ? *fields : std::tm{};
}

}  // namespace

TEST(TestEnvironment, LocalTimeIsUtc) {
    std::tm summer = LocalFields(kSummerMidnightUtc);
    EXPECT_EQ(summer.tm_mday, 1);
    EXPECT_EQ(summer.tm_hour, 0);
    EXPECT_EQ(summer.tm_isdst, 0);
}

TEST(TestEnvironmentNewYork, LocalTimeFollowsNewYorkRules) {
    std::tm summer = LocalFields(kSummerMidnightUtc);
    EXPECT_EQ(summer.tm_mday, 30);
    EXPECT_EQ(summer.tm_hour, 20);
    EXPECT_GT(summer.tm_isdst, 0);

    std::tm winter = LocalFields(kWinterMidnightUtc);
    EXPECT_EQ(winter.tm_mday, 31);
    EXPECT_EQ(winter.tm_hour, 19);
    EXPECT_EQ(winter.tm_isdst, 0);
}

TEST(TestEnvironmentNewYork, MktimeReadsLocalTimeInNewYork) {
    std::tm fields = {};
    fields.tm_year = 2007 - 1900;
    fields.tm_mon = 6;  // July
    fields.tm_mday = 1;
    fields.tm_hour = 8;
    fields.tm_isdst = -1;
    EXPECT_EQ(std::mktime(&fields), kSummerMidnightUtc + 12 * 3600);
}
