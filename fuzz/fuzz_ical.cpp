// Imports arbitrary bytes as an iCalendar file, on a fixed day.
//
// Beyond not crashing, hanging or slowing down on long inputs:
//   - the counts added are what the document holds, and no more than a
//     thousand records for each component the bytes could begin;
//   - every appointment ends no earlier than it starts, on the quarter-hour
//     grid, with its alarm at most an hour before its start;
//   - the document saves and opens again with every record as it was;
//   - exporting it and importing that into an empty document gives the same
//     records;
//   - importing the same bytes again adds nothing.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DocumentFile.h"
#include "ICal.h"
#include "PimDocument.h"

#define CHECK(holds) \
    ((holds) ? void() : (std::fprintf(stderr, "fuzz_ical.cpp:%d: %s\n", __LINE__, #holds), std::abort()))

namespace {

// The platform's zones on a day that does not move.
class FixedDayZones : public CalendarZones {
public:
    bool UtcToLocal(const CivilTime& utc, CivilTime& local) const override {
        return PlatformCalendarZones().UtcToLocal(utc, local);
    }
    bool LocalToUtc(const CivilTime& local, CivilTime& utc) const override {
        return PlatformCalendarZones().LocalToUtc(local, utc);
    }
    bool FindWindowsZone(std::string_view name, WindowsZoneRules& rules) const override {
        return PlatformCalendarZones().FindWindowsZone(name, rules);
    }
    CivilTime NowUtc() const override {
        CivilTime now;
        now.year = 2026;
        now.month = 12;
        now.day = 8;
        now.hour = 12;
        return now;
    }
};

size_t CountBegins(const uint8_t* data, size_t size) {
    size_t count = 0;
    for (size_t i = 0; i + 5 <= size; ++i)
        if ((data[i] | 0x20) == 'b' && (data[i + 1] | 0x20) == 'e' && (data[i + 2] | 0x20) == 'g' &&
            (data[i + 3] | 0x20) == 'i' && (data[i + 4] | 0x20) == 'n')
            ++count;
    return count;
}

void CheckSameRecords(const PimDocument& a, const PimDocument& b) {
    CHECK(a.appointments.size() == b.appointments.size() && a.tasks.size() == b.tasks.size());
    auto other = b.appointments.begin();
    for (const auto& entry : a.appointments) {
        const Appointment &x = entry.second, &y = (other++)->second;
        CHECK(x.Description == y.Description && x.StartTime == y.StartTime && x.EndTime == y.EndTime);
        CHECK(x.DueDate == y.DueDate && x.Alarm == y.Alarm && (!x.Alarm || x.AlarmTime == y.AlarmTime));
    }
    auto task = b.tasks.begin();
    for (const auto& entry : a.tasks) {
        const Task &x = entry.second, &y = (task++)->second;
        CHECK(x.Description == y.Description && x.Priority == y.Priority);
        CHECK(x.DueDate.DatePart() == y.DueDate.DatePart());
        // The file keeps a done date for finished tasks only.
        CHECK(x.Priority != kPriorityDone || x.DoneDate.DatePart() == y.DoneDate.DatePart());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const VCardCodePages& codePages = PlatformVCardCodePages();
    const FixedDayZones zones;
    const char* text = reinterpret_cast<const char*>(data);

    PimDocument document;
    const ICalImportResult first = ImportICalendar(document, text, size, codePages, zones);
    CHECK(first.appointmentsAdded >= 0 && static_cast<size_t>(first.appointmentsAdded) == document.appointments.size());
    CHECK(first.tasksAdded >= 0 && static_cast<size_t>(first.tasksAdded) == document.tasks.size());
    CHECK(document.appointments.size() + document.tasks.size() <= 1000 * CountBegins(data, size));
    CHECK(first.notes.size() <= kICalNotesKept && first.notedItems >= static_cast<int32_t>(first.notes.size()));
    CHECK(document.IsModified() == (first.appointmentsAdded + first.tasksAdded > 0));
    for (const auto& entry : document.appointments) {
        const Appointment& a = entry.second;
        CHECK(a.StartTime.IsValid() && a.EndTime.IsValid() && a.StartTime.IsOnOrBefore(a.EndTime));
        CHECK(a.DueDate == a.StartTime.DatePart() && a.StartTime.Minute() % 15 == 0 && a.EndTime.Minute() % 15 == 0);
        const double lead = (a.StartTime - a.AlarmTime).Days() * 1440;
        CHECK(!a.Alarm || (lead > -0.01 && lead < 60.01));
    }

    std::string saved;
    WriteDocument(document, saved);
    PimDocument loaded;
    CHECK(LoadDocument(loaded, saved.data(), saved.size()));
    CheckSameRecords(document, loaded);

    std::string exported;
    CHECK(ExportICalendar(document, codePages, zones, [&exported](const char* bytes, size_t count) {
        exported.append(bytes, count);
        return true;
    }));
    PimDocument copy;
    const ICalImportResult back = ImportICalendar(copy, exported.data(), exported.size(), codePages, zones);
    CHECK(back.notedItems == 0 && back.lostCharacters == 0);
    CheckSameRecords(document, copy);

    const ICalImportResult second = ImportICalendar(document, text, size, codePages, zones);
    CHECK(second.appointmentsAdded == 0 && second.tasksAdded == 0);
    return 0;
}
