// Windows' zones as the iCalendar exchange uses them: the registry's rules
// by name, and the user's zone, which is UTC here and New York in the tests
// named so.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>

#include "CalendarZones.h"

size_t IanaZoneCount();
std::pair<std::string_view, std::string_view> IanaZoneAt(size_t index);

namespace {

const CalendarZones& Zones() { return PlatformCalendarZones(); }

std::string Text(const CivilTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

CivilTime Civil(const char* text) {
    CivilTime t;
    EXPECT_EQ(6, std::sscanf(text, "%d-%d-%d %d:%d:%d", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second));
    return t;
}

// UtcToLocal from `from` ('L') or LocalToUtc ('U') gives one of the times
// listed in `to`; none for a conversion that must fail.
struct Conversion {
    char way;
    const char* from;
    const char* to;
};

void ExpectConversions(const Conversion* cases, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const Conversion& c = cases[i];
        CivilTime result;
        const bool converted = c.way == 'L' ? Zones().UtcToLocal(Civil(c.from), result)
                                            : Zones().LocalToUtc(Civil(c.from), result);
        const std::string to = c.to;
        EXPECT_EQ(!to.empty(), converted) << c.way << " " << c.from;
        if (converted && !to.empty()) {
            EXPECT_NE(std::string::npos, to.find(Text(result))) << c.way << " " << c.from << " gave " << Text(result);
        }
    }
}

TEST(WindowsCalendarZones, ReadsAZonesRulesFromTheRegistry) {
    WindowsZoneRules rules;
    ASSERT_TRUE(Zones().FindWindowsZone("eastern STANDARD time", rules));
    EXPECT_EQ(300, rules.bias);
    EXPECT_EQ(0, rules.standardBias);
    EXPECT_EQ(-60, rules.daylightBias);
    const ZoneChange& start = rules.daylightStart;  // second Sunday of March, 2:00
    EXPECT_EQ((std::pair<int, int>(3, 2)), std::make_pair(start.month, start.week));
    EXPECT_EQ((std::pair<int, int>(0, 2)), std::make_pair(start.weekday, start.hour));
    const ZoneChange& end = rules.standardStart;  // first Sunday of November, 2:00
    EXPECT_EQ((std::pair<int, int>(11, 1)), std::make_pair(end.month, end.week));
    EXPECT_EQ((std::pair<int, int>(0, 2)), std::make_pair(end.weekday, end.hour));

    ASSERT_TRUE(Zones().FindWindowsZone("Lord Howe Standard Time", rules));
    EXPECT_EQ(-630, rules.bias);
    EXPECT_EQ(-30, rules.daylightBias);
    ASSERT_TRUE(Zones().FindWindowsZone("Line Islands Standard Time", rules));
    EXPECT_EQ(-840, rules.bias);
    EXPECT_EQ(0, rules.daylightStart.month);

    for (const char* name : {"Nowhere Standard Time", "", "Eastern Standard Time\\Dynamic DST",
                             "..\\Time Zones\\UTC", "Eastern Standard Time\xA0"})
        EXPECT_FALSE(Zones().FindWindowsZone(name, rules)) << name;
}

// The IANA names lead nowhere the system does not know.
TEST(WindowsCalendarZones, KnowsEveryZoneThatIanaNamesLeadTo) {
    std::set<std::string_view> names;
    for (size_t i = 0; i < IanaZoneCount(); ++i) names.insert(IanaZoneAt(i).second);
    WindowsZoneRules rules;
    for (const std::string_view name : names) EXPECT_TRUE(Zones().FindWindowsZone(name, rules)) << name;
}

TEST(WindowsCalendarZones, ConvertsNothingInUtcAndRefusesWhatWindowsCannotHold) {
    const Conversion cases[] = {
        {'L', "2026-03-08 02:30:00", "2026-03-08 02:30:00"}, {'U', "2026-11-01 01:30:00", "2026-11-01 01:30:00"},
        {'L', "1601-01-01 00:00:00", "1601-01-01 00:00:00"}, {'U', "30827-12-31 23:59:59", "30827-12-31 23:59:59"},
        {'L', "1600-12-31 23:59:59", ""},                    {'U', "30828-01-01 00:00:00", ""},
        {'U', "2026-02-29 12:00:00", ""},                    {'L', "2026-06-01 24:00:00", ""},
    };
    ExpectConversions(cases, sizeof cases / sizeof cases[0]);
}

TEST(WindowsCalendarZonesNewYork, ConvertsWithTheRulesOfEachYear) {
    const Conversion cases[] = {
        {'L', "2026-07-01 16:00:00", "2026-07-01 12:00:00"},
        {'L', "2026-03-08 06:59:59", "2026-03-08 01:59:59"},
        {'L', "2026-03-08 07:00:00", "2026-03-08 03:00:00"},
        {'U', "2026-03-08 02:30:00", "2026-03-08 07:30:00"},  // skipped: still EST
        {'U', "2026-03-08 03:30:00", "2026-03-08 07:30:00"},
        {'L', "2026-11-01 05:30:00", "2026-11-01 01:30:00"},
        {'L', "2026-11-01 06:30:00", "2026-11-01 01:30:00"},
        {'U', "2026-11-01 01:30:00", "2026-11-01 05:30:00 2026-11-01 06:30:00"},
        // Before 2007 daylight saving ran from April to the end of October.
        {'L', "2006-04-01 12:00:00", "2006-04-01 07:00:00"},
        {'L', "2006-10-29 12:00:00", "2006-10-29 07:00:00"},
        {'U', "2006-03-20 12:00:00", "2006-03-20 17:00:00"},
    };
    ExpectConversions(cases, sizeof cases / sizeof cases[0]);
}

}  // namespace
