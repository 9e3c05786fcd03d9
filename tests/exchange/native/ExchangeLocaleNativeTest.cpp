// The stand-in for the user's locale in builds without Windows.
#include <gtest/gtest.h>

#include <string>

#include "ExchangeLocale.h"

namespace {

const ExchangeLocale& Locale() { return PlatformExchangeLocale(); }

TEST(NativeExchangeLocale, WritesShortDatesAndTimesAsEnUs) {
    EXPECT_EQ("3/4/2002", Locale().FormatShortDate(DateTime::FromFields(2002, 3, 4, 10, 8, 0)));
    EXPECT_EQ("12/31/9999", Locale().FormatShortDate(DateTime::FromFields(9999, 12, 31, 0, 0, 0)));
    EXPECT_EQ("", Locale().FormatShortDate(DateTime::FromFields(1600, 12, 31, 0, 0, 0)));
    EXPECT_EQ("", Locale().FormatShortDate(DateTime()));
    EXPECT_EQ("10:08 AM", Locale().FormatTime(DateTime::FromFields(2002, 3, 4, 10, 8, 0)));
    EXPECT_EQ("12:00 PM", Locale().FormatTime(DateTime::FromFields(2002, 3, 4, 12, 0, 59)));
    EXPECT_EQ("12:05 AM", Locale().FormatTime(DateTime::FromFields(2002, 3, 4, 0, 5, 0)));
    EXPECT_EQ("11:59 PM", Locale().FormatTime(DateTime::FromFields(2002, 3, 4, 23, 59, 0)));
}

struct ParseCase {
    const char* text;
    bool date;  // whether it reads as a date
    int year, month, day;
    bool time;  // whether it reads as a time
    int minuteOfDay;
};

TEST(NativeExchangeLocale, ReadsItsOwnFormsStrictly) {
    const ParseCase cases[] = {
        {"3/4/2002", true, 2002, 3, 4, true, 0},
        {" 12/31/99 ", true, 1999, 12, 31, true, 0},
        {"1/2/29", true, 2029, 1, 2, true, 0},
        {"3/4/2002 10:08 PM", true, 2002, 3, 4, true, 1328},
        {"10:08 AM", false, 0, 0, 0, true, 608},
        {"12:30am", false, 0, 0, 0, true, 30},
        {"23:15", false, 0, 0, 0, true, 1395},
        {"13:00 PM", false, 0, 0, 0, false, 0},
        {"2/30/2002", false, 0, 0, 0, false, 0},
        {"3/4/2002x", false, 0, 0, 0, false, 0},
        {"10:8", false, 0, 0, 0, false, 0},
        {"soon", false, 0, 0, 0, false, 0},
        {"", false, 0, 0, 0, false, 0},
    };
    for (const ParseCase& c : cases) {
        DateTime value;
        ASSERT_EQ(c.date, Locale().ParseDate(c.text, value)) << c.text;
        if (c.date) {
            EXPECT_EQ(DateTime::FromFields(c.year, c.month, c.day, 0, 0, 0), value) << c.text;
        }
        ASSERT_EQ(c.time, Locale().ParseTime(c.text, value)) << c.text;
        if (c.time) {
            EXPECT_EQ(1899, value.Year()) << c.text;
            EXPECT_EQ(c.minuteOfDay, value.Hour() * 60 + value.Minute()) << c.text;
        }
    }
}

TEST(NativeExchangeLocale, HasCodePage1252WhiteSpaceAndAsciiLowerCase) {
    std::string spaces;
    for (int c = 0; c < 256; ++c) {
        EXPECT_FALSE(Locale().LeadBytes()[static_cast<size_t>(c)]);
        if (Locale().SpaceBytes()[static_cast<size_t>(c)]) spaces += static_cast<char>(c);
    }
    EXPECT_EQ("\t\n\v\f\r \xA0", spaces);
    std::string text = "YES True \xC0";
    Locale().ToLower(text);
    EXPECT_EQ("yes true \xC0", text);
}

}  // namespace
