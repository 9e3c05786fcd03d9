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
    // A name of white space still names the line; texts in enclosers keep
    // their spaces, the others are trimmed.
    PimDocument document;
    Import(document, ExchangeKind::kPersons, settings, cases[7].line);
    EXPECT_EQ("  ", document.persons[1].FName);
    EXPECT_EQ("Lee", document.persons[1].LName);
    EXPECT_EQ("  x  ", document.persons[1].Addr1);
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

TEST(ImportAppointments, LeavesOutLinesThatCollideOrLackAFieldAndSaysWhy) {
    PimDocument document;
    Appointment reversed;  // ends before it starts: holds no time
    reversed.StartTime = DateTime::FromFields(2002, 3, 4, 14, 0, 0);
    reversed.EndTime = DateTime::FromFields(2002, 3, 4, 8, 0, 0);
    document.appointments.Insert(document.appointments.IssueID(), reversed);
    const ExchangeSettings settings = ImportSettings(
        ExchangeKind::kAppointments, {"Appointment", "Date", "StartTime", "EndTime"});
    const std::string text =
        "a,2002-03-04,09:00,10:00\n"   // 09:00-10:00
        "b,2002-03-04,10:00,10:30\n"   // starts at a's end: both kept
        "c,2002-03-04,08:00,09:00\n"   // ends at a's start: both kept
        "g,2040-03-04,11:00,11:30\n"   // a day the file cannot hold
        "d,2002-03-04,10:15,10:40\n"   // 10:15-10:45, within b (and the reversed one's hours)
        "e,2002-03-04,,10:40\n"        // no start
        ",2002-03-04,11:00,11:10\n"    // no description
        "f,2002-03-04,07:00,07:10\n"   // 07:00-07:15
        "z,2002-03-04,12:00,12:00\n"   // no time: the moment 12:00
        "y,2002-03-04,11:45,12:15\n";  // holds z's moment
    const ImportResult first = Import(document, ExchangeKind::kAppointments, settings, text);
    EXPECT_EQ(5, first.added);
    std::string notes;
    for (const ImportNote& note : first.notes) notes += std::to_string(note.line) + " " + note.text + "\n";
    EXPECT_EQ("4 a date or time that could not be read\n"
              "5 collides with the appointment of 2002-03-04 10:00-10:30\n"
              "6 a date or time that could not be read\n"
              "7 no description\n"
              "10 collides with the appointment of 2002-03-04 12:00-12:00\n",
              notes);
    EXPECT_EQ(5, first.notedLines);
    // A second import adds nothing, the appointment without time included.
    EXPECT_EQ(0, Import(document, ExchangeKind::kAppointments, settings, text).added);
    std::string descriptions;
    for (const auto& entry : document.appointments) descriptions += entry.second.Description;
    EXPECT_EQ("abcfz", descriptions);
}

// The start and end take the line's own day, and the alarm its own start,
// whatever the order of the columns.
TEST(ImportAppointments, ReadsTheColumnsInAnyOrder) {
    PimDocument document;
    const ExchangeSettings settings = ImportSettings(
        ExchangeKind::kAppointments, {"AlarmTime", "EndTime", "StartTime", "Alarmed", "Appointment", "Date"});
    ASSERT_EQ(4, Import(document, ExchangeKind::kAppointments, settings,
                        "15,10:00,09:00,Yes,a,2002-03-04\n20,11:00,10:00,1,b,2002-03-05\n"
                        "0,13:00,12:00,t,c,2002-03-05\n0,15:00,14:00,no,d,2002-03-05\n")
                     .added);
    const Appointment& b = document.appointments[2];
    EXPECT_EQ(DateTime::FromFields(2002, 3, 5, 10, 0, 0), b.StartTime);
    EXPECT_EQ(DateTime::FromFields(2002, 3, 5, 11, 0, 0), b.EndTime);
    EXPECT_NEAR(DateTime::FromFields(2002, 3, 5, 9, 40, 0).Value(), b.AlarmTime.Value(), 1e-9);
    EXPECT_TRUE(document.appointments[1].Alarm && b.Alarm && document.appointments[3].Alarm);
    EXPECT_FALSE(document.appointments[4].Alarm);
}

struct LineCase {
    std::string text;
    int32_t added;
    std::string notes;  // "line: note" of each line noted
    bool header;
};

TEST(ImportTasks, ReadsAnyLineEndLinesOfAnyLengthAndGoesOnAfterAStrayEncloser) {
    const std::string longer(70000, 'x');
    const LineCase cases[] = {
        {"a\r\nb\rc\nd", 4, "", false},
        {"names\na\n\n  \nb\n", 2, "", true},
        {"", 0, "", true},
        {"a\n\"" + longer + "\"\nb\n", 3, "", false},
        {std::string(5000, 'n') + "\na\n", 1, "", true},
        // An enclosed field over four lines, then a stray encloser.
        {"a\n\"b\r\n\n\rc\",d\ne\n\"f\n" + std::string(3000, 'g') + "\nh\n", 6, "7: an encloser that is never closed|", false},
        {"a\n\"b\nc\n", 3, "2: an encloser that is never closed|", false},
        {"a\nb" + std::string(3000, ' ') + "\n", 2, "", false},
        // A close too far away to be the stray's: every line is a task.
        {"\"x\n" + [] { std::string lines; for (int i = 0; i < 9000; ++i) lines += "abcdefgh\n"; return lines; }() + "z\"\n",
         9002, "1: an encloser that is never closed|", false},
        {"a\n,1\nc\n", 2, "2: no task|", false},
    };
    for (const LineCase& c : cases) {
        PimDocument document;
        const ImportResult result =
            Import(document, ExchangeKind::kTasks, ImportSettings(ExchangeKind::kTasks, {"Task"}, c.header), c.text);
        EXPECT_EQ(c.added, result.added) << c.text.substr(0, 40);
        std::string notes;
        for (const ImportNote& note : result.notes) notes += std::to_string(note.line) + ": " + note.text + "|";
        EXPECT_EQ(c.notes, notes) << c.text.substr(0, 40);
    }
    PimDocument document;
    Import(document, ExchangeKind::kTasks, ImportSettings(ExchangeKind::kTasks, {"Task"}), cases[5].text);
    EXPECT_EQ("b\r\n\n\rc", document.tasks[2].Description);
    EXPECT_EQ("f", document.tasks[4].Description);
}

TEST(ImportPersons, TakesRecordsOfAnyLength) {
    for (size_t length : {size_t(4095), size_t(4096), size_t(100000)}) {
        PimDocument document;
        const std::string line = "a," + std::string(length - 2, 'n') + "\nb\n";
        const ImportResult result = Import(document, ExchangeKind::kPersons,
                                           ImportSettings(ExchangeKind::kPersons, {"FirstName", "Notes"}), line);
        EXPECT_EQ(2, result.added);
        EXPECT_EQ(length - 2, document.persons[1].Notes.size());
    }
}

// A file from a spreadsheet in UTF-8 or UTF-16 is read in the code page: its
// mark does not stick to the first value, and each record that lost
// characters the code page lacks is noted with how many.
TEST(ImportPersons, ReadsUnicodeFilesInTheCodePageAndNotesWhatItLacks) {
    const std::u16string wide = u"Lee,\u0100 and \u20AC\r\nM\u00FCller,\"x\r\ny\u0100\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char16_t c : wide) utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    const std::string utf8 = "\xEF\xBB\xBFLee,\xC4\x80 and \xE2\x82\xAC\nM\xC3\xBCller,\"x\r\ny\xC4\x80\"\n";
    for (const std::string& file : {utf8, utf16}) {
        PimDocument document;
        const ImportResult result =
            Import(document, ExchangeKind::kPersons, ImportSettings(ExchangeKind::kPersons, {"LastName", "Notes"}), file);
        ASSERT_EQ(2, result.added);
        EXPECT_EQ("Lee", document.persons[1].LName);
        EXPECT_EQ("? and ?", document.persons[1].Notes);
        EXPECT_EQ("M\xFCller", document.persons[2].LName);
        EXPECT_EQ("x\r\ny?", document.persons[2].Notes);
        ASSERT_EQ(2u, result.notes.size());
        EXPECT_EQ("2 characters not in the code page", result.notes[0].text);
        EXPECT_EQ(2, result.notes[1].line);
        EXPECT_EQ("1 character not in the code page", result.notes[1].text);
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

// One below the largest ID, one record more is added; the import then stops
// at the next record past blank lines, and says where. No ID goes negative.
TEST(ImportDelimitedText, StopsWhereTheDocumentRunsOutOfIDsAndSaysWhere) {
    for (ExchangeKind kind : {ExchangeKind::kPersons, ExchangeKind::kTasks}) {
        PimDocument document;
        for (int32_t last : {INT32_MAX - 1, INT32_MAX}) {
            document.persons.SetLastID(last);
            document.tasks.SetLastID(last);
            const ImportResult result =
                Import(document, kind, ImportSettings(kind, {"Task", "FirstName"}, true), "h\nA,B\n\nC,D\n");
            EXPECT_EQ(last == INT32_MAX ? 0 : 1, result.added);
            EXPECT_EQ(last == INT32_MAX ? 2 : 4, result.stoppedAtLine);
        }
        EXPECT_EQ(1u, document.persons.size() + document.tasks.size());
        EXPECT_TRUE(document.persons.Find(INT32_MAX) || document.tasks.Find(INT32_MAX));
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

// Texts of any bytes 1-255, leaning on those a writer and a reader must
// agree on: line breaks, enclosers, separators, backslashes (one last, too),
// blanks at either end, the reader's markers.
std::string SomeText(std::mt19937& random, bool nonEmpty) {
    static const char* const kSpecial[] = {"\r", "\n", "\r\n", "\"", "'", ",", ";", "|", " ", "\t", "\\",
                                           "\\n", "\\101", "\xA0", "EOF", "EMPTY FIELD", "\"\"", "\x81"};
    std::string text;
    for (int i = static_cast<int>(random() % 12); i > 0; --i) {
        if (random() % 2)
            text += kSpecial[random() % (sizeof kSpecial / sizeof *kSpecial)];
        else
            text += static_cast<char>(1 + random() % 255);
    }
    if (random() % 5 == 0) text += '\\';
    return nonEmpty && text.empty() ? "x" : text;
}

DateTime Day(std::mt19937& random) { return DateTime::FromFields(2001 + int(random() % 20), 1 + int(random() % 12), 1 + int(random() % 28), 0, 0, 0); }

// Every kind, separator, encloser and header choice: exporting every field
// and importing the file into an empty document with the same settings and
// the columns in their own order gives the same records.
TEST(ExchangeRoundTrip, ExportThenImportGivesTheSameRecords) {
    std::mt19937 random(1907);
    PimDocument source;
    for (int32_t id = 1; id <= 40; ++id) {
        Person p;
        p.ID = id;
        for (Text Person::*text : {&Person::FName, &Person::LName, &Person::Company, &Person::Position, &Person::Addr1,
                                   &Person::Addr2, &Person::City, &Person::State, &Person::Zip, &Person::HmPhone,
                                   &Person::WkPhone, &Person::WkExt, &Person::Fax, &Person::Pager, &Person::CelPhone,
                                   &Person::EMail, &Person::WebPage, &Person::Notes})
            p.*text = SomeText(random, text == &Person::FName);
        p.RName = p.MakeDisplayName();
        p.WhitePages = id % 3 != 0;
        p.YellowPages = id % 3 != 1;
        source.persons.Insert(id, p);
        Task t;
        t.ID = id;
        t.Description = SomeText(random, true);
        t.Priority = id % 4;
        t.DueDate = Day(random);
        if (t.Priority == kPriorityDone) t.DoneDate = Day(random);
        source.tasks.Insert(id, t);
    }
    // Appointments one after the other: some back to back, some without
    // time, none overlapping.
    int day = 4, minute = 0;
    const auto at = [&day](int minutes) { return DateTime::FromFields(2002, 3, day, minutes / 60, minutes % 60, 0); };
    for (int32_t id = 1; id <= 40; ++id) {
        if (minute > 20 * 60) {
            ++day;
            minute = 0;
        }
        minute += 15 * int(random() % 3);
        Appointment a;
        a.ID = id;
        a.Description = SomeText(random, true);
        a.DueDate = at(0);
        a.StartTime = at(minute);
        minute += 15 * int(random() % 4);
        a.EndTime = at(minute);
        minute += a.StartTime == a.EndTime ? 15 : 0;
        a.Alarm = random() % 2;
        a.AlarmTime = a.StartTime - DateSpan::FromParts(0, 0, 5 * double(random() % 13), 0);
        source.appointments.Insert(id, a);
    }
    for (ExchangeKind kind : {ExchangeKind::kPersons, ExchangeKind::kTasks, ExchangeKind::kAppointments}) {
        for (const char* separator : {",", ";", "|", " ", "\t"}) {
            for (const char* encloser : {"\"", "'"}) {
                for (bool header : {true, false}) {
                    ExchangeSettings out = ExportSettingsFor(kind);
                    out.FieldMap = out.AvailableFields;
                    out.FirstLineHasNames = header;
                    out.Separator = separator;
                    out.Encloser = encloser;
                    const std::string text = BuildExportText(source, kind, out, kLocale).text;
                    PimDocument copy;
                    const ImportResult result =
                        Import(copy, kind, ImportSettings(kind, out.AvailableFields, header, separator, encloser), text);
                    const std::string where = std::string("separator ") + separator + " encloser " + encloser;
                    ASSERT_EQ(40, result.added) << where;
                    EXPECT_TRUE(result.notes.empty()) << where << ": line " << result.notes[0].line << " " << result.notes[0].text;
                    for (int32_t id = 1; id <= 40; ++id) {
                        if (kind == ExchangeKind::kPersons) {
                            const Person &s = source.persons[id], &c = copy.persons[id];
                            for (Text Person::*t : {&Person::FName, &Person::LName, &Person::RName, &Person::Company,
                                                    &Person::Position, &Person::Addr1, &Person::Addr2, &Person::City,
                                                    &Person::State, &Person::Zip, &Person::HmPhone, &Person::WkPhone,
                                                    &Person::WkExt, &Person::Fax, &Person::Pager, &Person::CelPhone,
                                                    &Person::EMail, &Person::WebPage, &Person::Notes})
                                ASSERT_EQ(s.*t, c.*t) << where << " person " << id;
                            ASSERT_EQ(s.WhitePages, c.WhitePages) << where;
                            ASSERT_EQ(s.YellowPages, c.YellowPages) << where;
                        } else if (kind == ExchangeKind::kTasks) {
                            const Task &s = source.tasks[id], &c = copy.tasks[id];
                            ASSERT_EQ(s.Description, c.Description) << where << " task " << id;
                            ASSERT_EQ(s.DueDate, c.DueDate) << where;
                            ASSERT_EQ(s.Priority, c.Priority) << where;
                            if (s.Priority == kPriorityDone) {
                                ASSERT_EQ(s.DoneDate, c.DoneDate) << where;
                            }
                        } else {
                            const Appointment &s = source.appointments[id], &c = copy.appointments[id];
                            ASSERT_EQ(s.Description, c.Description) << where << " appointment " << id;
                            ASSERT_EQ(s.DueDate, c.DueDate) << where;
                            ASSERT_EQ(s.StartTime, c.StartTime) << where;
                            ASSERT_EQ(s.EndTime, c.EndTime) << where;
                            ASSERT_EQ(s.Alarm, c.Alarm) << where;
                            if (s.Alarm) {
                                ASSERT_NEAR(s.AlarmTime.Value(), c.AlarmTime.Value(), 1e-9) << where;
                            }
                        }
                    }
                }
            }
        }
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
