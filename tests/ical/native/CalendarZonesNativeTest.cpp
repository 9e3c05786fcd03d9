// The zones of the native build, checked against the C library's time-zone
// database: the conversions in zones with odd changes, the Windows rules of
// its table, and the IANA names that lead to them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

#include "CalendarZones.h"

size_t IanaZoneCount();
std::pair<std::string_view, std::string_view> IanaZoneAt(size_t index);

namespace {

const CalendarZones& Zones() { return PlatformCalendarZones(); }

// The C library's zone for one part of a test; the runner's UTC afterwards.
class ZoneScope {
public:
    explicit ZoneScope(std::string_view zone) {
        setenv("TZ", std::string(zone).c_str(), 1);
        tzset();
    }
    ~ZoneScope() {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

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

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return upper;
}

TEST(IanaZones, TableIsInOrderWithoutDuplicatesAndFindsEveryName) {
    ASSERT_GT(IanaZoneCount(), 250u);
    for (size_t i = 0; i < IanaZoneCount(); ++i) {
        const auto zone = IanaZoneAt(i);
        if (i > 0) {
            EXPECT_LT(Lower(IanaZoneAt(i - 1).first), Lower(zone.first)) << "at " << zone.first;
        }
        EXPECT_EQ(zone.second, WindowsZoneOfIana(Upper(zone.first)));
    }
}

TEST(IanaZones, FindsNamesBehindAVendorsPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"/mozilla.org/20070129_1/Europe/Berlin", "W. Europe Standard Time"},
        {"/freeassociation.sourceforge.net/Tzfile/Australia/Lord_Howe", "Lord Howe Standard Time"},
        {"/citadel.org/20190914_1/America/Argentina/Buenos_Aires", "Argentina Standard Time"},
        {"us/eastern", "Eastern Standard Time"},
        {"Asia/Saigon", "SE Asia Standard Time"},
        {"Pacific/Kiritimati", "Line Islands Standard Time"},
        {"Etc/UTC", "UTC"},
        {"Mars/Olympus", ""},
        {"Europe/", ""},
        {"Berlin", ""},
        {"/", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, WindowsZoneOfIana(c.first)) << c.first;
}

// UtcToLocal from `from` ('L') or LocalToUtc ('U') gives one of the times
// listed in `to`; none for a conversion that must fail.
struct Conversion {
    const char* zone;
    char way;
    const char* from;
    const char* to;
};

TEST(NativeCalendarZones, ConvertsAcrossEveryKindOfChange) {
    const Conversion cases[] = {
        {"America/New_York", 'L', "2026-07-01 16:00:00", "2026-07-01 12:00:00"},
        {"America/New_York", 'L', "2026-03-08 06:59:59", "2026-03-08 01:59:59"},
        {"America/New_York", 'L', "2026-03-08 07:00:00", "2026-03-08 03:00:00"},
        {"America/New_York", 'U', "2026-03-08 02:30:00", "2026-03-08 07:30:00"},  // skipped: still EST
        {"America/New_York", 'L', "2026-11-01 05:30:00", "2026-11-01 01:30:00"},
        {"America/New_York", 'L', "2026-11-01 06:30:00", "2026-11-01 01:30:00"},
        {"America/New_York", 'U', "2026-11-01 01:30:00", "2026-11-01 05:30:00 2026-11-01 06:30:00"},
        {"America/New_York", 'L', "1601-01-01 00:00:00", "1600-12-31 19:03:58"},  // local mean time
        {"Australia/Lord_Howe", 'L', "2026-10-03 15:30:00", "2026-10-04 02:30:00"},
        {"Australia/Lord_Howe", 'U', "2026-10-04 02:15:00", "2026-10-03 15:45:00"},
        {"Australia/Lord_Howe", 'L', "2026-04-04 15:00:00", "2026-04-05 01:30:00"},
        {"Australia/Lord_Howe", 'U', "2026-04-05 01:45:00", "2026-04-04 14:45:00 2026-04-04 15:15:00"},
        {"Pacific/Apia", 'L', "2026-07-01 00:00:00", "2026-07-01 13:00:00"},
        {"Pacific/Apia", 'L', "2011-12-30 10:00:00", "2011-12-31 00:00:00"},
        {"Pacific/Apia", 'U', "2011-12-30 12:00:00", "2011-12-30 22:00:00"},  // the day Samoa skipped
        {"Pacific/Kiritimati", 'L', "2026-12-31 10:00:00", "2027-01-01 00:00:00"},
        {"Pacific/Kiritimati", 'U', "2027-01-01 00:00:00", "2026-12-31 10:00:00"},
        {"Pacific/Kiritimati", 'U', "1994-12-31 12:00:00", "1994-12-31 22:00:00"},
        {"UTC", 'L', "1600-12-31 23:59:59", ""},
        {"UTC", 'U', "10000-01-01 00:00:00", ""},
        {"UTC", 'U', "2026-02-29 12:00:00", ""},
        {"UTC", 'L', "2026-04-31 12:00:00", ""},
    };
    for (const Conversion& c : cases) {
        ZoneScope zone(c.zone);
        CivilTime result;
        const bool converted = c.way == 'L' ? Zones().UtcToLocal(Civil(c.from), result)
                                            : Zones().LocalToUtc(Civil(c.from), result);
        const std::string to = c.to;
        EXPECT_EQ(!to.empty(), converted) << c.zone << " " << c.way << " " << c.from;
        if (converted && !to.empty()) {
            EXPECT_NE(std::string::npos, to.find(Text(result))) << c.zone << " " << c.way << " " << c.from
                                                                 << " gave " << Text(result);
        }
    }
}

int64_t UtcMinutes(int year, int month, int day, int minuteOfDay) {
    tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    return static_cast<int64_t>(timegm(&fields)) / 60 + minuteOfDay;
}

// A year whose rules every zone of the table kept: from November 2026 the
// database has British Columbia, Alberta and Manitoba on summer time all
// year, where the Windows zones they are paired with still change clocks.
constexpr int kYear = 2025;

// The UTC minute of a change in kYear, with `bias` minutes between the wall
// clock it is stated in and UTC.
int64_t ChangeMinute(const ZoneChange& change, int bias) {
    tm first{};
    first.tm_year = kYear - 1900;
    first.tm_mon = change.month - 1;
    first.tm_mday = 1;
    timegm(&first);  // fills tm_wday
    int day = 1 + (change.weekday - first.tm_wday + 7) % 7 + (change.week - 1) * 7;
    tm probe = first;
    probe.tm_mday = day;
    timegm(&probe);
    if (probe.tm_mon != first.tm_mon) day -= 7;  // week 5 of a month with four
    return UtcMinutes(kYear, change.month, day, change.hour * 60 + change.minute) + bias;
}

// Every IANA zone whose Windows zone the table knows keeps, through kYear,
// the offsets those rules give, at each hour (which also finds a change
// half an hour off, as each falls on a whole or half hour).
TEST(NativeCalendarZones, WindowsRulesAgreeWithTheTimeZoneDatabase) {
    WindowsZoneRules rules;
    EXPECT_TRUE(Zones().FindWindowsZone("eastern STANDARD time", rules));
    EXPECT_FALSE(Zones().FindWindowsZone("Eastern", rules));
    EXPECT_FALSE(Zones().FindWindowsZone("", rules));

    int zonesChecked = 0;
    for (size_t i = 0; i < IanaZoneCount(); ++i) {
        const auto [iana, windows] = IanaZoneAt(i);
        if (!Zones().FindWindowsZone(windows, rules)) continue;
        ++zonesChecked;
        ZoneScope zone(iana);
        const bool hasDaylight = rules.daylightStart.month != 0;
        const int64_t daylightFrom = ChangeMinute(rules.daylightStart, rules.bias + rules.standardBias);
        const int64_t daylightUntil = ChangeMinute(rules.standardStart, rules.bias + rules.daylightBias);
        const int64_t yearEnd = UtcMinutes(kYear + 1, 1, 1, 0);
        for (int64_t minute = UtcMinutes(kYear, 1, 1, 0); minute < yearEnd; minute += 60) {
            const bool daylight = hasDaylight && (daylightFrom < daylightUntil
                                                      ? minute >= daylightFrom && minute < daylightUntil
                                                      : minute >= daylightFrom || minute < daylightUntil);
            const int expected = -(rules.bias + (daylight ? rules.daylightBias : rules.standardBias));
            const time_t moment = static_cast<time_t>(minute * 60);
            tm utcFields{};
            gmtime_r(&moment, &utcFields);
            CivilTime utc{utcFields.tm_year + 1900, utcFields.tm_mon + 1, utcFields.tm_mday, utcFields.tm_hour,
                          utcFields.tm_min, 0};
            CivilTime local;
            ASSERT_TRUE(Zones().UtcToLocal(utc, local));
            const int64_t offset = UtcMinutes(local.year, local.month, local.day, local.hour * 60 + local.minute) -
                                   minute;
            if (offset != expected) {
                ADD_FAILURE() << iana << " (" << windows << ") at " << Text(utc) << " UTC: " << offset
                              << " minutes, the rules say " << expected;
                break;
            }
        }
    }
    EXPECT_GT(zonesChecked, 100);
}

}  // namespace
