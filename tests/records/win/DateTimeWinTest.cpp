// Windows only: our own date arithmetic (what the native build stores) against
// the system's conversions, and the locale-aware texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "CalendarPlatform.h"
#include "DateTime.h"
#include "OleDateArithmetic.h"
#include "win/DateText.h"

namespace {

constexpr LCID kEnglishUS = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

std::string Describe(bool ok, const CalendarFields& f) {
    char text[64];
    std::snprintf(text, sizeof text, "%d-%d-%d %d:%d:%d.%d", f.year, f.month, f.day, f.hour, f.minute, f.second,
                  f.milliseconds);
    return ok ? text : "fails";
}

std::string Describe(bool ok, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return ok ? text : "fails";
}

// Runs both conversions on the same input; counts disagreements (bit for bit)
// and keeps the first few for the failure message.
class Comparison {
public:
    void FieldsToDate(const CalendarFields& fields) {
        double ours = 0.0;
        double system = 0.0;
        const bool oursOk = OleDate::FromFields(fields, ours);
        const bool systemOk = PlatformFieldsToOleDate(fields, system);
        if (oursOk != systemOk || (oursOk && std::memcmp(&ours, &system, sizeof ours) != 0))
            Add(Describe(true, fields) + ": ours " + Describe(oursOk, ours) + ", system " + Describe(systemOk, system));
    }

    CalendarFields DateToFields(double value) {
        CalendarFields ours;
        CalendarFields system;
        const bool oursOk = OleDate::ToFields(value, ours);
        const bool systemOk = PlatformOleDateToFields(value, system);
        if (oursOk != systemOk || (oursOk && std::memcmp(&ours, &system, sizeof ours) != 0))
            Add(Describe(true, value) + ": ours " + Describe(oursOk, ours) + ", system " + Describe(systemOk, system));
        return ours;
    }

    int mismatches = 0;
    std::string examples;

private:
    void Add(const std::string& what) {
        if (mismatches++ < 5)
            examples += what + "\n";
    }
};

}  // namespace

TEST(DateTimeWinTest, ArithmeticMatchesTheSystemOnEveryDayAtNoon) {
    Comparison comparison;
    for (int day = OleDate::kMinDay; day <= OleDate::kMaxDay; ++day) {
        const CalendarFields noon = comparison.DateToFields(day < 0 ? day - 0.5 : day + 0.5);
        ASSERT_EQ(12, noon.hour);
        comparison.FieldsToDate(noon);
    }
    EXPECT_EQ(0, comparison.mismatches) << comparison.examples;
}

// Times of day that walk through all 86400 seconds, on every seventh day.
TEST(DateTimeWinTest, ArithmeticMatchesTheSystemAtEveryTimeOfDay) {
    Comparison comparison;
    int64_t index = 0;
    for (int day = OleDate::kMinDay; day <= OleDate::kMaxDay; day += 7, ++index) {
        CalendarFields fields;
        ASSERT_TRUE(OleDate::ToFields(day, fields));
        const int secondOfDay = static_cast<int>(index * 7919 % 86400);
        fields.hour = secondOfDay / 3600;
        fields.minute = secondOfDay / 60 % 60;
        fields.second = secondOfDay % 60;
        comparison.FieldsToDate(fields);
        double value = 0.0;
        ASSERT_TRUE(OleDate::FromFields(fields, value));
        comparison.DateToFields(value);
    }
    EXPECT_EQ(0, comparison.mismatches) << comparison.examples;
}

// Arbitrary fractions, where the rounding to whole seconds decides: random
// values over the range, negative ones, values a hair either side of half a
// second, month ends rounding up into the next month, and the domain's ends.
TEST(DateTimeWinTest, ArithmeticRoundsFractionsLikeTheSystem) {
    Comparison comparison;
    uint64_t state = 0x9E3779B97F4A7C15ull;
    const auto next = [&state] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state >> 11) / 9007199254740992.0;  // [0, 1)
    };
    const double span = OleDate::kMaxDay - OleDate::kMinDay + 2.0;
    for (int i = 0; i < 400000; ++i) {
        comparison.DateToFields(OleDate::kMinDay - 1.0 + span * next());
        comparison.DateToFields(-700000.0 * next());
        const double day = static_cast<int>(next() * 80000) - 40000;
        const double time = (static_cast<int>(next() * 86400) + 0.5 + (next() - 0.5) * 1e-5) / 86400.0;
        comparison.DateToFields(day < 0 ? day - time : day + time);
    }
    for (const int year : {100, 1898, 1899, 1900, 2000, 2001, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            double lastDay = 0.0;
            ASSERT_TRUE(OleDate::FromFields({year, month, OleDate::DaysInMonth(year, month), 0, 0, 0, 0}, lastDay));
            const double lateEvening = 86399.7 / 86400;
            comparison.DateToFields(lastDay < 0 ? lastDay - lateEvening : lastDay + lateEvening);
        }
    }
    for (const double value : {OleDate::kMinDay - 1.0, OleDate::kMinDay - 0.9999999, OleDate::kMinDay - 1e-9,
                               OleDate::kMaxDay + 0.99999, OleDate::kMaxDay + 0.9999999999, OleDate::kMaxDay + 1.0,
                               -1.25, -1e-12, 0.9999999999}) {
        comparison.DateToFields(value);
    }
    EXPECT_EQ(0, comparison.mismatches) << comparison.examples;
}

// Fields the value itself refuses: two-digit years, impossible days, times of
// day past midnight, and words that read as negative 16-bit numbers.
TEST(DateTimeWinTest, ArithmeticRollsAndWindowsFieldsLikeTheSystem) {
    Comparison comparison;
    const int times[][3] = {{0, 0, 0}, {23, 59, 59}, {24, 0, 0}, {47, 59, 60}, {0, 0, 40000}, {40000, 0, 0}};
    const auto check = [&](int year) {
        for (int month = 0; month <= 13; ++month)
            for (int day = 0; day <= 32; ++day)
                for (const auto& time : times)
                    comparison.FieldsToDate({year, month, day, time[0], time[1], time[2], 0});
    };
    for (int year = 0; year <= 130; ++year)
        check(year);
    for (const int year : {1899, 1900, 2000, 2001, 9998, 9999, 10000, 32767, 32768, 65535})
        check(year);
    EXPECT_EQ(0, comparison.mismatches) << comparison.examples;
}

TEST(DateTimeWinTest, LocaleTextsFollowTheGivenLocale) {
    const DateTime morning = DateTime::FromFields(2002, 3, 4, 10, 8, 0);
    EXPECT_EQ("3/4/2002", DateText::FormatDate(morning, kEnglishUS, DATE_SHORTDATE));
    EXPECT_EQ("Monday, March 4, 2002", DateText::FormatDate(morning, kEnglishUS, DATE_LONGDATE));
    EXPECT_EQ("Mon 04.03.02", DateText::FormatDate(morning, kEnglishUS, 0, "ddd dd.MM.yy"));
    EXPECT_EQ("10:08 AM", DateText::FormatTime(morning, kEnglishUS, TIME_NOSECONDS));
    EXPECT_EQ("10:08 A", DateText::FormatTime(morning, kEnglishUS, 0, "h':'mm t"));
    // The weekday comes from the value, also before 1899-12-30.
    EXPECT_EQ("Wednesday, December 31, 1800",
              DateText::FormatDate(DateTime::FromFields(1800, 12, 31, 0, 0, 0), kEnglishUS, DATE_LONGDATE));
}

TEST(DateTimeWinTest, TextsOfInvalidOrUnformattableDatesAreEmpty) {
    const DateTime invalid;
    EXPECT_EQ("", DateText::FormatDate(invalid, kEnglishUS, DATE_SHORTDATE));
    EXPECT_EQ("", DateText::FormatTime(invalid, kEnglishUS, 0));
    EXPECT_EQ("", DateText::FormatFree(invalid, "%Y"));
    const DateTime date = DateTime::FromFields(2002, 3, 4, 10, 8, 0);
    const std::string tooLong = "'" + std::string(300, 'x') + "'";  // more than 254 characters
    EXPECT_EQ("", DateText::FormatDate(date, kEnglishUS, 0, tooLong.c_str()));
    EXPECT_EQ("", DateText::FormatTime(date, kEnglishUS, 0, tooLong.c_str()));
    EXPECT_EQ("", DateText::FormatDate(DateTime::FromFields(1600, 12, 31, 0, 0, 0), kEnglishUS, DATE_SHORTDATE));
}

TEST(DateTimeWinTest, FreeFormatUsesStrftimePictures) {
    const DateTime morning = DateTime::FromFields(2002, 3, 4, 10, 8, 9);
    EXPECT_EQ("2002-03-04 10:08:09", DateText::FormatFree(morning, "%Y-%m-%d %H:%M:%S"));
    EXPECT_EQ("Monday Mar 063 10AM", DateText::FormatFree(morning, "%A %b %j %I%p"));
    EXPECT_EQ("Sunday 366", DateText::FormatFree(DateTime::FromFields(2000, 12, 31, 0, 0, 0), "%A %j"));
    const std::string fits(4095, 'x');
    EXPECT_EQ(fits, DateText::FormatFree(morning, fits.c_str()));
    EXPECT_EQ("", DateText::FormatFree(morning, std::string(4096, 'x').c_str()));  // no room for the end
}
