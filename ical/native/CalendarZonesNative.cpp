// The zones of builds without Windows: the user's zone is the C library's
// (TZ, read again on every call, so a test may switch it between cases), and
// the zones Windows knows by name are a small built-in table of the rules
// Windows keeps for them today.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "CalendarZones.h"
#include "CivilCalendar.h"

namespace {

static_assert(sizeof(time_t) >= 8, "years 1601 to 9999 need a 64-bit time_t");

constexpr int kFirstYear = 1601;
constexpr int kLastYear = 9999;

bool IsConvertible(const CivilTime& t) { return IsRealTime(t, kFirstYear, kLastYear); }

// tzset reads the zone's file again each time it is called; it is called
// only when TZ has changed since.
void FollowZone() {
    static std::string zone = "\x01";  // no TZ looks like this
    const char* now = std::getenv("TZ");
    const std::string current = now ? now : std::string();
    if (current == zone) return;
    zone = current;
    tzset();
}

// The user's wall clock at a moment, as seconds of the same count as
// WallSeconds. localtime_r does not look at TZ again by itself.
bool LocalSecondsAt(int64_t utcSeconds, int64_t& localSeconds) {
    FollowZone();
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
    localSeconds = WallSeconds(local);
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
        if (!IsConvertible(utc) || !LocalSecondsAt(WallSeconds(utc), localSeconds)) return false;
        local = CivilOfWall(localSeconds);
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
        const int64_t wall = WallSeconds(local);
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
                utc = CivilOfWall(wall - after);
                return true;
            }
        }
        utc = CivilOfWall(wall - before);
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

    CivilTime NowUtc() const override { return CivilOfWall(static_cast<int64_t>(time(nullptr))); }
};

}  // namespace

const CalendarZones& PlatformCalendarZones() {
    static const CLibraryCalendarZones zones;
    return zones;
}
