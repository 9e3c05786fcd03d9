// The date/time value. These run against whichever platform layer the build
// links (our own arithmetic, or Windows' conversions), in UTC; tests named
// *NewYork* run with TZ=America/New_York instead.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "CalendarPlatform.h"
#include "DateTime.h"

namespace {

void ExpectFields(const DateTime& date, int year, int month, int day, int hour, int minute, int second) {
    EXPECT_EQ(year, date.Year());
    EXPECT_EQ(month, date.Month());
    EXPECT_EQ(day, date.Day());
    EXPECT_EQ(hour, date.Hour());
    EXPECT_EQ(minute, date.Minute());
    EXPECT_EQ(second, date.Second());
}

double Seconds(double count) { return count / 86400.0; }

DateTime Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return DateTime::FromFields(year, month, day, hour, minute, second);
}

}  // namespace

TEST(DateTimeTest, FieldsGiveKnownOleDates) {
    EXPECT_EQ(0.0, Date(1899, 12, 30).Value());
    EXPECT_EQ(2.0, Date(1900, 1, 1).Value());
    EXPECT_EQ(37319.5, Date(2002, 3, 4, 12).Value());
    EXPECT_EQ(-1.25, Date(1899, 12, 29, 6).Value());  // the time of day counts away from zero
    EXPECT_EQ(DateTime::kMin, Date(100, 1, 1).Value());
    EXPECT_EQ(DateTime::kMax, Date(9999, 12, 31).Value());
    DateTime date;
    EXPECT_TRUE(date.SetFields(2000, 2, 29, 23, 59, 59));
    ExpectFields(date, 2000, 2, 29, 23, 59, 59);
}

TEST(DateTimeTest, ImpossibleFieldsGiveTheInvalidValue) {
    // The platform would roll 2002-02-30 to March 2 and window year 99 to 1999.
    const int cases[][6] = {{2002, 2, 30, 0, 0, 0}, {2001, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0},
                            {2002, 4, 31, 0, 0, 0}, {99, 1, 1, 0, 0, 0},    {10000, 1, 1, 0, 0, 0},
                            {2002, 0, 1, 0, 0, 0},  {2002, 13, 1, 0, 0, 0}, {2002, 1, 0, 0, 0, 0},
                            {2002, 1, 1, 24, 0, 0}, {2002, 1, 1, 0, 60, 0}, {2002, 1, 1, 0, 0, 60},
                            {2002, 1, 1, -1, 0, 0}, {65536 + 2002, 1, 1, 0, 0, 0}};  // 2002 as a 16-bit word
    for (const auto& f : cases) {
        SCOPED_TRACE(testing::Message() << f[0] << "-" << f[1] << "-" << f[2] << " " << f[3] << ":" << f[4] << ":" << f[5]);
        EXPECT_EQ(DateTime::kInvalid, DateTime::FromFields(f[0], f[1], f[2], f[3], f[4], f[5]).Value());
        DateTime changed = Date(2002, 3, 4);
        EXPECT_FALSE(changed.SetFields(f[0], f[1], f[2], f[3], f[4], f[5]));
        EXPECT_EQ(DateTime::kInvalid, changed.Value());
    }
}

TEST(DateTimeTest, RangeEndsAreValidOnlyAtMidnight) {
    EXPECT_TRUE(DateTime(DateTime::kMin).IsValid());
    EXPECT_TRUE(DateTime(DateTime::kMax).IsValid());
    EXPECT_FALSE(DateTime().IsValid());
    // Any later time on the first or the last day lies outside -657434.0 .. 2958465.0.
    EXPECT_FALSE(Date(100, 1, 1, 0, 0, 1).IsValid());
    EXPECT_EQ(DateTime::kInvalid, Date(9999, 12, 31, 12).Value());
    ExpectFields(DateTime(DateTime::kMin), 100, 1, 1, 0, 0, 0);
    ExpectFields(DateTime(DateTime::kMax), 9999, 12, 31, 0, 0, 0);
    for (const double value : {DateTime::kInvalid, DateTime::kMin - 0.5, DateTime::kMax + 0.25, 1e300}) {
        ExpectFields(DateTime(value), INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN);
        EXPECT_EQ(DateTime::kInvalid, DateTime(value).DatePart().Value());
    }
}

TEST(DateTimeTest, FractionsRoundToWholeSeconds) {
    ExpectFields(DateTime(37319.0 + Seconds(36480.4)), 2002, 3, 4, 10, 8, 0);
    ExpectFields(DateTime(37319.0 + Seconds(36480.6)), 2002, 3, 4, 10, 8, 1);
    // Rounding up carries through minute, hour, day, month and year.
    ExpectFields(DateTime(37319.0 + Seconds(86399.7)), 2002, 3, 5, 0, 0, 0);
    ExpectFields(DateTime(Date(2002, 2, 28).Value() + Seconds(86399.7)), 2002, 3, 1, 0, 0, 0);
    const DateTime newYear(Date(2001, 12, 31).Value() + Seconds(86399.7));
    ExpectFields(newYear, 2002, 1, 1, 0, 0, 0);
    EXPECT_EQ(Date(2002, 1, 1), newYear.DatePart());
    // Negative dates: -1.25 is 1899-12-29 06:00, and their rounding carries too.
    ExpectFields(DateTime(-1.25), 1899, 12, 29, 6, 0, 0);
    EXPECT_EQ(DateTime(-1.0), DateTime(-1.25).DatePart());
    ExpectFields(DateTime(-1.0 - Seconds(86399.7)), 1899, 12, 30, 0, 0, 0);
    ExpectFields(DateTime(-0.5), 1899, 12, 30, 12, 0, 0);
}

TEST(DateTimeTest, NegativeDatesCompareByTheirLinearValue) {
    const DateTime morning(-1.25);  // 1899-12-29 06:00
    const DateTime midnight(-1.0);  // 1899-12-29 00:00
    EXPECT_EQ(-0.75, morning.Linear());
    EXPECT_TRUE(midnight.IsBefore(morning));
    EXPECT_FALSE(morning.IsBefore(midnight));
    EXPECT_TRUE(morning.IsOnOrAfter(midnight));
    EXPECT_FALSE(morning.IsOnOrBefore(midnight));
    EXPECT_TRUE(morning.IsBefore(DateTime(0.0)));
    EXPECT_EQ(morning, DateTime::FromLinear(-0.75));
    EXPECT_EQ(midnight, DateTime::FromLinear(-1.0));
    EXPECT_EQ(DateSpan(0.25), morning - midnight);
}

TEST(DateTimeTest, SpansMoveAlongTheLinearTimeLine) {
    EXPECT_EQ(1.5, DateSpan::FromParts(1, 12, 0, 0).Days());
    const DateTime start = Date(2002, 3, 4, 10);
    ExpectFields(start + DateSpan::FromParts(0, 1, 0, 0), 2002, 3, 4, 11, 0, 0);
    ExpectFields(start - DateSpan::FromParts(0, 0, 15, 0), 2002, 3, 4, 9, 45, 0);
    ExpectFields(start + DateSpan::FromParts(365, 0, 0, 0), 2003, 3, 4, 10, 0, 0);
    // Across 1899-12-30 00:00, where the stored fraction changes direction.
    const DateTime threeAm = Date(1899, 12, 30, 3);
    const DateTime ninePmBefore = threeAm - DateSpan::FromParts(0, 6, 0, 0);
    EXPECT_EQ(-1.875, ninePmBefore.Value());
    EXPECT_EQ(threeAm, ninePmBefore + DateSpan::FromParts(0, 6, 0, 0));
    EXPECT_EQ(DateSpan(2.75), Date(1900, 1, 1) - DateTime(-1.25));
}

TEST(DateTimeTest, SpansKeepToTheValidRanges) {
    const DateTime date = Date(2002, 3, 4);
    EXPECT_TRUE(DateSpan(DateSpan::kLimit).IsValid());
    EXPECT_FALSE(DateSpan(DateSpan::kLimit + 0.5).IsValid());
    EXPECT_EQ(DateTime::kInvalid, (date + DateSpan(DateSpan::kLimit + 0.5)).Value());
    EXPECT_EQ(DateTime::kInvalid, (date - DateSpan(DateSpan::kInvalid)).Value());
    EXPECT_EQ(DateTime::kInvalid, (DateTime() + DateSpan(1.0)).Value());
    EXPECT_EQ(DateTime::kInvalid, (DateTime(DateTime::kMax) + DateSpan(1.0)).Value());
    EXPECT_EQ(DateTime::kInvalid, (DateTime(DateTime::kMin) - DateSpan(0.25)).Value());
    EXPECT_EQ(DateTime(DateTime::kMax), DateTime(DateTime::kMax - 1.0) + DateSpan(1.0));
    EXPECT_EQ(DateSpan::kInvalid, (date - DateTime()).Days());
    EXPECT_EQ(DateSpan::kInvalid, (DateTime() - date).Days());
}

TEST(DateTimeTest, UnixTimeCoversTheSigned32BitRangeExactly) {
    ExpectFields(DateTime::FromUnixTime(0), 1970, 1, 1, 0, 0, 0);
    ExpectFields(DateTime::FromUnixTime(INT32_MAX), 2038, 1, 19, 3, 14, 7);
    EXPECT_FALSE(DateTime::FromUnixTime(-1).IsValid());
    EXPECT_FALSE(DateTime::FromUnixTime(int64_t(INT32_MAX) + 1).IsValid());
    EXPECT_EQ(1015236480, Date(2002, 3, 4, 10, 8).ToUnixTime());
    EXPECT_EQ(INT32_MAX, Date(2038, 1, 19, 3, 14, 7).ToUnixTime());
    EXPECT_EQ(-1, Date(2038, 1, 19, 3, 14, 8).ToUnixTime());
    EXPECT_EQ(-1, Date(1969, 12, 31, 23, 59, 59).ToUnixTime());
    EXPECT_EQ(-1, Date(1969, 6, 1).ToUnixTime());
    EXPECT_EQ(-1, Date(2039, 1, 1).ToUnixTime());
    EXPECT_EQ(-1, DateTime().ToUnixTime());
    EXPECT_EQ(-1, DateTime(DateTime::kMin).ToUnixTime());
}

TEST(DateTimeTest, EveryUnixDayAtNoonRoundTrips) {
    for (int64_t moment = 43200; moment <= INT32_MAX; moment += 86400) {
        const DateTime date = DateTime::FromUnixTime(moment);
        ASSERT_EQ(12, date.Hour()) << moment;
        ASSERT_EQ(moment, date.ToUnixTime()) << date.Year() << "-" << date.Month() << "-" << date.Day();
    }
}

TEST(DateTimeTest, NowAndTodayReadTheLocalClock) {
    DateTime today;
    DateTime now;
    for (int attempt = 0; attempt < 3; ++attempt) {  // again if midnight passes in between
        today = DateTime::Today();
        now = DateTime::Now();
        if (DateTime::Today() == today)
            break;
    }
    EXPECT_EQ(today, now.DatePart());
    EXPECT_LE(std::llabs(now.ToUnixTime() - static_cast<int64_t>(std::time(nullptr))), 2);
}

// The platform itself rolls and windows what the value refuses; the native
// build must do the same.
TEST(DateTimeTest, PlatformConversionsRollAndWindowLikeWindows) {
    const auto convert = [](int year, int month, int day, int hour, int milliseconds = 0) {
        double value = 0.0;
        return PlatformFieldsToOleDate({year, month, day, hour, 0, 0, milliseconds}, value) ? value : -1e9;
    };
    EXPECT_EQ(convert(2002, 3, 2, 0), convert(2002, 2, 30, 0));
    EXPECT_EQ(convert(1999, 1, 1, 0), convert(99, 1, 1, 0));
    EXPECT_EQ(convert(2049, 1, 1, 0), convert(49, 1, 1, 0));
    EXPECT_EQ(convert(1950, 1, 1, 0), convert(50, 1, 1, 0));
    EXPECT_EQ(convert(2002, 3, 5, 1), convert(2002, 3, 4, 25));
    EXPECT_EQ(convert(2002, 3, 4, 10), convert(2002, 3, 4, 10, 999));  // milliseconds are ignored
    EXPECT_EQ(-1e9, convert(2002, 13, 1, 0));
    EXPECT_EQ(-1e9, convert(2002, 1, 32, 0));
    EXPECT_EQ(-1e9, convert(10000, 1, 1, 0));
    CalendarFields fields;
    EXPECT_FALSE(PlatformOleDateToFields(DateTime::kMin - 1.0, fields));
    EXPECT_FALSE(PlatformOleDateToFields(DateTime::kMax + 1.0, fields));
    ASSERT_TRUE(PlatformOleDateToFields(DateTime::kMin - 0.5, fields));  // the day is truncated towards zero
    EXPECT_EQ(100, fields.year);
    EXPECT_EQ(12, fields.hour);
}

TEST(DateTimeTest, NewYorkOffsetsFollowThe2021Rules) {
    DateTime::ResetZoneCache();
    EXPECT_EQ(-18000, PlatformUtcOffsetSeconds(1615705199));  // 01:59:59 EST
    EXPECT_EQ(-14400, PlatformUtcOffsetSeconds(1615705200));  // 03:00:00 EDT
    EXPECT_EQ(-14400, PlatformUtcOffsetSeconds(1636264799));  // 01:59:59 EDT
    EXPECT_EQ(-18000, PlatformUtcOffsetSeconds(1636264800));  // 01:00:00 EST
    ExpectFields(DateTime::FromUnixTime(1625155200), 2021, 7, 1, 12, 0, 0);
    EXPECT_EQ(1610730000, Date(2021, 1, 15, 12).ToUnixTime());
    // The ends of the Unix range move with the zone.
    ExpectFields(DateTime::FromUnixTime(0), 1969, 12, 31, 19, 0, 0);
    EXPECT_EQ(0, Date(1969, 12, 31, 19).ToUnixTime());
    EXPECT_EQ(-1, Date(1969, 12, 31, 18, 59, 59).ToUnixTime());
    EXPECT_EQ(INT32_MAX, Date(2038, 1, 18, 22, 14, 7).ToUnixTime());
    EXPECT_EQ(-1, Date(2038, 1, 18, 22, 14, 8).ToUnixTime());
}

TEST(DateTimeTest, NewYorkRepeatedAndSkippedHours) {
    DateTime::ResetZoneCache();
    // 01:30 on November 7 happens twice and reads as the later (EST) moment.
    EXPECT_EQ(1636266600, Date(2021, 11, 7, 1, 30).ToUnixTime());
    ExpectFields(DateTime::FromUnixTime(1636263000), 2021, 11, 7, 1, 30, 0);
    ExpectFields(DateTime::FromUnixTime(1636266600), 2021, 11, 7, 1, 30, 0);
    // 02:30 on March 14 never happens; it reads with the EST offset, so 03:30 EDT.
    const int64_t skipped = Date(2021, 3, 14, 2, 30).ToUnixTime();
    EXPECT_EQ(1615707000, skipped);
    ExpectFields(DateTime::FromUnixTime(skipped), 2021, 3, 14, 3, 30, 0);
    EXPECT_EQ(1615705199, Date(2021, 3, 14, 1, 59, 59).ToUnixTime());
    EXPECT_EQ(1615705200, Date(2021, 3, 14, 3).ToUnixTime());
}

// Goes through the per-day offset cache on both sides of both changes.
TEST(DateTimeTest, NewYorkEveryQuarterHourOf2021RoundTrips) {
    DateTime::ResetZoneCache();
    const int64_t yearStart = 1609477200;  // 2021-01-01 00:00 EST
    for (int64_t moment = yearStart; moment < yearStart + 365 * 86400; moment += 900) {
        // Only the first pass through 01:00-01:59 on November 7 reads back as the second.
        const bool firstPassOfRepeatedHour = moment >= 1636261200 && moment < 1636264800;
        ASSERT_EQ(firstPassOfRepeatedHour ? moment + 3600 : moment, DateTime::FromUnixTime(moment).ToUnixTime())
            << moment;
    }
}
