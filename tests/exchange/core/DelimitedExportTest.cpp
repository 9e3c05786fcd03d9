#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DelimitedText.h"
#include "ExchangeTestLocale.h"
#include "PimDocument.h"

namespace {

const ExchangeTestLocale kLocale;

ExchangeSettings ExportSettings(ExchangeKind kind, std::vector<std::string> fields,
                                bool header = true, const char* separator = ",",
                                const char* encloser = "\"") {
    ExchangeSettings settings = ExportSettingsFor(kind);
    settings.FieldMap = std::move(fields);
    settings.FirstLineHasNames = header;
    settings.Separator = separator;
    settings.Encloser = encloser;
    return settings;
}

void AddTask(PimDocument& document, int32_t id, const std::string& text, int32_t priority) {
    Task task;
    task.ID = id;
    task.Description = text;
    task.Priority = priority;
    task.DueDate = DateTime::FromFields(2002, 3, 4, 0, 0, 0);
    document.tasks.Insert(id, task);
}

TEST(ExchangeSettings, ListsThePhonesInTheirOwnOrderAndTheFlagsLastForExport) {
    const ExchangeSettings out = ExportSettingsFor(ExchangeKind::kPersons);
    const ExchangeSettings in = ImportSettingsFor(ExchangeKind::kPersons);
    const auto at = [](const ExchangeSettings& s, const char* name) {
        return std::find(s.AvailableFields.begin(), s.AvailableFields.end(), name) - s.AvailableFields.begin();
    };
    EXPECT_LT(at(out, "CelPhone"), at(out, "Pager"));
    EXPECT_LT(at(in, "Pager"), at(in, "CelPhone"));
    // Fields added later come last, so an export of the others is unchanged.
    EXPECT_EQ(out.FieldCount - 2, at(out, "WhitePages"));
    EXPECT_LT(at(in, "YellowPages"), in.FieldCount);
    for (const std::string& name : in.RequiredFields) EXPECT_LT(at(in, name.c_str()), in.FieldCount);
    EXPECT_TRUE(out.RequiredFields.empty());
}

struct TaskExportCase {
    ExchangeSettings settings;
    std::string text;
};

TEST(ExportTasks, WritesTheHeaderAndTheCheckedColumnsInTableOrder) {
    PimDocument document;
    AddTask(document, 7, "Buy \"milk\"", 1);
    AddTask(document, 2, "", 3);
    const TaskExportCase cases[] = {
        {ExportSettings(ExchangeKind::kTasks, {"Task", "DueDate", "Priority"}),
         "\"Task\",\"DueDate\",\"Priority\"\n,\"2002-03-04\",\"3\"\n"
         "\"Buy \"\"milk\"\"\",\"2002-03-04\",\"1\"\n"},
        // The header follows the list; the lines follow the table.
        {ExportSettings(ExchangeKind::kTasks, {"Priority", "", "Task", ""}, true, ";"),
         "\"Priority\";\"Task\";\n;\"3\"\n\"Buy \"\"milk\"\"\";\"1\"\n"},
        {ExportSettings(ExchangeKind::kTasks, {"Task", "Bogus"}, false, "\t", ""),
         "\nBuy \"milk\"\n"},
        {ExportSettings(ExchangeKind::kTasks, {"Task", "Priority"}, false, ",", "'"), ",'3'\n'Buy \"milk\"','1'\n"},
    };
    // An empty text appends nothing, not even its enclosers: "3" above
    // follows a bare separator.
    for (const TaskExportCase& c : cases) {
        const ExportText result = BuildExportText(document, ExchangeKind::kTasks, c.settings, kLocale);
        EXPECT_EQ(c.text, result.text);
        EXPECT_EQ(2, result.records);
    }
    PimDocument empty;
    const ExportText none = BuildExportText(empty, ExchangeKind::kTasks, cases[0].settings, kLocale);
    EXPECT_EQ("", none.text);
    EXPECT_EQ(0, none.records);
}

// Inside enclosers a backslash is written as two, since the import takes it
// for an escape; with a blank separator an empty value is written as two
// enclosers, since the import takes a run of blanks for one separator. A
// finished task has its done day, another none.
TEST(ExportTasks, WritesWhatTheImportReadsBackUnchanged) {
    PimDocument document;
    AddTask(document, 1, "C:\\temp\\", kPriorityDone);
    document.tasks[1].DoneDate = DateTime::FromFields(2002, 3, 5, 0, 0, 0);
    AddTask(document, 2, "", kPriorityLow);
    document.tasks[2].DoneDate = DateTime::FromFields(2002, 3, 5, 0, 0, 0);
    const TaskExportCase cases[] = {
        {ExportSettings(ExchangeKind::kTasks, {"Task", "Priority", "DoneDate"}, false, "\t"),
         "\"C:\\\\temp\\\\\"\t\"3\"\t\"2002-03-05\"\n\"\"\t\"2\"\t\"\"\n"},
        {ExportSettings(ExchangeKind::kTasks, {"Task", "Priority", "DoneDate"}, false, " ", "'"),
         "'C:\\\\temp\\\\' '3' '2002-03-05'\n'' '2' ''\n"},
        {ExportSettings(ExchangeKind::kTasks, {"Task", "Priority", "DoneDate"}, false, ",", ""),
         "C:\\temp\\,3,2002-03-05\n,2,\n"},
    };
    for (const TaskExportCase& c : cases)
        EXPECT_EQ(c.text, BuildExportText(document, ExchangeKind::kTasks, c.settings, kLocale).text);
}

TEST(ExportAppointments, WritesTimesAlarmFlagAndLeadInMinutes) {
    PimDocument document;
    const DateTime start = DateTime::FromFields(2002, 3, 4, 10, 15, 0);
    struct Alarm {
        bool on;
        double minutesBefore;
        const char* line;
    } alarms[] = {
        {false, 15, "\"FALSE\",\"0\""},
        {true, 15, "\"TRUE\",\"15\""},
        {true, 90, "\"TRUE\",\"60\""},
        {true, -5, "\"TRUE\",\"0\""},
        {true, 59.9, "\"TRUE\",\"59\""},
    };
    std::string expected;
    int32_t id = 0;
    for (const Alarm& alarm : alarms) {
        Appointment a;
        a.ID = ++id;
        a.Description = "Line one\r\nline \"two\", three";
        a.DueDate = start.DatePart();
        a.StartTime = start;
        a.EndTime = start + DateSpan::FromParts(0, 1, 0, 0);
        a.Alarm = alarm.on;
        a.AlarmTime = start - DateSpan::FromParts(0, 0, alarm.minutesBefore, 0);
        document.appointments.Insert(a.ID, a);
        expected += "\"Line one\r\nline \"\"two\"\", three\",\"2002-03-04\",\"10:15\",\"11:15\",";
        expected += alarm.line;
        expected += "\n";
    }
    const ExchangeSettings settings = ExportSettings(
        ExchangeKind::kAppointments, ExportSettingsFor(ExchangeKind::kAppointments).AvailableFields, false);
    EXPECT_EQ(expected, BuildExportText(document, ExchangeKind::kAppointments, settings, kLocale).text);
}

TEST(ExportPersons, WritesTheExportListAndDoublesEnclosersByCharacters) {
    PimDocument document;
    Person p;
    p.ID = 1;
    p.FName = "a\x81\"b\"";  // the first quote is the second byte of a character
    p.CelPhone = "cel";
    p.Pager = "pager";
    p.WhitePages = 1;
    document.persons.Insert(1, p);
    const ExchangeSettings settings =
        ExportSettings(ExchangeKind::kPersons, {"Pager", "CelPhone", "FirstName", "YellowPages"});
    EXPECT_EQ("\"Pager\",\"CelPhone\",\"FirstName\",\"YellowPages\"\n\"a\x81\"b\"\"\",\"cel\",\"pager\",\"FALSE\"\n",
              BuildExportText(document, ExchangeKind::kPersons, settings, ExchangeTestLocale(true)).text);
}

}  // namespace
