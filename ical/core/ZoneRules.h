// The rules of one time zone, as a file's VTIMEZONE states them (its
// STANDARD and DAYLIGHT parts, each from its start, yearly by its rule or on
// its listed dates) or as Windows keeps them: which offset from UTC holds at
// a moment, and the moment of a wall-clock time.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "CalendarZones.h"
#include "Recurrence.h"

// One STANDARD or DAYLIGHT part: from `startWall` (in the time before it)
// the clocks go from `offsetFrom` to `offsetTo`, again at each occurrence
// of the rule and at each of `dates`.
struct ZoneObservance {
    int64_t startWall = 0;
    int32_t offsetFrom = 0;  // seconds east of UTC
    int32_t offsetTo = 0;
    bool hasRule = false;
    RecurrenceRule rule;
    std::vector<int64_t> dates;  // walls, in the time before each change
};

class ZoneRules {
public:
    ZoneRules() = default;
    explicit ZoneRules(std::vector<ZoneObservance> observances) : observances_(std::move(observances)) {}
    // A copy or move starts without the last year remembered, which points
    // into the changes of the object it was taken from.
    ZoneRules(const ZoneRules& other) : observances_(other.observances_), changes_(other.changes_) {}
    ZoneRules(ZoneRules&& other) noexcept
        : observances_(std::move(other.observances_)), changes_(std::move(other.changes_)) {
        other.lastChanges_ = nullptr;
    }
    ZoneRules& operator=(ZoneRules other) noexcept {
        observances_.swap(other.observances_);
        changes_.swap(other.changes_);
        lastChanges_ = other.lastChanges_ = nullptr;
        return *this;
    }
    static ZoneRules FromWindows(const WindowsZoneRules& rules);
    static ZoneRules Fixed(int32_t offsetSeconds);

    bool Empty() const { return observances_.empty(); }

    // The moment (seconds from 1970 in UTC) of a wall time in this zone. A
    // wall time that a change repeats reads as its first moment; one that it
    // skips is read with the offset in force before the change.
    int64_t ToUtc(int64_t wall) const;
    // The wall time in this zone of a moment.
    int64_t FromUtc(int64_t utc) const;

private:
    struct Change {
        int64_t utc;
        int32_t from, to;
    };
    // The changes of the years around `year`, in order, led by the last one
    // before them; kept per year once worked out.
    const std::vector<Change>& ChangesAround(int year) const;

    // The changes around the year last asked for, and that year's bounds:
    // most questions in a row are of one year.
    const std::vector<Change>& ChangesAt(int64_t seconds) const;

    std::vector<ZoneObservance> observances_;
    mutable std::map<int, std::vector<Change>> changes_;
    mutable const std::vector<Change>* lastChanges_ = nullptr;
    mutable int64_t lastYearStart_ = 0, lastYearEnd_ = 0;
};
