#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "DelimitedText.h"
#include "DocumentFile.h"
#include "ExchangeTestLocale.h"
#include "PimDocument.h"

namespace {

const ExchangeTestLocale kLocale;

ExchangeSettings ImportSettings(ExchangeKind kind, std::vector<std::string> columns,
                                bool header = false, const char* separator = ",",
                                const char* encloser = "\"") {
    ExchangeSettings settings = ImportSettingsFor(kind);
    settings.ColumnCount = static_cast<int32_t>(columns.size());
    settings.FieldMap = std::move(columns);
    settings.FirstLineHasNames = header;
    settings.Separator = separator;
    settings.Encloser = encloser;
    return settings;
}

ImportResult Import(PimDocument& document, ExchangeKind kind, const ExchangeSettings& settings,
                    const std::string& text) {
    return ImportDelimitedText(document, kind, settings, text.data(), text.size(), kLocale);
}

class CountingView : public PimDocumentView {
public:
    void OnDocumentChanged() override { ++refreshes; }
    int refreshes = 0;
};

struct PersonCase {
    std::string line;
    bool added;
    int32_t white, yellow;
};

TEST(ImportPersons, AddsNamedLinesWithTheirPhoneBookPages) {
    const ExchangeSettings settings = ImportSettings(
        ExchangeKind::kPersons, {"FirstName", "LastName", "Company", "Address1", "WhitePages", "YellowPages"});
    const PersonCase cases[] = {
        {",,Acme,,,", true, 1, 0},       {",,,1 Main St,yes,yes", false, 0, 0},
        {"Ann,,,,no,Yes", true, 0, 1},   {"Ann,,,,TRUE,1", true, 1, 1},
        {"Ann,,,,t,false", true, 1, 0},  {"Ann", true, 1, 0},
        {"EMPTY FIELD,EOF", false, 0, 0}, {"\"  \",Lee  ,,\"  x  \"", true, 1, 0},
    };
    for (const PersonCase& c : cases) {
        PimDocument document;
        EXPECT_EQ(c.added ? 1 : 0, Import(document, ExchangeKind::kPersons, settings, c.line).added) << c.line;
        if (!c.added) continue;
        const Person& p = document.persons[1];
        EXPECT_EQ(c.white, p.WhitePages) << c.line;
        EXPECT_EQ(c.yellow, p.YellowPages) << c.line;
    }
    // A name of white space still names the line; every text is trimmed.
    PimDocument document;
    Import(document, ExchangeKind::kPersons, settings, cases[7].line);
    EXPECT_EQ("", document.persons[1].FName);
    EXPECT_EQ("Lee", document.persons[1].RName);
    EXPECT_EQ("x", document.persons[1].Addr1);
}

TEST(ImportTasks, ReadsPriorityAndDueDateAndKeepsDefaultsOfMissingColumns) {
    PimDocument document;
    const DateTime today = DateTime::Today();
    const ExchangeSettings settings = ImportSettings(ExchangeKind::kTasks, {"Task", "DueDate", "Priority"});
    ASSERT_EQ(6, Import(document, ExchangeKind::kTasks, settings,
                        "a,2002-03-04,1\nb,soon,3\nc,,7\nd,2002-03-04, 2x\ne,,High\n,2002-03-04,1\n"
                        "g,2040-03-04,2\n")  // a day the file cannot hold
                     .added);
    const struct {
        DateTime due;
        int32_t priority;
    } expected[] = {{DateTime::FromFields(2002, 3, 4, 0, 0, 0), 1}, {today, 3}, {today, 0},
                    {DateTime::FromFields(2002, 3, 4, 0, 0, 0), 2}, {today, 0}, {today, 2}};
    for (int32_t id = 1; id <= 6; ++id) {
        EXPECT_EQ(expected[id - 1].due, document.tasks[id].DueDate) << id;
        EXPECT_EQ(expected[id - 1].priority, document.tasks[id].Priority) << id;
    }
    // Without a DueDate column a task keeps the moment the import began.
    const DateTime before = DateTime::Now();
    Import(document, ExchangeKind::kTasks, ImportSettings(ExchangeKind::kTasks, {"Task"}), "f\n");
    EXPECT_TRUE(document.tasks[7].DueDate.IsOnOrAfter(before));
    EXPECT_TRUE(document.tasks[7].DueDate.IsOnOrBefore(DateTime::Now()));
}

struct AppointmentCase {
    std::string start, end, lead;
    int startMinute, endMinute, alarmMinute;  // minutes after 2002-03-04 00:00
};

TEST(ImportAppointments, PutsStartAndEndOnQuarterHoursAndRoundsTheLead) {
    const AppointmentCase cases[] = {
        {"10:08", "10:52", "17", 615, 660, 600}, {"10:05", "11:00", "18", 600, 660, 580},
        {"10:07", "10:51", "90", 600, 645, 600}, {"10:30", "10:20", "-3", 630, 630, 630},
        {"23:53", "23:55", "0", 1440, 1440, 1440}, {"00:00", "00:01", "60", 0, 0, -60},
    };
    const ExchangeSettings settings = ImportSettings(
        ExchangeKind::kAppointments, {"Appointment", "Date", "StartTime", "EndTime", "Alarmed", "AlarmTime"});
    const DateTime day = DateTime::FromFields(2002, 3, 4, 0, 0, 0);
    const auto at = [&day](int minutes) { return day + DateSpan::FromParts(0, 0, minutes, 0); };
    for (const AppointmentCase& c : cases) {
        PimDocument document;
        const std::string line = "x,2002-03-04," + c.start + "," + c.end + ",T," + c.lead;
        ASSERT_EQ(1, Import(document, ExchangeKind::kAppointments, settings, line).added) << line;
        const Appointment& a = document.appointments[1];
        EXPECT_NEAR(at(c.startMinute).Value(), a.StartTime.Value(), 1e-9) << line;
        EXPECT_NEAR(at(c.endMinute).Value(), a.EndTime.Value(), 1e-9) << line;
        EXPECT_NEAR(at(c.alarmMinute).Value(), a.AlarmTime.Value(), 1e-9) << line;
        EXPECT_TRUE(a.Alarm);
    }
    // Without an AlarmTime column the alarm comes at the start.
    PimDocument document;
    Import(document, ExchangeKind::kAppointments,
           ImportSettings(ExchangeKind::kAppointments, {"Appointment", "Date", "StartTime", "EndTime"}),
           "x,2002-03-04,09:00,09:30");
    EXPECT_NEAR(at(540).Value(), document.appointments[1].AlarmTime.Value(), 1e-9);
}

TEST(ImportAppointments, LeavesOutLinesThatCollideOrLackAField) {
    PimDocument document;
    Appointment reversed;  // ends before it starts: holds no time
    reversed.StartTime = DateTime::FromFields(2002, 3, 4, 14, 0, 0);
    reversed.EndTime = DateTime::FromFields(2002, 3, 4, 8, 0, 0);
    document.appointments.Insert(document.appointments.IssueID(), reversed);
    const ExchangeSettings settings = ImportSettings(
        ExchangeKind::kAppointments, {"Appointment", "Date", "StartTime", "EndTime"});
    const std::string text =
        "a,2002-03-04,09:00,10:00\n"   // 09:00-10:00
        "b,2002-03-04,10:00,10:30\n"   // starts at a's end: collides
        "c,2002-03-04,08:00,09:00\n"   // 08:00-09:00, ends at a's start: collides
        "g,2040-03-04,11:00,11:30\n"   // a day the file cannot hold
        "d,2002-03-04,10:15,10:40\n"   // 10:15-10:45, within the reversed one's hours
        "e,2002-03-04,,10:40\n"        // no start
        ",2002-03-04,11:00,11:10\n"    // no description
        "f,2002-03-04,07:00,07:10\n";  // 07:00-07:15
    EXPECT_EQ(3, Import(document, ExchangeKind::kAppointments, settings, text).added);
    EXPECT_EQ(0, Import(document, ExchangeKind::kAppointments, settings, text).added);
    std::string descriptions;
    for (const auto& entry : document.appointments) descriptions += entry.second.Description;
    EXPECT_EQ("adf", descriptions);
}

struct LineCase {
    std::string text;
    int32_t added, stoppedAtLine;
    bool header;
};

TEST(ImportTasks, ReadsAnyLineEndAndStopsAtAnOverLongRecord) {
    const std::string longest(2047 - 2, 'x');  // with its two enclosers, 2047
    const LineCase cases[] = {
        {"a\r\nb\rc\nd", 4, 0, false},
        {"names\na\n\n  \nb\n", 2, 0, true},
        {"", 0, 0, true},
        {"\"" + longest + "\"\nb\n", 2, 0, false},
        {"a\n\"" + longest + "x\"\nb\n", 1, 2, false},
        {std::string(2048, 'n') + "\na\n", 0, 1, true},
        // An enclosed field over four lines, then a stray encloser.
        {"a\n\"b\r\n\n\rc\",d\ne\n\"f\n" + std::string(3000, 'g') + "\nh\n", 3, 7, false},
        {"a\n\"b\nc\n", 2, 0, false},
        {"a\nb" + std::string(3000, ' ') + "\n", 1, 2, false},
    };
    for (const LineCase& c : cases) {
        PimDocument document;
        const ImportResult result =
            Import(document, ExchangeKind::kTasks, ImportSettings(ExchangeKind::kTasks, {"Task"}, c.header), c.text);
        EXPECT_EQ(c.added, result.added) << c.text.substr(0, 40);
        EXPECT_EQ(c.stoppedAtLine, result.stoppedAtLine) << c.text.substr(0, 40);
    }
    PimDocument document;
    Import(document, ExchangeKind::kTasks, ImportSettings(ExchangeKind::kTasks, {"Task"}), cases[6].text);
    EXPECT_EQ("b\r\n\n\rc", document.tasks[2].Description);
}

TEST(ImportPersons, TakesRecordsUpTo4095Characters) {
    for (size_t length : {size_t(4095), size_t(4096)}) {
        PimDocument document;
        const std::string line = "a," + std::string(length - 2, 'n');
        const ImportResult result = Import(document, ExchangeKind::kPersons,
                                           ImportSettings(ExchangeKind::kPersons, {"FirstName", "Notes"}), line);
        EXPECT_EQ(length == 4095 ? 1 : 0, result.added);
        EXPECT_EQ(length == 4095 ? 0 : 1, result.stoppedAtLine);
    }
}

TEST(ImportDelimitedText, MarksTheDocumentModifiedOnceWhenSomethingWasAdded) {
    for (const char* text : {"a\nb\nc\n", "\n,\n"}) {
        PimDocument document;
        CountingView view;
        document.AttachView(&view);
        const int32_t added =
            Import(document, ExchangeKind::kTasks, ImportSettings(ExchangeKind::kTasks, {"Task"}), text).added;
        EXPECT_EQ(added > 0 ? 1 : 0, view.refreshes);
        EXPECT_EQ(added > 0, document.IsModified());
        document.DetachView(&view);
    }
}

// Whatever bytes a file holds, what is imported saves and opens again as it
// was: a text ends at its first zero byte, as the document file keeps it.
TEST(ImportDelimitedText, AnyBytesSaveAndOpenAgainUnchanged) {
    for (const std::string& line : {std::string("a\0b,\"c\0d\"", 9), std::string("ab,\"c\\0d\"")}) {
        PimDocument document;
        Import(document, ExchangeKind::kPersons, ImportSettings(ExchangeKind::kPersons, {"FirstName", "Notes"}), line);
        EXPECT_EQ("c", document.persons[1].Notes);
    }
    std::mt19937 random(7);
    const char some[] = {'\0', '\0', ',', '"', '\\', '\r', '\n', '<', '&', '\x01', '\x1f', '\xff', 'a'};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 300); i > 0; --i)
            text += random() % 3 ? some[random() % sizeof some] : static_cast<char>(random());
        PimDocument document;
        Import(document, ExchangeKind::kPersons,
               ImportSettings(ExchangeKind::kPersons, {"FirstName", "Notes", "Company"}), text);
        Import(document, ExchangeKind::kTasks, ImportSettings(ExchangeKind::kTasks, {"Task"}), text);
        std::string saved;
        WriteDocument(document, saved);
        PimDocument loaded;
        ASSERT_TRUE(LoadDocument(loaded, saved.data(), saved.size()));
        ASSERT_EQ(document.persons.size(), loaded.persons.size());
        for (const auto& entry : document.persons) {
            EXPECT_EQ(entry.second.FName, loaded.persons[entry.first].FName);
            EXPECT_EQ(entry.second.Notes, loaded.persons[entry.first].Notes);
        }
        ASSERT_EQ(document.tasks.size(), loaded.tasks.size());
        for (const auto& entry : document.tasks)
            EXPECT_EQ(entry.second.Description, loaded.tasks[entry.first].Description);
    }
}

// What the program exports, it imports again as the same records.
TEST(ImportDelimitedText, ReadsBackWhatTheExportWrote) {
    const std::string texts[] = {"plain", "two\nlines", "crlf\r\nlines, \"quoted\"", "a,b;c|d\te",
                                 "'single' \"\"double\"\"", ""};
    PimDocument source, expected;
    int32_t id = 0;
    for (const std::string& text : texts) {
        Person p;
        p.ID = ++id;
        p.FName = "F" + text;
        p.LName = p.Notes = p.Pager = text;
        p.RName = p.MakeDisplayName();
        p.WhitePages = 1;
        source.persons.Insert(p.ID, p);
        Task t;
        t.ID = id;
        t.Description = "T" + text;
        t.Priority = id % 4;
        t.DueDate = DateTime::FromFields(2002, 3, id, 0, 0, 0);
        source.tasks.Insert(id, t);
        Appointment a;
        a.ID = id;
        a.Description = "A" + text;
        a.DueDate = DateTime::FromFields(2002, 3, id, 0, 0, 0);
        a.StartTime = DateTime::FromFields(2002, 3, id, 9, 15, 0);
        a.EndTime = DateTime::FromFields(2002, 3, id, 10, 30, 0);
        a.Alarm = id % 2 == 0;
        a.AlarmTime = a.StartTime - DateSpan::FromParts(0, 0, 15, 0);
        source.appointments.Insert(id, a);
        expected.appointments.Insert(id, a);
    }
    expected.persons = source.persons;
    expected.tasks = source.tasks;
    // (Not with Space or Tab: runs of them collapse, so empty fields shift
    // the columns after them.)
    const std::pair<const char*, const char*> formats[] = {{",", "\""}, {";", "'"}, {"|", "\""}};
    for (ExchangeKind kind : {ExchangeKind::kPersons, ExchangeKind::kTasks, ExchangeKind::kAppointments}) {
        for (const auto& format : formats) {
            ExchangeSettings out = ExportSettingsFor(kind);
            out.FieldMap = out.AvailableFields;
            out.FirstLineHasNames = true;
            out.Separator = format.first;
            out.Encloser = format.second;
            const std::string text = BuildExportText(source, kind, out, kLocale).text;
            PimDocument copy;
            const ImportResult result =
                Import(copy, kind, ImportSettings(kind, out.AvailableFields, true, format.first, format.second), text);
            EXPECT_EQ(id, result.added) << text;
            std::string wanted, back;
            WriteDocument(expected, wanted);
            WriteDocument(copy, back);
            const auto section = [kind](const std::string& file) {
                const char* names[] = {"<Persons", "<Tasks", "<Appointments"};
                const size_t from = file.find(names[static_cast<int>(kind)]);
                return file.substr(from, file.find("\n\t</", from) - from);
            };
            EXPECT_EQ(section(wanted), section(back)) << text;
        }
    }
}

}  // namespace
