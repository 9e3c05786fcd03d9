#include "ICalRoundTrip.h"

namespace {

// In the zone the tests run in, through Windows' own zones on Windows.
TEST(ICalRoundTrip, ExportImportedIntoAnEmptyDocumentGivesTheSameRecordsInUtc) {
    ical_round_trip::ExpectRoundTrip("UTC");
}

TEST(ICalRoundTrip, ExportImportedIntoAnEmptyDocumentGivesTheSameRecordsInNewYork) {
    ical_round_trip::ExpectRoundTrip("America/New_York");
}

}  // namespace
