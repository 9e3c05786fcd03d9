// Clock and zones of the tests' own, the same on every machine: the user
// lives in New York (or any zone given), it is always the moment given, and
// Windows knows two zones by name.
#pragma once

#include <cstring>

#include "CalendarZones.h"
#include "CivilCalendar.h"
#include "ZoneRules.h"

inline WindowsZoneRules EasternRules() {
    WindowsZoneRules rules;
    rules.bias = 300;
    rules.daylightBias = -60;
    rules.daylightStart = {3, 2, 0, 2, 0};
    rules.standardStart = {11, 1, 0, 2, 0};
    return rules;
}

inline WindowsZoneRules WestEuropeRules() {
    WindowsZoneRules rules;
    rules.bias = -60;
    rules.daylightBias = -60;
    rules.daylightStart = {3, 5, 0, 2, 0};
    rules.standardStart = {10, 5, 0, 3, 0};
    return rules;
}

class ICalTestZones : public CalendarZones {
public:
    explicit ICalTestZones(const CivilTime& now, ZoneRules local = ZoneRules::FromWindows(EasternRules()))
        : now_(now), local_(std::move(local)) {}

    bool UtcToLocal(const CivilTime& utc, CivilTime& local) const override {
        local = CivilOfWall(local_.FromUtc(WallSeconds(utc)));
        return true;
    }
    bool LocalToUtc(const CivilTime& local, CivilTime& utc) const override {
        utc = CivilOfWall(local_.ToUtc(WallSeconds(local)));
        return true;
    }
    bool FindWindowsZone(std::string_view name, WindowsZoneRules& rules) const override {
        if (name == "Eastern Standard Time") rules = EasternRules();
        else if (name == "W. Europe Standard Time") rules = WestEuropeRules();
        else return false;
        return true;
    }
    CivilTime NowUtc() const override { return now_; }

private:
    CivilTime now_;
    ZoneRules local_;
};
