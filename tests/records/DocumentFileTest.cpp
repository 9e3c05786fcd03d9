// The document file: exact bytes out, and what the loader makes of files
// written by us, by older versions and by hand. Times are in UTC here.
#include <gtest/gtest.h>

#include <ctime>
#include <iterator>
#include <string>
#include <vector>

#include "DocumentFile.h"
#include "PimDocument.h"

namespace {

std::string Write(const PimDocument& document) {
    std::string text;
    WriteDocument(document, text);
    return text;
}

bool Load(PimDocument& document, const std::string& text, int32_t* errorLine = nullptr) {
    return LoadDocument(document, text.data(), text.size(), errorLine);
}

// Expected texts are written out by hand, byte for byte.
const std::string kEmptyDocument =
    "<?xml version=\"1.0\"?>\n"
    "<Pim Version=\"1\">\n"
    "\t<Tasks LastID=\"0\">\n"
    "\t</Tasks>\n"
    "\t<Persons LastID=\"0\">\n"
    "\t</Persons>\n"
    "\t<Appointments LastID=\"0\">\n"
    "\t</Appointments>\n"
    "\t<User  FName=\"\" LName=\"\" Company=\"\" Position=\"\" Addr1=\"\" Addr2=\"\" City=\"\" "
    "State=\"\" Zip=\"\" />\n"
    "</Pim>\n";

// Every field kind, every escape, CR LF and TAB inside a value, a byte above
// 127, a negative priority, IDs with gaps, and appointment dates that do not
// convert (stored as -1).
const std::string kFullDocument =
    "<?xml version=\"1.0\"?>\n"
    "<Pim Version=\"1\">\n"
    "\t<Tasks LastID=\"7\">\n"
    "\t\t<Task ID=\"2\" Description=\"Call &quot;Bob&quot; &amp; Co\" Priority=\"-2\" "
    "DueDate=\"1015200000\" DoneDate=\"0\" />\n"
    "\t\t<Task ID=\"5\" Description=\"File &lt;taxes&gt;\" Priority=\"3\" "
    "DueDate=\"1015200000\" DoneDate=\"1015286400\" />\n"
    "\t</Tasks>\n"
    "\t<Persons LastID=\"3\">\n"
    "\t\t<Person ID=\"1\" FName=\"Ren\xE9\" LName=\"O&apos;Neil\" RName=\"O&apos;Neil, Ren\xE9\" "
    "Company=\"AT&amp;T\" Position=\"Engineer\" Addr1=\"1 Main St\" Addr2=\"Suite 2\" "
    "City=\"Springfield\" State=\"IL\" Zip=\"62701\" YellowPages=\"1\" WhitePages=\"0\" "
    "Notes=\"line one\r\nline two\twith tab\nlast\" HmPhone=\"555-0100\" WkPhone=\"555-0101\" "
    "WkExt=\"12\" Fax=\"555-0102\" CelPhone=\"555-0103\" Pager=\"555-0104\" "
    "EMail=\"ren@example.com\" WebPage=\"www.example.com\" />\n"
    "\t\t<Person ID=\"3\" FName=\"\" LName=\"\" RName=\"\" Company=\"\" Position=\"\" Addr1=\"\" "
    "Addr2=\"\" City=\"\" State=\"\" Zip=\"\" YellowPages=\"0\" WhitePages=\"1\" Notes=\"\" "
    "HmPhone=\"\" WkPhone=\"\" WkExt=\"\" Fax=\"\" CelPhone=\"\" Pager=\"\" EMail=\"\" "
    "WebPage=\"\" />\n"
    "\t</Persons>\n"
    "\t<Appointments LastID=\"9\">\n"
    "\t\t<Appointment ID=\"4\" Description=\"Dentist &gt; 1h\" DueDate=\"1015200000\" "
    "StartTime=\"1015236000\" EndTime=\"1015239600\" Alarm=\"1\" AlarmTime=\"1015235100\" "
    "Done=\"0\" />\n"
    "\t\t<Appointment ID=\"9\" Description=\"\" DueDate=\"-1\" StartTime=\"-1\" EndTime=\"-1\" "
    "Alarm=\"0\" AlarmTime=\"0\" Done=\"1\" />\n"
    "\t</Appointments>\n"
    "\t<User  FName=\"Ann\" LName=\"Lee &amp; Sons\" Company=\"&lt;none&gt;\" Position=\"Owner\" "
    "Addr1=\"2 Elm\" Addr2=\"\" City=\"Boston\" State=\"MA\" Zip=\"02101\" />\n"
    "</Pim>\n";

TEST(DocumentGolden, EmptyDocumentIsWrittenExactly) {
    PimDocument document;
    EXPECT_EQ(kEmptyDocument, Write(document));
}

TEST(DocumentGolden, FullDocumentLoadsAndWritesBackByteForByte) {
    PimDocument document;
    ASSERT_TRUE(Load(document, kFullDocument));
    EXPECT_EQ(kFullDocument, Write(document));
}

TEST(DocumentGolden, EmptyDocumentRoundTrips) {
    PimDocument document;
    ASSERT_TRUE(Load(document, kEmptyDocument));
    EXPECT_EQ(kEmptyDocument, Write(document));
}

TEST(DocumentLoad, FieldsComeBackDecoded) {
    PimDocument document;
    ASSERT_TRUE(Load(document, kFullDocument));
    ASSERT_EQ(2u, document.tasks.size());
    EXPECT_EQ(7, document.tasks.LastID());
    EXPECT_EQ("Call \"Bob\" & Co", document.tasks[2].Description);
    EXPECT_EQ(-2, document.tasks[2].Priority);
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 0, 0, 0), document.tasks[2].DueDate);
    EXPECT_EQ(DateTime::FromFields(2002, 3, 5, 0, 0, 0), document.tasks[5].DoneDate);

    const Person& ren = document.persons[1];
    EXPECT_EQ("Ren\xE9", ren.FName);
    EXPECT_EQ("O'Neil", ren.LName);
    EXPECT_EQ("AT&T", ren.Company);
    EXPECT_EQ("line one\r\nline two\twith tab\nlast", ren.Notes);
    EXPECT_EQ(1, ren.YellowPages);
    EXPECT_EQ(0, ren.WhitePages);
    EXPECT_EQ("www.example.com", ren.WebPage);

    const Appointment& dentist = document.appointments[4];
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 10, 0, 0), dentist.StartTime);
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 11, 0, 0), dentist.EndTime);
    EXPECT_TRUE(dentist.Alarm);
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 9, 45, 0), dentist.AlarmTime);
    const Appointment& undated = document.appointments[9];
    EXPECT_FALSE(undated.StartTime.IsValid());
    EXPECT_TRUE(undated.Done);

    EXPECT_EQ("Lee & Sons", document.user.LName);
    EXPECT_EQ("<none>", document.user.Company);
    EXPECT_EQ("02101", document.user.Zip);
}

TEST(DocumentLoad, RecordNameIsTakenAsStoredNotRecomputed) {
    PimDocument document;
    ASSERT_TRUE(Load(document,
                     "<Pim Version=\"1\"><Persons><Person ID=\"1\" FName=\"A\" LName=\"B\" "
                     "RName=\"Chosen\"/></Persons></Pim>"));
    EXPECT_EQ("Chosen", document.persons[1].RName);
}

// The Unix time of today's midnight in UTC, the zone these tests run in.
int64_t TodayMidnightUtc() {
    int64_t now = static_cast<int64_t>(std::time(nullptr));
    return now - now % 86400;
}

TEST(DocumentWrite, TaskDatesThatCannotBeStoredBecomeTodayAndOpenTasksHaveNoDoneDate) {
    PimDocument document;
    Task open;
    open.ID = 1;
    open.Priority = kPriorityLow;
    open.DueDate = DateTime();                                  // invalid
    open.DoneDate = DateTime::FromFields(2002, 3, 4, 0, 0, 0);  // ignored: not done
    Task done;
    done.ID = 2;
    done.Priority = kPriorityDone;
    done.DueDate = DateTime::FromFields(1969, 6, 1, 0, 0, 0);  // before 1970
    done.DoneDate = DateTime();
    document.tasks.Insert(1, open);
    document.tasks.Insert(2, done);

    const std::string text = Write(document);
    const std::string today = std::to_string(TodayMidnightUtc());
    EXPECT_NE(std::string::npos,
              text.find("<Task ID=\"1\" Description=\"\" Priority=\"2\" DueDate=\"" + today +
                        "\" DoneDate=\"0\" />"))
        << text;
    EXPECT_NE(std::string::npos,
              text.find("<Task ID=\"2\" Description=\"\" Priority=\"3\" DueDate=\"" + today +
                        "\" DoneDate=\"" + today + "\" />"))
        << text;
}

TEST(DocumentWrite, AppointmentWithoutAlarmStoresZeroAlarmTimeAndPassesInvalidDatesThrough) {
    PimDocument document;
    Appointment appointment;
    appointment.ID = 3;
    appointment.DueDate = DateTime::FromFields(2039, 1, 1, 0, 0, 0);  // beyond 2038
    appointment.StartTime = DateTime();
    appointment.EndTime = DateTime::FromFields(2002, 3, 4, 11, 0, 0);
    appointment.Alarm = false;
    appointment.AlarmTime = DateTime::FromFields(2002, 3, 4, 9, 45, 0);
    document.appointments.Insert(3, appointment);
    EXPECT_NE(std::string::npos,
              Write(document).find("<Appointment ID=\"3\" Description=\"\" DueDate=\"-1\" "
                                   "StartTime=\"-1\" EndTime=\"1015239600\" Alarm=\"0\" "
                                   "AlarmTime=\"0\" Done=\"0\" />"));
}

// Every byte a text can hold, in two orders, so each byte meets other
// neighbours (CR before LF and after it, '&' before '#').
std::string EveryByte(bool upward) {
    std::string text;
    for (int b = 1; b <= 255; ++b) text += static_cast<char>(upward ? b : 256 - b);
    return text;
}

TEST(DocumentWrite, EveryTextOpensAgainUpToItsFirstZeroByteAndSavesToTheSameBytes) {
    using namespace std::string_literals;
    const std::string all = EveryByte(true);
    const struct {
        std::string text;
        std::string opened;
    } cases[] = {
        {all, all},
        {EveryByte(false), EveryByte(false)},
        {"ab\0cd"s, "ab"},
        {"\0after"s, ""},
        {all + "\0"s + all, all},
        {"\r\n\t \r"s, "\r\n\t \r"},
    };
    PimDocument document;
    int32_t id = 0;
    for (const auto& c : cases) {
        ++id;
        Task task;
        task.ID = id;
        task.Description = c.text;
        document.tasks.Insert(id, task);
        Person person;
        person.ID = id;
        person.FName = c.text;
        person.Notes = c.text;
        person.WebPage = c.text;
        document.persons.Insert(id, person);
        Appointment appointment;
        appointment.ID = id;
        appointment.Description = c.text;
        document.appointments.Insert(id, appointment);
    }
    document.user.Zip = all + "\0tail"s;

    const std::string text = Write(document);
    EXPECT_EQ(std::string::npos, text.find('\0'));
    PimDocument opened;
    ASSERT_TRUE(Load(opened, text));
    ASSERT_EQ(std::size(cases), opened.tasks.size());
    ASSERT_EQ(std::size(cases), opened.persons.size());
    ASSERT_EQ(std::size(cases), opened.appointments.size());
    id = 0;
    for (const auto& c : cases) {
        ++id;
        SCOPED_TRACE(id);
        EXPECT_EQ(c.opened, opened.tasks[id].Description);
        EXPECT_EQ(c.opened, opened.persons[id].FName);
        EXPECT_EQ(c.opened, opened.persons[id].Notes);
        EXPECT_EQ(c.opened, opened.persons[id].WebPage);
        EXPECT_EQ("", opened.persons[id].LName);
        EXPECT_EQ(c.opened, opened.appointments[id].Description);
    }
    EXPECT_EQ(all, opened.user.Zip);
    EXPECT_EQ(text, Write(opened));

    // Bytes the parser takes as they are go out unchanged, none as a
    // character reference; the text stops at the zero byte.
    PimDocument raw;
    raw.user.City = "x\x01\x1f\t\r\n\x7f\x80\xff&\0tail"s;
    EXPECT_NE(std::string::npos, Write(raw).find(" City=\"x\x01\x1f\t\r\n\x7f\x80\xff&amp;\" "));
}

TEST(DocumentWrite, LastIdBelowTheLargestIdIsStoredRaisedSoTheFileSavesBackUnchanged) {
    const struct {
        int32_t lastId;
        std::vector<int32_t> ids;
        int32_t stored;
    } cases[] = {
        {7, {2, 5}, 7},
        {5, {5}, 5},
        {1, {1, 5}, 5},
        {-3, {}, 0},
        {-5, {-10}, -5},
        {INT32_MIN, {INT32_MIN, INT32_MAX}, INT32_MAX},  // issued past the largest int32
    };
    for (const auto& c : cases) {
        PimDocument document;
        for (int32_t id : c.ids) {
            Person person;
            person.ID = id;
            document.persons.Insert(id, person);
        }
        document.persons.SetLastID(c.lastId);
        const std::string text = Write(document);
        const std::string expected = "<Persons LastID=\"" + std::to_string(c.stored) + "\">";
        EXPECT_NE(std::string::npos, text.find(expected)) << c.lastId;
        PimDocument opened;
        ASSERT_TRUE(Load(opened, text));
        EXPECT_EQ(c.stored, opened.persons.LastID());
        EXPECT_EQ(text, Write(opened)) << c.lastId;
    }
}

TEST(DocumentLoad, ParseErrorGivesItsLineAndLoadsNothing) {
    PimDocument document;
    int32_t line = 0;
    EXPECT_FALSE(Load(document,
                      "<?xml version=\"1.0\"?>\n<Pim Version=\"1\">\n\t<Persons LastID=\"1\">\n"
                      "\t\t<Person ID=\"1\" FName=\"A\" />\n\t\t<Person ID=\"2\" FName=\"B\" "
                      "LName=\"a < b\" />\n\t</Persons>\n</Pim>\n",
                      &line));
    EXPECT_EQ(5, line);
    EXPECT_TRUE(document.persons.empty());
    EXPECT_EQ(0, document.persons.LastID());
}

// A document that already holds records keeps them: loaded records join
// them, the first of an ID staying, and a syntax error adds nothing.
TEST(DocumentLoad, IntoADocumentThatHoldsRecordsAddsToThem) {
    PimDocument document;
    Person kept;
    kept.ID = 1;
    kept.FName = "kept";
    document.persons.Insert(1, kept);
    document.user.City = "here";
    int32_t line = 0;
    EXPECT_FALSE(Load(document, "<Pim Version=\"1\"><Persons><Person ID=\"2\"/>\n<</Persons></Pim>", &line));
    EXPECT_EQ(2, line);
    EXPECT_EQ(1u, document.persons.size());
    ASSERT_TRUE(Load(document,
                     "<Pim Version=\"1\"><Persons LastID=\"3\"><Person ID=\"1\" FName=\"file\"/>"
                     "<Person ID=\"3\" FName=\"new\"/></Persons><User FName=\"me\"/></Pim>"));
    ASSERT_EQ(2u, document.persons.size());
    EXPECT_EQ("kept", document.persons[1].FName);
    EXPECT_EQ("new", document.persons[3].FName);
    EXPECT_EQ(3, document.persons.LastID());
    EXPECT_EQ("here", document.user.City);
    EXPECT_EQ("me", document.user.FName);
}

TEST(DocumentLoad, ForeignRootsAndVersionsLoadNothingWithoutError) {
    const char* texts[] = {
        "<Pim Version=\"2\"><Persons LastID=\"4\"><Person ID=\"1\"/></Persons></Pim>",
        "<Pim><Persons LastID=\"4\"><Person ID=\"1\"/></Persons></Pim>",
        "<Pim Version=\"one\"><Persons LastID=\"4\"><Person ID=\"1\"/></Persons></Pim>",
        "<pim Version=\"1\"><Persons LastID=\"4\"><Person ID=\"1\"/></Persons></pim>",
    };
    for (const char* text : texts) {
        PimDocument document;
        EXPECT_TRUE(Load(document, text)) << text;
        EXPECT_TRUE(document.persons.empty()) << text;
        EXPECT_EQ(0, document.persons.LastID()) << text;
    }
    // The version is read as a number: white space, a sign and trailing bytes are allowed.
    PimDocument document;
    ASSERT_TRUE(Load(document, "<Pim Version=\" +1.0\"><Persons><Person ID=\"1\"/></Persons></Pim>"));
    EXPECT_EQ(1u, document.persons.size());
}

TEST(DocumentLoad, TextEndsAtTheFirstZeroByte) {
    std::string text = kEmptyDocument;
    text += std::string(1, '\0') + "garbage <<<";
    PimDocument document;
    EXPECT_TRUE(Load(document, text));

    // Cut inside the document: what is left does not parse. The cut lies on
    // line 13, the notes above holding two line feeds of their own.
    std::string cut = kFullDocument;
    cut[cut.find("<Appointments")] = '\0';
    int32_t line = 0;
    EXPECT_FALSE(Load(document, cut, &line));
    EXPECT_EQ(13, line);
}

TEST(DocumentLoad, ZeroCharacterReferenceEndsTheFieldText) {
    PimDocument document;
    ASSERT_TRUE(Load(document,
                     "<Pim Version=\"1\"><Persons><Person ID=\"1\" FName=\"ab&#0;cd\" "
                     "LName=\"x&#256;y\" WhitePages=\"1&#x0;x\"/></Persons></Pim>"));
    EXPECT_EQ("ab", document.persons[1].FName);
    EXPECT_EQ("x", document.persons[1].LName);
    EXPECT_EQ(1, document.persons[1].WhitePages);  // the flag reads as "1"
}

TEST(DocumentLoad, DuplicateIdsKeepTheFirstAndEveryRecordStartsFromDefaults) {
    PimDocument document;
    ASSERT_TRUE(Load(document,
                     "<Pim Version=\"1\"><Tasks LastID=\"9\">"
                     "<Task ID=\"4\" Description=\"first\" Priority=\"2\" DoneDate=\"1015200000\"/>"
                     "<Task ID=\"4\" Description=\"second\"/>"
                     "<Task ID=\"6\"/>"
                     "<Task ID=\"4\" Description=\"renumbered\" ID=\"8\"/>"
                     "<Task ID=\"9\" Description=\"moved onto 4\" ID=\"4\"/>"
                     "</Tasks></Pim>"));
    // A repeated ID attribute counts as the last one read.
    ASSERT_EQ(3u, document.tasks.size());
    EXPECT_EQ("renumbered", document.tasks[8].Description);
    EXPECT_EQ(nullptr, document.tasks.Find(9));
    EXPECT_EQ("first", document.tasks[4].Description);
    const Task& bare = document.tasks[6];
    EXPECT_EQ("", bare.Description);
    EXPECT_EQ(kPriorityHigh, bare.Priority);
    EXPECT_FALSE(bare.DoneDate.IsValid());
    EXPECT_TRUE(bare.DueDate.IsValid());  // the loading moment, as a new task would have
}

TEST(DocumentLoad, CommentsBareElementsAndUnknownNamesArePassedOver) {
    PimDocument document;
    ASSERT_TRUE(Load(document,
                     "<!-- before --><Pim Version=\"1\" Extra=\"x\">\n"
                     "<!-- a comment among sections -->\n"
                     "<Calendar LastID=\"5\"><Person ID=\"7\"/></Calendar>\n"
                     "<Persons LastID=\"2\" Owner=\"me\">\n"
                     "  <!-- a comment among records -->\n"
                     "  <Person/>\n"
                     "  <Contact ID=\"2\" fname=\"lower\" FName=\"Upper\" Shoe=\"9\"><Kid/></Contact>\n"
                     "</Persons></Pim><!-- after -->trailing bytes < &"));
    ASSERT_EQ(1u, document.persons.size());
    // Any element inside a collection is a record; names compare with case.
    EXPECT_EQ("Upper", document.persons[2].FName);
    EXPECT_EQ(2, document.persons.LastID());
}

TEST(DocumentLoad, SectionReadTwiceAddsRecordsAndTakesTheLaterLastId) {
    PimDocument document;
    ASSERT_TRUE(Load(document,
                     "<Pim Version=\"1\">"
                     "<Persons LastID=\"10\"><Person ID=\"1\" FName=\"a\"/></Persons>"
                     "<Persons LastID=\"12\"><Person ID=\"1\" FName=\"b\"/><Person ID=\"11\"/></Persons>"
                     "<User FName=\"x\" City=\"c\"/><User FName=\"y\"/>"
                     "</Pim>"));
    EXPECT_EQ(2u, document.persons.size());
    EXPECT_EQ("a", document.persons[1].FName);
    EXPECT_EQ(12, document.persons.LastID());
    EXPECT_EQ("y", document.user.FName);
    EXPECT_EQ("c", document.user.City);
}

TEST(DocumentLoad, LastIdBelowTheLargestIdIsRaisedSoNewRecordsAreKept) {
    PimDocument document;
    ASSERT_TRUE(Load(document,
                     "<Pim Version=\"1\"><Persons LastID=\"1\"><Person ID=\"1\"/><Person ID=\"5\"/>"
                     "</Persons><Tasks><Task ID=\"3\"/></Tasks></Pim>"));
    EXPECT_EQ(5, document.persons.LastID());
    EXPECT_EQ(3, document.tasks.LastID());
    Person added;
    added.ID = document.persons.IssueID();
    EXPECT_TRUE(document.persons.Insert(added.ID, added));
    EXPECT_EQ(3u, document.persons.size());
}

TEST(DocumentLoad, NumbersAndFlagsReadLikeTheCLibraryWithExactFlags) {
    PimDocument document;
    ASSERT_TRUE(Load(document,
                     "<Pim Version=\"1\">"
                     "<Tasks LastID=\" 7 days\">"
                     "<Task ID=\"+1\" Priority=\"12abc\"/>"
                     "<Task ID=\"2\" Priority=\"abc\"/>"
                     "<Task ID=\"99999999999999999999\" Priority=\"-99999999999\"/>"
                     "</Tasks>"
                     "<Persons><Person ID=\"1\" WhitePages=\"01\" YellowPages=\"1\"/>"
                     "<Person ID=\"2\" WhitePages=\" 1\" YellowPages=\"yes\"/></Persons>"
                     "<Appointments><Appointment ID=\"1\" Alarm=\"2\" Done=\"1\" "
                     "StartTime=\"2147483648\" EndTime=\"x\" DueDate=\"2147483647\"/>"
                     // 2^64 once wrapped round to 0, which is a date.
                     "<Appointment ID=\"2\" DueDate=\"18446744073709551616\" "
                     "StartTime=\"0000001015236000\" EndTime=\"101523600x\"/></Appointments>"
                     "</Pim>"));
    EXPECT_EQ(12, document.tasks[1].Priority);
    EXPECT_EQ(0, document.tasks[2].Priority);
    ASSERT_NE(nullptr, document.tasks.Find(INT32_MAX));
    EXPECT_EQ(INT32_MIN, document.tasks[INT32_MAX].Priority);
    EXPECT_EQ(INT32_MAX, document.tasks.LastID());
    EXPECT_EQ(0, document.persons[1].WhitePages);
    EXPECT_EQ(1, document.persons[1].YellowPages);
    EXPECT_EQ(0, document.persons[2].WhitePages);
    EXPECT_EQ(0, document.persons[2].YellowPages);
    const Appointment& appointment = document.appointments[1];
    EXPECT_FALSE(appointment.Alarm);
    EXPECT_TRUE(appointment.Done);
    EXPECT_FALSE(appointment.StartTime.IsValid());  // beyond the 32-bit range
    EXPECT_EQ(DateTime::FromFields(1970, 1, 1, 0, 0, 0), appointment.EndTime);
    EXPECT_EQ(DateTime::FromFields(2038, 1, 19, 3, 14, 7), appointment.DueDate);
    const Appointment& digits = document.appointments[2];
    EXPECT_FALSE(digits.DueDate.IsValid());
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 10, 0, 0), digits.StartTime);
    EXPECT_EQ(DateTime::FromFields(1973, 3, 21, 1, 0, 0), digits.EndTime);
}

TEST(DocumentLoad, OlderLayoutKeepsPersonAndTaskFieldsInChildElements) {
    PimDocument document;
    ASSERT_TRUE(Load(document,
                     "<Pim Version=\"13\">\n"
                     "<Persons LastID=\"4\">\n"
                     " <Person ID=\"4\" FName=\"ignored\">\n"
                     "  <FName>Ann</FName><LName>Lee &amp; Co</LName><RName>Lee, Ann</RName>\n"
                     "  <Notes>two\r\nlines</Notes><WhitePages>1</WhitePages><Shoe>9</Shoe>\n"
                     "  <!-- note -->\n"
                     " </Person>\n"
                     "</Persons>\n"
                     "<Tasks LastID=\"2\"><Task ID=\"2\"><Description>Pay</Description>"
                     "<Priority>1</Priority><DueDate>1015200000</DueDate></Task></Tasks>\n"
                     "<Appointments LastID=\"1\"><Appointment ID=\"1\" Description=\"Lunch\" "
                     "StartTime=\"1015236000\"/></Appointments>\n"
                     "<User FName=\"Owner\"/>\n"
                     "</Pim>"));
    const Person& ann = document.persons[4];
    EXPECT_EQ("Ann", ann.FName);
    EXPECT_EQ("Lee & Co", ann.LName);
    EXPECT_EQ("Lee, Ann", ann.RName);
    EXPECT_EQ("two\r\nlines", ann.Notes);
    EXPECT_EQ(1, ann.WhitePages);
    EXPECT_EQ("Pay", document.tasks[2].Description);
    EXPECT_EQ(kPriorityMedium, document.tasks[2].Priority);
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 0, 0, 0), document.tasks[2].DueDate);
    EXPECT_EQ("Lunch", document.appointments[1].Description);
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 10, 0, 0), document.appointments[1].StartTime);
    EXPECT_EQ("Owner", document.user.FName);
}

}  // namespace

namespace {

// Dates are stored as moments and shown in local time: in a zone with
// daylight saving a summer and a winter midnight lie 4 and 5 hours after UTC
// midnight, and each comes back to the same moment. The first of the two
// 01:30s of 2021-11-07 comes back as the second: local time cannot tell
// them apart.
TEST(DocumentFileNewYork, DatesKeepTheirMomentsAcrossDaylightSaving) {
    const std::string text =
        "<Pim Version=\"1\"><Appointments LastID=\"2\">"
        "<Appointment ID=\"1\" DueDate=\"1625112000\" StartTime=\"1610686800\" "
        "EndTime=\"1636263000\" Alarm=\"1\" AlarmTime=\"1636266600\"/>"
        "</Appointments></Pim>";
    PimDocument document;
    ASSERT_TRUE(Load(document, text));
    const Appointment& appointment = document.appointments[1];
    EXPECT_EQ(DateTime::FromFields(2021, 7, 1, 0, 0, 0), appointment.DueDate);
    EXPECT_EQ(DateTime::FromFields(2021, 1, 15, 0, 0, 0), appointment.StartTime);
    EXPECT_EQ(DateTime::FromFields(2021, 11, 7, 1, 30, 0), appointment.EndTime);
    EXPECT_EQ(appointment.EndTime, appointment.AlarmTime);
    EXPECT_NE(std::string::npos,
              Write(document).find("DueDate=\"1625112000\" StartTime=\"1610686800\" "
                                   "EndTime=\"1636266600\" Alarm=\"1\" AlarmTime=\"1636266600\""));
}

}  // namespace
