#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ColumnNames.h"

namespace {

using Kind = ExchangeKind;

// A file we exported needs no assignment by hand.
TEST(ColumnNames, OurOwnExportHeaderNamesItsFields) {
    for (const Kind kind : {Kind::kPersons, Kind::kTasks, Kind::kAppointments}) {
        const std::vector<std::string> header = ExportSettingsFor(kind).AvailableFields;
        EXPECT_EQ(header, FieldsForColumnNames(kind, header)) << static_cast<int>(kind);
    }
}

struct HeaderCase {
    Kind kind;
    std::vector<std::string> columns;
    std::vector<std::string> fields;
};

TEST(ColumnNames, ReadsOtherSpellingsAndGivesEachFieldOneColumn) {
    const HeaderCase cases[] = {
        {Kind::kPersons,
         {"first_name", "Surname", "EMAIL", "E-mail 1 - Value", "Zip Code", "Mobile Phone", "Job Title", "Title", ""},
         {"FirstName", "LastName", "E-Mail", "", "ZipCode", "CelPhone", "Position", "", ""}},
        {Kind::kPersons, {"Home Street", "Address", "Business Street 2", "web.site"},
         {"Address1", "", "Address2", "WebPage"}},
        {Kind::kTasks, {"Subject", "due", "Start Date", "Date Completed"}, {"Task", "DueDate", "", "DoneDate"}},
        {Kind::kAppointments,
         {"Subject", "Start Date", "Start", "End", "Reminder On/Off", "Alarm Minutes", "FirstName"},
         {"Appointment", "Date", "StartTime", "EndTime", "Alarmed", "AlarmTime", ""}},
    };
    for (const HeaderCase& c : cases)
        EXPECT_EQ(c.fields, FieldsForColumnNames(c.kind, c.columns)) << c.columns.front();
}

}  // namespace
