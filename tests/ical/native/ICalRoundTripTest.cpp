// The round trip in zones with every kind of change of the clocks: none
// (UTC, Kiritimati at +14), a whole hour (New York), half an hour (Lord
// Howe), and a day dropped from the calendar (Apia, 2011-12-30).
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "../core/ICalRoundTrip.h"

namespace {

class ZoneScope {
public:
    explicit ZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        setenv("TZ", zone, 1);
        tzset();
        DateTime::ResetZoneCache();
    }
    ~ZoneScope() {
        setenv("TZ", old_.c_str(), 1);
        tzset();
        DateTime::ResetZoneCache();
    }

private:
    std::string old_ = "UTC";
};

TEST(ICalRoundTrip, ExportImportedIntoAnEmptyDocumentGivesTheSameRecordsInEveryZone) {
    for (const char* zone : {"UTC", "America/New_York", "Australia/Lord_Howe", "Pacific/Apia", "Pacific/Kiritimati"}) {
        ZoneScope scope(zone);
        ical_round_trip::ExpectRoundTrip(zone);
    }
}

}  // namespace
