// The zones of builds without Windows: the user's zone is the C library's
// (TZ, read again on every call, so a test may switch it between cases), and
// the zones Windows knows by name are a small built-in table of the rules
// Windows keeps for them today.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string_view>

#include "CalendarZones.h"

namespace {

static_assert(sizeof(time_t) >= 8, "years 1601 to 9999 need a 64-bit time_t");

constexpr int kFirstYear = 1601;
constexpr int kLastYear = 9999;
constexpr int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, and
// back (H. Hinnant's algorithms, eras of 400 years).
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, CivilTime& civil) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    civil.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    civil.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    civil.year = static_cast<int>(yearOfEra + era * 400 + (civil.month <= 2));
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// A real time of day on a real date within the years converted.
bool IsConvertible(const CivilTime& t) {
    return t.year >= kFirstYear && t.year <= kLastYear && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

// Seconds from 1970-01-01 00:00 of the same clock to a wall-clock time.
int64_t SecondsOf(const CivilTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
}

CivilTime CivilOf(int64_t seconds) {
    int64_t days = seconds / kSecondsPerDay;
    int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    CivilTime civil;
    CivilFromDays(days, civil);
    civil.hour = static_cast<int>(rest / 3600);
    civil.minute = static_cast<int>(rest / 60 % 60);
    civil.second = static_cast<int>(rest % 60);
    return civil;
}

// The user's wall clock at a moment, as seconds of the same count as
// SecondsOf. localtime_r does not look at TZ again by itself.
bool LocalSecondsAt(int64_t utcSeconds, int64_t& localSeconds) {
    tzset();
    const time_t moment = static_cast<time_t>(utcSeconds);
    tm fields{};
    if (localtime_r(&moment, &fields) == nullptr) return false;
    CivilTime local;
    local.year = fields.tm_year + 1900;
    local.month = fields.tm_mon + 1;
    local.day = fields.tm_mday;
    local.hour = fields.tm_hour;
    local.minute = fields.tm_min;
    local.second = fields.tm_sec > 59 ? 59 : fields.tm_sec;  // a leap second of a "right/" zone
    localSeconds = SecondsOf(local);
    return true;
}

bool OffsetAt(int64_t utcSeconds, int64_t& offset) {
    int64_t local = 0;
    if (!LocalSecondsAt(utcSeconds, local)) return false;
    offset = local - utcSeconds;
    return true;
}

// Windows' rules for the zones iCalendar files name most, as its registry
// holds them today (the TZI value of each zone).
struct NamedRules {
    std::string_view name;
    WindowsZoneRules rules;
};

constexpr ZoneChange kNoChange{};
// In `month`, the `week`th Sunday (5: the last) at `hour`:`minute`.
constexpr ZoneChange Sunday(int month, int week, int hour, int minute = 0) { return {month, week, 0, hour, minute}; }
constexpr WindowsZoneRules Fixed(int bias) { return {bias, 0, 0, kNoChange, kNoChange}; }
constexpr WindowsZoneRules Daylight(int bias, ZoneChange standardStart, ZoneChange daylightStart,
                                    int daylightBias = -60) {
    return {bias, 0, daylightBias, standardStart, daylightStart};
}

// Europe changes at 01:00 UTC, the United States and Canada at 2:00 local
// time on the second Sunday of March and the first of November.
constexpr WindowsZoneRules Europe(int bias) {
    const int standardHour = 2 - bias / 60;
    return Daylight(bias, Sunday(10, 5, standardHour), Sunday(3, 5, standardHour - 1));
}
constexpr WindowsZoneRules NorthAmerica(int bias) { return Daylight(bias, Sunday(11, 1, 2), Sunday(3, 2, 2)); }

constexpr NamedRules kWindowsZones[] = {
    {"UTC", Fixed(0)},
    {"Greenwich Standard Time", Fixed(0)},
    {"GMT Standard Time", Europe(0)},
    {"W. Europe Standard Time", Europe(-60)},
    {"Romance Standard Time", Europe(-60)},
    {"Central Europe Standard Time", Europe(-60)},
    {"Central European Standard Time", Europe(-60)},
    // Moldova has changed with the European Union since 2022; Wine's
    // registry still has its former hours, 2:00 and 3:00.
    {"E. Europe Standard Time", Europe(-120)},
    {"FLE Standard Time", Europe(-120)},
    {"GTB Standard Time", Europe(-120)},
    {"South Africa Standard Time", Fixed(-120)},
    {"Russian Standard Time", Fixed(-180)},
    {"Turkey Standard Time", Fixed(-180)},
    {"Arab Standard Time", Fixed(-180)},
    {"Arabian Standard Time", Fixed(-240)},
    {"India Standard Time", Fixed(-330)},
    {"China Standard Time", Fixed(-480)},
    {"Singapore Standard Time", Fixed(-480)},
    {"W. Australia Standard Time", Fixed(-480)},
    {"Tokyo Standard Time", Fixed(-540)},
    {"Korea Standard Time", Fixed(-540)},
    {"AUS Central Standard Time", Fixed(-570)},
    {"Cen. Australia Standard Time", Daylight(-570, Sunday(4, 1, 3), Sunday(10, 1, 2))},
    {"E. Australia Standard Time", Fixed(-600)},
    {"AUS Eastern Standard Time", Daylight(-600, Sunday(4, 1, 3), Sunday(10, 1, 2))},
    {"Lord Howe Standard Time", Daylight(-630, Sunday(4, 1, 2), Sunday(10, 1, 2), -30)},
    {"New Zealand Standard Time", Daylight(-720, Sunday(4, 1, 3), Sunday(9, 5, 2))},
    {"Samoa Standard Time", Fixed(-780)},
    {"Line Islands Standard Time", Fixed(-840)},
    {"Hawaiian Standard Time", Fixed(600)},
    {"Alaskan Standard Time", NorthAmerica(540)},
    {"Pacific Standard Time", NorthAmerica(480)},
    {"US Mountain Standard Time", Fixed(420)},
    {"Mountain Standard Time", NorthAmerica(420)},
    {"Central Standard Time", NorthAmerica(360)},
    {"Central America Standard Time", Fixed(360)},
    {"Eastern Standard Time", NorthAmerica(300)},
    {"SA Pacific Standard Time", Fixed(300)},
    {"Atlantic Standard Time", NorthAmerica(240)},
    {"Newfoundland Standard Time", NorthAmerica(210)},
    {"E. South America Standard Time", Fixed(180)},
    {"Argentina Standard Time", Fixed(180)},
};

bool SameNameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y) return false;
    }
    return true;
}

class CLibraryCalendarZones : public CalendarZones {
public:
    bool UtcToLocal(const CivilTime& utc, CivilTime& local) const override {
        int64_t localSeconds = 0;
        if (!IsConvertible(utc) || !LocalSecondsAt(SecondsOf(utc), localSeconds)) return false;
        local = CivilOf(localSeconds);
        return true;
    }

    // Not mktime: glibc's reads a skipped time with the offset before the
    // change when the change is an hour or less, but with the one after it
    // when a whole day is skipped (Samoa on 2011-12-30). Instead the offsets a day
    // before and a day after are tried; the moment sought lies between
    // those two days whatever the zone's offset (UTC-12 to UTC+14), and no
    // zone changes its clocks twice in that time.
    bool LocalToUtc(const CivilTime& local, CivilTime& utc) const override {
        if (!IsConvertible(local)) return false;
        const int64_t wall = SecondsOf(local);
        int64_t before = 0;
        int64_t after = 0;
        if (!OffsetAt(wall - kSecondsPerDay, before) || !OffsetAt(wall + kSecondsPerDay, after)) return false;
        // The earlier offset first: of a repeated time, its first moment.
        int64_t check = 0;
        if (!OffsetAt(wall - before, check)) return false;
        if (check != before) {
            if (!OffsetAt(wall - after, check)) return false;
            // Neither offset gives back the wall clock: the change skipped
            // it, and the offset before the change stands.
            if (check == after) {
                utc = CivilOf(wall - after);
                return true;
            }
        }
        utc = CivilOf(wall - before);
        return true;
    }

    bool FindWindowsZone(std::string_view name, WindowsZoneRules& rules) const override {
        for (const NamedRules& zone : kWindowsZones) {
            if (SameNameNoCase(zone.name, name)) {
                rules = zone.rules;
                return true;
            }
        }
        return false;
    }

    CivilTime NowUtc() const override { return CivilOf(static_cast<int64_t>(time(nullptr))); }
};

}  // namespace

const CalendarZones& PlatformCalendarZones() {
    static const CLibraryCalendarZones zones;
    return zones;
}
