// Our own export, imported into an empty document, gives the same
// appointments and tasks in the zone the test runs in, through the
// platform's own zones and code pages: every quarter hour of the days the
// clocks change in the zones tested (Apia's dropped day and those around
// it, New York's and Lord Howe's changes of 2026), and random texts, days,
// times, alarms and priorities.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "DateTime.h"
#include "ICal.h"
#include "PimDocument.h"

namespace ical_round_trip {

// Any byte but zero (never none), with line breaks as the editors write them.
inline std::string RandomText(std::mt19937& random) {
    std::string text;
    const int length = 1 + static_cast<int>(random() % 90);
    for (int i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(1 + random() % 255);
        // Five bytes code page 1252 leaves undefined, which Windows cannot
        // bring to Unicode and back, are not tried.
        if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) continue;
        if (c == '\r' || c == '\n') text += "\r\n";
        else text += static_cast<char>(c);
    }
    return text.empty() ? "x" : text;
}

// The days the clocks change in the zones tested: Apia's dropped day and
// those around it, New York's and Lord Howe's changes of 2026.
constexpr int kChangeDays[][3] = {{2011, 12, 29}, {2011, 12, 30}, {2011, 12, 31}, {2026, 3, 8},
                              {2026, 11, 1},  {2026, 4, 5},   {2026, 10, 4}};

inline void Fill(PimDocument& document, std::mt19937& random) {
    // Every quarter hour of the days the clocks change, back to back (which
    // is no collision), each with an alarm.
    for (const auto& day : kChangeDays) {
        for (int quarter = 0; quarter < 96; ++quarter) {
            Appointment a;
            a.ID = document.appointments.IssueID();
            a.Description = "Quarter " + std::to_string(quarter);
            a.StartTime = DateTime::FromFields(day[0], day[1], day[2], quarter / 4, quarter % 4 * 15, 0);
            a.EndTime = a.StartTime + DateSpan::FromParts(0, 0, 15, 0);
            a.EndTime = DateTime::FromFields(a.EndTime.Year(), a.EndTime.Month(), a.EndTime.Day(), a.EndTime.Hour(),
                                             a.EndTime.Minute(), 0);
            a.DueDate = a.StartTime.DatePart();
            a.Alarm = true;
            a.AlarmTime = a.StartTime - DateSpan::FromParts(0, 0, 10, 0);
            document.appointments.Insert(a.ID, a);
        }
        Task t;
        t.ID = document.tasks.IssueID();
        t.Description = "Done that day";
        t.Priority = kPriorityDone;
        t.DueDate = t.DoneDate = DateTime::FromFields(day[0], day[1], day[2], 0, 0, 0);
        document.tasks.Insert(t.ID, t);
    }
    // The rest each on a day of its own between 2012 and 2025, so that none
    // collides.
    const DateTime first = DateTime::FromFields(2012, 1, 10, 0, 0, 0);
    for (int i = 0; i < 400; ++i) {
        Appointment a;
        a.ID = document.appointments.IssueID();
        a.Description = RandomText(random);
        const DateTime day = first + DateSpan(i * 13 % 5000);
        const int quarter = static_cast<int>(random() % 96);
        a.StartTime = DateTime::FromFields(day.Year(), day.Month(), day.Day(), quarter / 4, quarter % 4 * 15, 0);
        const int quarters = static_cast<int>(random() % 40);
        a.EndTime = a.StartTime + DateSpan::FromParts(0, 0, quarters * 15, 0);
        a.EndTime = DateTime::FromFields(a.EndTime.Year(), a.EndTime.Month(), a.EndTime.Day(), a.EndTime.Hour(),
                                         a.EndTime.Minute(), 0);
        a.DueDate = a.StartTime.DatePart();
        a.Alarm = random() % 2 == 0;
        a.AlarmTime = a.StartTime - DateSpan::FromParts(0, 0, static_cast<double>(random() % 13 * 5), 0);
        document.appointments.Insert(a.ID, a);
    }
    for (int i = 0; i < 300; ++i) {
        Task t;
        t.ID = document.tasks.IssueID();
        t.Description = RandomText(random);
        t.DueDate = (first + DateSpan(i * 11 % 5000)).DatePart();
        t.Priority = static_cast<int32_t>(random() % 4);
        t.DoneDate = t.Priority == kPriorityDone ? (first + DateSpan(i * 7 % 5000)).DatePart() : DateTime();
        document.tasks.Insert(t.ID, t);
    }
}

inline void ExpectRoundTrip(const char* zone) {
    std::mt19937 random(20261208);
    PimDocument original;
    Fill(original, random);
    std::string text;
    ASSERT_TRUE(ExportICalendar(original, PlatformVCardCodePages(), PlatformCalendarZones(),
                                [&](const char* bytes, size_t size) {
                                    text.append(bytes, size);
                                    return true;
                                }));
    for (size_t at = 0, next; at < text.size(); at = next + 2) {
        next = text.find("\r\n", at);
        ASSERT_NE(next, std::string::npos);
        ASSERT_LE(next - at, 75u) << zone << ": " << text.substr(at, next - at);
    }

    PimDocument back;
    const ICalImportResult result =
        ImportICalendar(back, text.data(), text.size(), PlatformVCardCodePages(), PlatformCalendarZones());
    EXPECT_EQ(result.notedItems, 0) << zone << ": " << (result.notes.empty() ? "" : result.notes[0].reason);
    ASSERT_EQ(back.appointments.size(), original.appointments.size()) << zone;
    ASSERT_EQ(back.tasks.size(), original.tasks.size()) << zone;
    auto a = back.appointments.begin();
    for (const auto& entry : original.appointments) {
        const Appointment& o = entry.second;
        const Appointment& b = (a++)->second;
        EXPECT_EQ(b.Description, o.Description) << zone << " appointment " << o.ID;
        EXPECT_EQ(b.StartTime, o.StartTime) << zone << " appointment " << o.ID;
        EXPECT_EQ(b.EndTime, o.EndTime) << zone << " appointment " << o.ID;
        EXPECT_EQ(b.DueDate, o.DueDate) << zone << " appointment " << o.ID;
        EXPECT_EQ(b.Alarm, o.Alarm) << zone << " appointment " << o.ID;
        const auto lead = [](const Appointment& x) { return std::lround((x.StartTime - x.AlarmTime).Days() * 1440); };
        if (o.Alarm) {
            EXPECT_EQ(lead(b), lead(o)) << zone << " appointment " << o.ID;
        }
    }
    auto t = back.tasks.begin();
    for (const auto& entry : original.tasks) {
        const Task& o = entry.second;
        const Task& b = (t++)->second;
        EXPECT_EQ(b.Description, o.Description) << zone << " task " << o.ID;
        EXPECT_EQ(b.DueDate, o.DueDate) << zone << " task " << o.ID;
        EXPECT_EQ(b.Priority, o.Priority) << zone << " task " << o.ID;
        EXPECT_EQ(b.DoneDate, o.DoneDate) << zone << " task " << o.ID;
    }
}

}  // namespace ical_round_trip
