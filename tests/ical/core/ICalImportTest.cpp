#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CivilCalendar.h"
#include "ExchangeLocale.h"
#include "ICal.h"
#include "ICalTestZones.h"
#include "PimDocument.h"
#include "Recurrence.h"
#include "../../vcard/core/VCardTestCodePages.h"

namespace {

const VCardTestCodePages kCodePages;

CivilTime Utc(int year, int month, int day, int hour = 12) {
    CivilTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    return time;
}

std::string DateText(int64_t wall) {
    const CivilTime t = CivilOfWall(wall);
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
    return text;
}

std::string Stamp(const DateTime& time) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", time.Year(), time.Month(), time.Day(), time.Hour(),
                  time.Minute());
    return text;
}

// "description|start-end|lead", the lead in minutes or "-" without alarm.
std::vector<std::string> Appointments(const PimDocument& document) {
    std::vector<std::string> rows;
    for (const auto& entry : document.appointments) {
        const Appointment& a = entry.second;
        const std::string lead =
            a.Alarm ? std::to_string(static_cast<int>((a.StartTime - a.AlarmTime).Days() * 1440 + 0.5)) : "-";
        EXPECT_EQ(a.DueDate, a.StartTime.DatePart()) << a.Description.str();
        rows.push_back(a.Description.str() + "|" + Stamp(a.StartTime) + "-" + Stamp(a.EndTime).substr(11) + "|" + lead);
    }
    return rows;
}

// "description|due|priority|done day".
std::vector<std::string> Tasks(const PimDocument& document) {
    std::vector<std::string> rows;
    for (const auto& entry : document.tasks) {
        const Task& t = entry.second;
        rows.push_back(t.Description.str() + "|" + Stamp(t.DueDate).substr(0, 10) + "|" + std::to_string(t.Priority) +
                       "|" + (t.DoneDate.IsValid() ? Stamp(t.DoneDate).substr(0, 10) : "-"));
    }
    return rows;
}

struct RuleCase {
    const char* rule;
    CivilTime start;
    std::vector<std::string> dates;
};

TEST(Recurrence, ExpandsTheRulesCalendarsWrite) {
    const int64_t limit = WallSeconds(Utc(2029, 1, 1));
    const RuleCase cases[] = {
        {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=3", Utc(2026, 1, 30), {"2026-01-30", "2026-02-27", "2026-03-27"}},
        {"FREQ=MONTHLY;BYMONTHDAY=31;COUNT=3", Utc(2026, 1, 31), {"2026-01-31", "2026-03-31", "2026-05-31"}},
        {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;COUNT=3", Utc(2026, 1, 30),
         {"2026-01-30", "2026-02-27", "2026-03-31"}},
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH;UNTIL=20260122T120000Z", Utc(2026, 1, 6),
         {"2026-01-06", "2026-01-08", "2026-01-20", "2026-01-22"}},
        {"FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=SU", Utc(1997, 8, 5),
         {"1997-08-05", "1997-08-17", "1997-08-19", "1997-08-31"}},
        {"FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=MO", Utc(1997, 8, 5),
         {"1997-08-05", "1997-08-10", "1997-08-19", "1997-08-24"}},
        {"FREQ=YEARLY;BYMONTH=10;BYDAY=2MO;COUNT=2", Utc(2026, 10, 12), {"2026-10-12", "2027-10-11"}},
        {"FREQ=YEARLY;BYDAY=-1SU;COUNT=2", Utc(2026, 12, 27), {"2026-12-27", "2027-12-26"}},
        {"FREQ=YEARLY;COUNT=3", Utc(2024, 2, 29), {"2024-02-29", "2028-02-29"}},
        // The start counts even where the rule would not make it.
        {"FREQ=DAILY;BYMONTH=2;BYMONTHDAY=29", Utc(2023, 2, 1), {"2023-02-01", "2024-02-29", "2028-02-29"}},
    };
    for (const RuleCase& c : cases) {
        RecurrenceRule rule;
        ASSERT_TRUE(ParseRecurrenceRule(c.rule, rule)) << c.rule;
        std::vector<std::string> dates;
        ExpandRecurrence(rule, WallSeconds(c.start), rule.until.wall, limit, [&](int64_t wall) {
            dates.push_back(DateText(wall));
            return dates.size() < 50;
        });
        EXPECT_EQ(dates, c.dates) << c.rule;
    }
    for (const char* unreadable : {"FREQ=HOURLY", "FREQ=WEEKLY;BYDAY=1MO", "FREQ=DAILY;BYHOUR=9",
                                   "FREQ=DAILY;COUNT=2;UNTIL=20260101", "INTERVAL=2", "FREQ=MONTHLY;BYMONTHDAY=0"}) {
        RecurrenceRule rule;
        EXPECT_FALSE(ParseRecurrenceRule(unreadable, rule)) << unreadable;
    }
}

// A web calendar: its own VTIMEZONE, a weekly series with an exception, a
// moved and a cancelled occurrence, an alarm, and an all-day event.
const char kWebCalendar[] =
    "BEGIN:VCALENDAR\r\nPRODID:-//Example Web Calendar//EN\r\nVERSION:2.0\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Paris\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\nDTSTART:19701025T030000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Paris:20260302T150000\r\nDTEND;TZID=Europe/Paris:20260302T160000\r\n"
    "RRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=5\r\nEXDATE;TZID=Europe/Paris:20260309T150000\r\n"
    "UID:weekly-1@example.com\r\nSUMMARY:Standup\\, Pa\r\n ris\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Paris:20260318T170000\r\nDTEND;TZID=Europe/Paris:20260318T173000\r\n"
    "RECURRENCE-ID;TZID=Europe/Paris:20260316T150000\r\nUID:weekly-1@example.com\r\nSUMMARY:Standup moved\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\nRECURRENCE-ID;TZID=Europe/Paris:20260323T150000\r\nUID:weekly-1@example.com\r\n"
    "STATUS:CANCELLED\r\nDTSTART;TZID=Europe/Paris:20260323T150000\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260704\r\nDTEND;VALUE=DATE:20260706\r\nUID:holiday@example.com\r\n"
    "SUMMARY:Long weekend\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

// A mail program: Windows zone names, IANA names, a zone nobody knows, UTC
// and floating times, LF line ends and a fold with a tab.
const char kMailProgram[] =
    "BEGIN:VCALENDAR\nMETHOD:PUBLISH\nVERSION:2.0\n"
    "BEGIN:VEVENT\nUID:a1\nDTSTART;TZID=\"W. Europe Standard Time\":20261210T100800\n"
    "DTEND;TZID=\"W. Europe Standard Time\":20261210T105300\nSUMMARY;LANGUAGE=de-de:Besprechung \n\tM\xC3\xBCller\n"
    "BEGIN:VALARM\nTRIGGER;RELATED=END:-PT48M\nACTION:DISPLAY\nEND:VALARM\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:a2\nDTSTART;TZID=Europe/Berlin:20261211T090000\nDTEND;TZID=Europe/Berlin:20261211T093000\n"
    "SUMMARY:Berlin call\nBEGIN:VALARM\nTRIGGER:-PT2H\nEND:VALARM\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:a3\nDTSTART;TZID=Mars/Olympus:20261212T090000\nDTEND;TZID=Mars/Olympus:20261212T100000\n"
    "SUMMARY:Mars\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:a3b\nDTSTART;TZID=Mars/Olympus:20261216T090000\nSUMMARY:Mars again\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:a4\nDTSTART:20261213T150000Z\nDURATION:PT1H30M\nSUMMARY:UTC\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:a5\nDTSTART:20261213T153000Z\nDTEND:20261213T160000Z\nSUMMARY:Clash\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:a6\nDTSTART:20261213T163000Z\nDTEND:20261213T170000Z\nSUMMARY:After\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:a7\nDTSTART:20261214T080000\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:a8\nDTSTART:20261215T090000\nDTEND:20261215T091500\nRRULE:FREQ=HOURLY;COUNT=3\n"
    "SUMMARY:Hourly\nEND:VEVENT\nBEGIN:X-UNKNOWN\nBEGIN:VEVENT\nSUMMARY:Hidden\nDTSTART:20261216T090000\n"
    "END:VEVENT\nEND:X-UNKNOWN\nEND:VCALENDAR\n";

// A phone's to-dos.
const char kPhoneTodos[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
    "BEGIN:VTODO\r\nUID:t1\r\nSUMMARY:Pay rent\r\nDUE;VALUE=DATE:20261201\r\nPRIORITY:1\r\nEND:VTODO\r\n"
    "BEGIN:VTODO\r\nUID:t2\r\nSUMMARY:Call plumber\r\nDUE:20261203T030000Z\r\nPRIORITY:6\r\nEND:VTODO\r\n"
    "BEGIN:VTODO\r\nUID:t3\r\nSUMMARY:File taxes\r\nDTSTART;VALUE=DATE:20260410\r\nPRIORITY:5\r\n"
    "STATUS:COMPLETED\r\nCOMPLETED:20260414T020000Z\r\nEND:VTODO\r\n"
    "BEGIN:VTODO\r\nUID:t4\r\nSUMMARY:Someday\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";

struct FileCase {
    const char* shape;
    std::string file;
    std::vector<std::string> appointments;
    std::vector<std::string> tasks;
    std::vector<std::string> reasons;
};

TEST(ImportICalendar, ReadsWebCalendarsMailProgramsAndPhonesInLocalTime) {
    const ICalTestZones zones(Utc(2026, 12, 8));  // the user is in New York
    const FileCase cases[] = {
        {"web calendar", kWebCalendar,
         // 15:00 in Paris is 09:00 in New York, but 10:00 in the weeks New
         // York has begun daylight saving and Paris has not.
         {"Standup, Paris|2026-03-02 09:00-10:00|10", "Standup moved|2026-03-18 12:00-12:30|10",
          "Standup, Paris|2026-03-30 09:00-10:00|10"},
         {"Long weekend|2026-07-04|1|-", "Long weekend|2026-07-05|1|-"},
         {}},
        {"mail program", kMailProgram,
         {"Besprechung M\xFCller|2026-12-10 04:15-05:00|5", "Berlin call|2026-12-11 03:00-03:30|0",
          "Mars|2026-12-12 09:00-10:00|-", "Mars again|2026-12-16 09:00-09:00|-", "UTC|2026-12-13 10:00-11:30|-", "After|2026-12-13 11:30-12:00|-",
          "(no title)|2026-12-14 08:00-08:00|-", "Hourly|2026-12-15 09:00-09:15|-"},
         {},
         {"a zone we do not know: Mars/Olympus", "a zone we do not know: Mars/Olympus",
          "a rule we cannot read: only its first occurrence was imported",
          "collides with the appointment of"}},
        {"phone to-dos", kPhoneTodos,
         {},
         {"Pay rent|2026-12-01|0|-", "Call plumber|2026-12-02|2|-", "File taxes|2026-04-10|3|2026-04-13",
          "Someday|2026-12-08|1|-"},
         {}},
    };
    for (const FileCase& c : cases) {
        PimDocument document;
        const ICalImportResult result = ImportICalendar(document, c.file.data(), c.file.size(), kCodePages, zones);
        EXPECT_EQ(Appointments(document), c.appointments) << c.shape;
        EXPECT_EQ(Tasks(document), c.tasks) << c.shape;
        std::vector<std::string> reasons;
        for (const ICalNote& note : result.notes) reasons.push_back(note.reason);
        EXPECT_EQ(reasons, c.reasons) << c.shape;
        EXPECT_EQ(result.appointmentsAdded, static_cast<int32_t>(c.appointments.size())) << c.shape;
        EXPECT_EQ(result.tasksAdded, static_cast<int32_t>(c.tasks.size())) << c.shape;

        // A second import of the same file adds nothing.
        const ICalImportResult again = ImportICalendar(document, c.file.data(), c.file.size(), kCodePages, zones);
        EXPECT_EQ(again.appointmentsAdded + again.tasksAdded, 0) << c.shape;
    }
}

TEST(ImportICalendar, ReportNamesWhatWasLeftOutWithItsDateAndWhatItCollidesWith) {
    const ICalTestZones zones(Utc(2026, 12, 8));
    PimDocument document;
    const std::string file = std::string(kMailProgram) + kWebCalendar;
    const std::string first =
        ICalImportReport("mail.ics", ImportICalendar(document, file.data(), file.size(), kCodePages, zones),
                         PlatformExchangeLocale());
    EXPECT_EQ(first.substr(0, first.find("\n\nFrom")),
              "Some events and to-dos of mail.ics were not imported, or not as they stand:\n"
              "\nMars (12/12/2026): a zone we do not know: Mars/Olympus."
              "\nMars again (12/16/2026): a zone we do not know: Mars/Olympus."
              "\nHourly (12/15/2026): a rule we cannot read: only its first occurrence was imported."
              "\nClash (12/13/2026): collides with the appointment of 12/13/2026 10:00 AM-11:30 AM.");
    EXPECT_NE(first.find("\n\nFrom mail.ics, counted by kind:\nall-day events turned into tasks: 1"),
              std::string::npos);
    // Again: everything is already there, and only counted.
    const std::string again =
        ICalImportReport("mail.ics", ImportICalendar(document, file.data(), file.size(), kCodePages, zones),
                         PlatformExchangeLocale());
    EXPECT_NE(again.find("already in this document: 13"), std::string::npos) << again;
}

TEST(ImportICalendar, ExpandsEndlessSeriesUpToTwoYearsAheadAndAtMostAThousandTimes) {
    const ICalTestZones zones(Utc(2026, 12, 8));
    const std::string weekly =
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:w\r\nSUMMARY:Weekly\r\nDTSTART:20260105T140000Z\r\n"
        "DTEND:20260105T150000Z\r\nRRULE:FREQ=WEEKLY\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:d\r\nSUMMARY:Daily\r\nDTSTART:20220101T120000Z\r\nRRULE:FREQ=DAILY\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n";
    PimDocument document;
    const ICalImportResult result = ImportICalendar(document, weekly.data(), weekly.size(), kCodePages, zones);
    const std::vector<std::string> rows = Appointments(document);
    // Weekly from 2026-01-05 to 2028-12-08: 153 Mondays; daily from 2022 on:
    // cut at 1,000, which is noted.
    ASSERT_EQ(rows.size(), 153u + 1000u);
    EXPECT_EQ(rows[152], "Weekly|2028-12-04 09:00-10:00|-");
    EXPECT_EQ(rows.back(), "Daily|2024-09-26 08:00-08:00|-");
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_EQ(result.notes[0].reason, "more than 1,000 occurrences: the first 1,000 were imported");
}

}  // namespace
