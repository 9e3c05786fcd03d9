// The calendar a busy user exports from a web calendar: 10,000 events in a
// zone of their own (Europe/Berlin, with its VTIMEZONE), half of them
// weekly for a year (COUNT=52), a quarter of all with an alarm; the user
// lives there too. No two occurrences collide but those at 02:00 on the
// Sundays the clocks skip that hour, which move to 03:00, where another
// series is: of 265,000, 28 are left out.
//
// The reference is the delimited import of the same appointments (the text
// the program exports for them), timed in the same rounds: what the program
// already does to add that many appointments from a file.
#include "BenchCalendar.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "DelimitedText.h"
#include "ExchangeSettings.h"
#include "ICal.h"
#include "PimDocument.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string CalendarFile() {
    std::string file =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
        "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nDTSTART:19700329T020000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
        "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nDTSTART:19701025T030000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    char line[512];
    for (int i = 0; i < 10000; ++i) {
        const bool weekly = i % 2 == 0;
        const int k = i / 2;
        int year, month, day, quarter;
        if (weekly) {
            // A quarter hour of its own each week, for a year: 672 series a
            // year, from 2020 on, the last ending in 2027.
            const int block = k / 672, slot = k % 672;
            std::tm normal = {0, 0, 12, 6 + slot / 96 + block * 7 * 53, 0, 2020 - 1900, 0, 0, 0, 0, nullptr};
            std::mktime(&normal);
            year = normal.tm_year + 1900, month = normal.tm_mon + 1, day = normal.tm_mday, quarter = slot % 96;
        } else {
            std::tm normal = {0, 0, 12, 1 + k / 64, 0, 2029 - 1900, 0, 0, 0, 0, nullptr};
            std::mktime(&normal);
            year = normal.tm_year + 1900, month = normal.tm_mon + 1, day = normal.tm_mday, quarter = 24 + k % 64;
        }
        const int hour = quarter / 4, minute = quarter % 4 * 15;
        std::snprintf(line, sizeof line,
                      "BEGIN:VEVENT\r\nUID:event-%d@bench\r\nDTSTAMP:20261201T120000Z\r\n"
                      "DTSTART;TZID=Europe/Berlin:%04d%02d%02dT%02d%02d00\r\n"
                      "DURATION:PT15M\r\n"
                      "SUMMARY:%s %d\\, room %d\r\n%s",
                      i, year, month, day, hour, minute,
                      weekly ? "Weekly review" : "Meeting", i, i % 40, weekly ? "RRULE:FREQ=WEEKLY;COUNT=52\r\n" : "");
        file += line;
        if (i % 4 == 0) file += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n";
        file += "END:VEVENT\r\n";
    }
    return file + "END:VCALENDAR\r\n";
}

ExchangeSettings AppointmentSettings(bool import) {
    ExchangeSettings settings = import ? ImportSettingsFor(ExchangeKind::kAppointments)
                                       : ExportSettingsFor(ExchangeKind::kAppointments);
    settings.FieldMap = ExportSettingsFor(ExchangeKind::kAppointments).AvailableFields;
    settings.ColumnCount = int32_t(settings.FieldMap.size());
    settings.FirstLineHasNames = true;
    settings.Separator = ",";
    settings.Encloser = "\"";
    return settings;
}

}  // namespace

void CalendarTable(int rounds) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    DateTime::ResetZoneCache();
    const std::string file = CalendarFile();
    PimDocument expanded;
    const ICalImportResult result =
        ImportICalendar(expanded, file.data(), file.size(), PlatformVCardCodePages(), PlatformCalendarZones());
    const std::string text = BuildExportText(expanded, ExchangeKind::kAppointments, AppointmentSettings(false),
                                             PlatformExchangeLocale()).text;
    std::printf("iCalendar: %zu bytes, 10,000 events, %d appointments added, %d noted; as delimited text %zu bytes\n",
                file.size(), result.appointmentsAdded, result.notedItems, text.size());

    std::vector<double> ical, delimited;
    size_t sink = 0;
    for (int round = 0; round < rounds; ++round) {
        auto document = std::make_unique<PimDocument>();
        auto start = Clock::now();
        sink += size_t(ImportICalendar(*document, file.data(), file.size(), PlatformVCardCodePages(),
                                       PlatformCalendarZones()).appointmentsAdded);
        ical.push_back(Milliseconds(start));
        document = std::make_unique<PimDocument>();
        start = Clock::now();
        sink += size_t(ImportDelimitedText(*document, ExchangeKind::kAppointments, AppointmentSettings(true),
                                           text.data(), text.size(), PlatformExchangeLocale()).added);
        delimited.push_back(Milliseconds(start));
    }
    std::printf("  iCalendar read and expanded %7.1f ms   delimited import of the same %7.1f ms   ratio %5.2f%s\n",
                Median(ical), Median(delimited), Median(ical) / Median(delimited), sink ? "" : " (nothing measured)");
    setenv("TZ", "UTC", 1);
    tzset();
    DateTime::ResetZoneCache();
}
