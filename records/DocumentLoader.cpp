// Reads a document file's text into the document. Only a syntax error fails;
// anything that parses but is not ours is passed over.
#include <cctype>
#include <cstring>
#include <string_view>

#include "DocumentFile.h"
#include "PimDocument.h"
#include "SimpleXMLParser.h"

namespace {

// A number as the C library's atoi reads it: leading white space and a sign,
// digits up to the first other byte, 0 when there are none. Out-of-range
// values stop at the int64 limits instead of overflowing.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
// Eight bytes read as one word, the first in the low byte: whether all are
// digits, and their value. Dates are ten digits, so this takes most of each.
bool AllDigits(uint64_t chunk) {
    return !(((chunk + 0x4646464646464646u) | (chunk - 0x3030303030303030u)) & 0x8080808080808080u);
}

uint32_t EightDigits(uint64_t chunk) {
    chunk -= 0x3030303030303030u;
    chunk = chunk * 10 + (chunk >> 8);  // pairs of digits in the even bytes
    constexpr uint64_t kLow = 0x000000FF000000FFu;
    chunk = ((chunk & kLow) * (100 + (1000000ull << 32)) + ((chunk >> 16) & kLow) * (1 + (10000ull << 32))) >> 32;
    return static_cast<uint32_t>(chunk);
}
#define VANTREL_EIGHT_DIGITS 1
#endif

int64_t ReadDecimal(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const auto digit = [](char c) { return static_cast<unsigned>(c - '0'); };
    // Files write plain digits; no locale takes a digit for white space.
    if (p != end && digit(*p) > 9) {
        while (p != end && std::isspace(static_cast<unsigned char>(*p))) ++p;
    }
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    constexpr uint64_t kLimit = uint64_t(INT64_MAX) + 1;
    uint64_t value = 0;
    int digits = 0;
#if VANTREL_EIGHT_DIGITS
    for (uint64_t chunk; digits <= 10 && end - p >= 8; p += 8, digits += 8) {
        std::memcpy(&chunk, p, 8);
        if (!AllDigits(chunk)) break;
        value = value * 100000000u + EightDigits(chunk);
    }
#endif
    // Eighteen digits stay far below the limit; past them each step is held to it.
    const char* const unchecked = end - p > 18 - digits ? p + (18 - digits) : end;
    for (unsigned d; p != unchecked && (d = digit(*p)) <= 9; ++p) value = value * 10 + d;
    for (unsigned d; p != end && (d = digit(*p)) <= 9; ++p)
        value = value > (kLimit - d) / 10 ? kLimit : value * 10 + d;
    if (negative) return value == kLimit ? INT64_MIN : -int64_t(value);
    return value == kLimit ? INT64_MAX : int64_t(value);
}

int32_t ReadInt32(std::string_view text) {
    int64_t value = ReadDecimal(text);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return int32_t(value);
}

// A value ends at its first zero byte, like the file's text as a whole. The
// file's own bytes hold none (loading stops at the first), so only a value
// that a character reference changed can.
std::string_view UpToZero(std::string_view value) {
    const void* zero = std::memchr(value.data(), 0, value.size());
    if (!zero) return value;
    return value.substr(0, size_t(static_cast<const char*>(zero) - value.data()));
}

// Dates converted from Unix time, remembered for the length of one load:
// many repeat (0 stands in every open task and every appointment without an
// alarm), and a conversion costs far more than a look here. The same time
// gives the same date, bit for bit, as converting it again would.
class UnixDates {
public:
    DateTime From(int64_t unixTime) {
        Entry& entry = entries_[size_t(uint64_t(unixTime) * 0x9E3779B97F4A7C15u >> 60)];
        if (entry.unixTime != unixTime) entry = Entry{unixTime, DateTime::FromUnixTime(unixTime)};
        return entry.date;
    }

private:
    struct Entry {
        int64_t unixTime = -1;  // a negative time is the invalid date: a true entry
        DateTime date;
    };
    Entry entries_[16];
};

// The loaded file's bytes: values that point into them need no search for a
// zero byte. Also what is remembered while they are read.
struct FileText {
    const char* begin;
    const char* end;
    mutable UnixDates dates;

    std::string_view Value(std::string_view value) const {
        const bool inFile = value.data() >= begin && value.data() + value.size() <= end;
        return inFile ? value : UpToZero(value);
    }
};

bool IsComment(const XmlNode& node) { return node.name == "!"; }

// Whole numbers that are flags: "1" gives 1, anything else 0.
struct AsFlag {};

// How one named field of a record is read from its text; the kind of field
// follows from the member's type.
template <typename Record>
struct FieldReader {
    FieldReader(std::string_view name, Text Record::*field) : name(name), text(field) {}
    FieldReader(std::string_view name, int32_t Record::*field) : name(name), number(field) {}
    FieldReader(std::string_view name, int32_t Record::*field, AsFlag) : name(name), flagNumber(field) {}
    FieldReader(std::string_view name, bool Record::*field) : name(name), flag(field) {}
    FieldReader(std::string_view name, DateTime Record::*field) : name(name), date(field) {}

    void Read(Record& record, std::string_view value, const FileText& file) const {
        if (text) (record.*text).assign(value.data(), value.size());
        else if (number) record.*number = ReadInt32(value);
        else if (flagNumber) record.*flagNumber = value == "1" ? 1 : 0;
        else if (flag) record.*flag = value == "1";
        else if (date) record.*date = file.dates.From(ReadDecimal(value));
    }

    std::string_view name;
    Text Record::*text = nullptr;
    int32_t Record::*number = nullptr;
    int32_t Record::*flagNumber = nullptr;
    bool Record::*flag = nullptr;          // "1" gives true
    DateTime Record::*date = nullptr;      // Unix time
};

// The fields of one record type, found by exact, case-sensitive name. Files
// list them in the writer's order, so the search starts after the field
// found last and nearly always hits at once.
template <typename Record>
class FieldTable {
public:
    FieldTable(std::initializer_list<FieldReader<Record>> fields) : fields_(fields) {}

    const FieldReader<Record>* Find(std::string_view name, size_t& hint) const {
        const size_t count = fields_.size();
        size_t index = hint < count ? hint : 0;
        for (size_t step = 0; step < count; ++step) {
            if (name == fields_[index].name) {
                hint = index + 1;
                return &fields_[index];
            }
            if (++index == count) index = 0;
        }
        return nullptr;
    }

    size_t size() const { return fields_.size(); }
    const FieldReader<Record>& operator[](size_t index) const { return fields_[index]; }

    // How the writer puts a record of this type: every field, in this order.
    XmlGrandchildForm WrittenForm(std::string_view element) const {
        XmlGrandchildForm form{element, {}};
        for (const FieldReader<Record>& field : fields_) form.attributes.push_back(field.name);
        return form;
    }

private:
    std::vector<FieldReader<Record>> fields_;
};

const FieldTable<Person>& PersonFields() {
    static const FieldTable<Person> table{
        {"ID", &Person::ID},
        {"FName", &Person::FName},
        {"LName", &Person::LName},
        {"RName", &Person::RName},
        {"Company", &Person::Company},
        {"Position", &Person::Position},
        {"Addr1", &Person::Addr1},
        {"Addr2", &Person::Addr2},
        {"City", &Person::City},
        {"State", &Person::State},
        {"Zip", &Person::Zip},
        {"YellowPages", &Person::YellowPages, AsFlag()},
        {"WhitePages", &Person::WhitePages, AsFlag()},
        {"Notes", &Person::Notes},
        {"HmPhone", &Person::HmPhone},
        {"WkPhone", &Person::WkPhone},
        {"WkExt", &Person::WkExt},
        {"Fax", &Person::Fax},
        {"CelPhone", &Person::CelPhone},
        {"Pager", &Person::Pager},
        {"EMail", &Person::EMail},
        {"WebPage", &Person::WebPage},
    };
    return table;
}

const FieldTable<Task>& TaskFields() {
    static const FieldTable<Task> table{
        {"ID", &Task::ID},
        {"Description", &Task::Description},
        {"Priority", &Task::Priority},
        {"DueDate", &Task::DueDate},
        {"DoneDate", &Task::DoneDate},
    };
    return table;
}

const FieldTable<Appointment>& AppointmentFields() {
    static const FieldTable<Appointment> table{
        {"ID", &Appointment::ID},
        {"Description", &Appointment::Description},
        {"DueDate", &Appointment::DueDate},
        {"StartTime", &Appointment::StartTime},
        {"EndTime", &Appointment::EndTime},
        {"Alarm", &Appointment::Alarm},
        {"AlarmTime", &Appointment::AlarmTime},
        {"Done", &Appointment::Done},
    };
    return table;
}

const FieldTable<User>& UserFields() {
    static const FieldTable<User> table{
        {"FName", &User::FName},       {"LName", &User::LName},
        {"Company", &User::Company},   {"Position", &User::Position},
        {"Addr1", &User::Addr1},       {"Addr2", &User::Addr2},
        {"City", &User::City},         {"State", &User::State},
        {"Zip", &User::Zip},
    };
    return table;
}

template <typename Record>
void ReadAttributes(const XmlNode& element, const FieldTable<Record>& fields, const FileText& file,
                    Record& record) {
    size_t hint = 0;
    for (const XmlAttribute& attribute : element.Attributes()) {
        if (const FieldReader<Record>* field = fields.Find(attribute.name, hint))
            field->Read(record, file.Value(attribute.value), file);
    }
}

// The older layout keeps only ID as an attribute; every other field is a
// child element holding the value as its text.
template <typename Record>
void ReadChildElements(const XmlNode& element, const FieldTable<Record>& fields, const FileText& file,
                       Record& record) {
    const XmlNodeList* children = element.Children();
    if (!children) return;
    size_t hint = 0;
    for (const auto& child : *children) {
        if (IsComment(*child) || child->name == "ID") continue;
        if (const FieldReader<Record>* field = fields.Find(child->name, hint))
            field->Read(record, UpToZero(child->text), file);
    }
}

// Files written by us start every record with its ID: the record is then
// built where the collection keeps it, instead of being built aside and moved
// in. Returns false, having stored nothing, when that does not apply (no
// leading ID, or an ID already present); a second ID attribute further on
// moves the record to its final key.
template <typename Record, typename Collection>
bool ReadInPlace(const XmlNode& element, const FieldTable<Record>& fields, const Record& prototype,
                 const FileText& file, Collection& collection) {
    const XmlAttributeList attributes = element.Attributes();
    auto first = attributes.begin();
    if (first == attributes.end() || first->name != "ID") return false;
    const int32_t id = ReadInt32(file.Value(first->value));
    Record* record = collection.InsertCopy(id, prototype);
    if (!record) return false;
    record->ID = id;
    size_t hint = 1;
    const auto last = attributes.end();
    for (++first; first != last; ++first) {
        if (const FieldReader<Record>* field = fields.Find(first->name, hint))
            field->Read(*record, file.Value(first->value), file);
    }
    if (record->ID != id) {
        Record moved = std::move(*record);
        collection.Erase(id);
        const int32_t finalId = moved.ID;
        collection.Insert(finalId, std::move(moved));
    }
    return true;
}

// A record element written in the table's form: `values` hold every field
// in the table's order, ID first, read as ReadInPlace reads them.
template <typename Record, typename Collection>
void ReadInForm(const std::string_view* values, const FieldTable<Record>& fields, const Record& prototype,
                const FileText& file, Collection& collection) {
    const int32_t id = ReadInt32(file.Value(values[0]));
    Record* record = collection.InsertCopy(id, prototype);
    if (!record) return;  // the first record with that ID stays
    record->ID = id;
    for (size_t i = 1; i < fields.size(); ++i) fields[i].Read(*record, file.Value(values[i]), file);
}

template <typename Collection>
void ReadLastID(const XmlNode& section, const FileText& file, Collection& collection) {
    for (const XmlAttribute& attribute : section.Attributes()) {
        if (attribute.name == "LastID") collection.SetLastID(ReadInt32(file.Value(attribute.value)));
    }
}

// A file whose LastID lies below its largest ID would make the next new
// record reuse an ID, and that record would be dropped on insertion.
template <typename Collection>
void RaiseLastID(Collection& collection) {
    if (collection.LastID() < collection.LargestID()) collection.SetLastID(collection.LargestID());
}

// Reads one record element. Every record starts from the type's defaults; a
// record without attributes (or a comment) is passed over; a record whose ID
// is already present is dropped, the first one staying.
template <typename Record, typename Collection>
void ReadRecord(const XmlNode& child, const FieldTable<Record>& fields, bool fieldsAsChildren,
                const Record& prototype, const FileText& file, Collection& collection) {
    if (IsComment(child) || child.Attributes().empty()) return;
    if (!fieldsAsChildren && ReadInPlace(child, fields, prototype, file, collection)) return;
    Record record = prototype;
    if (fieldsAsChildren) {
        size_t hint = 0;
        for (const XmlAttribute& attribute : child.Attributes()) {
            if (attribute.name == "ID") fields.Find("ID", hint)->Read(record, file.Value(attribute.value), file);
        }
        ReadChildElements(child, fields, file, record);
    } else {
        ReadAttributes(child, fields, file, record);
    }
    const int32_t id = record.ID;
    collection.Insert(id, std::move(record));
}

// Reads one collection element of a finished tree.
template <typename Record, typename Collection>
void ReadCollection(const XmlNode& section, const FieldTable<Record>& fields,
                    bool fieldsAsChildren, const Record& prototype, const FileText& file,
                    Collection& collection) {
    ReadLastID(section, file, collection);
    if (const XmlNodeList* children = section.Children()) {
        for (const auto& child : *children)
            ReadRecord(*child, fields, fieldsAsChildren, prototype, file, collection);
    }
    RaiseLastID(collection);
}

enum class FileLayout { kAttributes, kChildElements };

// Reads a file of ours while it is parsed: each record is made as soon as
// its element is complete, so the parse tree never holds all of them. It
// fills a document of its own, which the caller takes over once the whole
// text has parsed; the order of everything read is the file's, as it is
// when the finished tree is walked.
class RecordReader : public XmlLevelReader {
public:
    explicit RecordReader(const FileText& file) : file_(file) {}

    bool Ours() const { return ours_; }
    PimDocument& Loaded() { return loaded_; }

    void Root(const XmlElement& root) override {
        if (root.name != "Pim") return;
        int32_t version = 0;
        for (const XmlAttribute& attribute : root.Attributes()) {
            if (attribute.name == "Version") version = ReadInt32(file_.Value(attribute.value));
        }
        if (version != 1 && version != 13) return;
        ours_ = true;
        childElements_ = version == 13;
    }

    void ChildStart(const XmlElement& section) override {
        section_ = Section::kOther;
        if (!ours_) return;
        if (section.name == "Persons") {
            section_ = Section::kPersons;
            ReadLastID(section, file_, loaded_.persons);
        } else if (section.name == "Tasks") {
            section_ = Section::kTasks;
            ReadLastID(section, file_, loaded_.tasks);
        } else if (section.name == "Appointments") {
            section_ = Section::kAppointments;
            ReadLastID(section, file_, loaded_.appointments);
        } else if (section.name == "User") {
            ReadAttributes(section, UserFields(), file_, loaded_.user);
        }
    }

    void ChildEnd(const XmlElement&) override {
        switch (section_) {
        case Section::kPersons: RaiseLastID(loaded_.persons); break;
        case Section::kTasks: RaiseLastID(loaded_.tasks); break;
        case Section::kAppointments: RaiseLastID(loaded_.appointments); break;
        case Section::kOther: break;
        }
        section_ = Section::kOther;
    }

    const XmlGrandchildForm* GrandchildForm() const override {
        if (childElements_) return nullptr;
        static const XmlGrandchildForm persons = PersonFields().WrittenForm("Person");
        static const XmlGrandchildForm tasks = TaskFields().WrittenForm("Task");
        static const XmlGrandchildForm appointments = AppointmentFields().WrittenForm("Appointment");
        switch (section_) {
        case Section::kPersons: return &persons;
        case Section::kTasks: return &tasks;
        case Section::kAppointments: return &appointments;
        case Section::kOther: break;
        }
        return nullptr;
    }

    void GrandchildInForm(const std::string_view* values) override {
        switch (section_) {
        case Section::kPersons: ReadInForm(values, PersonFields(), personDefaults_, file_, loaded_.persons); break;
        case Section::kTasks: ReadInForm(values, TaskFields(), taskDefaults_, file_, loaded_.tasks); break;
        case Section::kAppointments:
            ReadInForm(values, AppointmentFields(), appointmentDefaults_, file_, loaded_.appointments);
            break;
        case Section::kOther: break;
        }
    }

    void Grandchild(const XmlNode& record) override {
        switch (section_) {
        case Section::kPersons:
            ReadRecord(record, PersonFields(), childElements_, personDefaults_, file_, loaded_.persons);
            break;
        case Section::kTasks:
            ReadRecord(record, TaskFields(), childElements_, taskDefaults_, file_, loaded_.tasks);
            break;
        case Section::kAppointments:
            ReadRecord(record, AppointmentFields(), false, appointmentDefaults_, file_, loaded_.appointments);
            break;
        case Section::kOther: break;
        }
    }

private:
    enum class Section { kOther, kPersons, kTasks, kAppointments };

    const FileText& file_;
    bool ours_ = false;
    bool childElements_ = false;
    Section section_ = Section::kOther;
    PimDocument loaded_;
    // Defaults read the clock; take them once and copy them per record.
    const Person personDefaults_;
    const Task taskDefaults_;
    const Appointment appointmentDefaults_;
};

// Whether the document holds nothing a load could add to, so that a
// document read aside can simply replace its content.
bool IsEmpty(const PimDocument& document) {
    const User& user = document.user;
    return document.persons.empty() && document.tasks.empty() && document.appointments.empty() &&
           document.persons.LastID() == 0 && document.tasks.LastID() == 0 &&
           document.appointments.LastID() == 0 && user.LName.empty() && user.FName.empty() &&
           user.Addr1.empty() && user.Addr2.empty() && user.City.empty() && user.State.empty() &&
           user.Zip.empty() && user.Position.empty() && user.Company.empty();
}

}  // namespace

LoadResult LoadDocumentText(PimDocument& document, const char* bytes, size_t length,
                            int32_t* errorLine) {
    if (const void* zero = std::memchr(bytes, 0, length))
        length = size_t(static_cast<const char*>(zero) - bytes);

    const FileText file{bytes, bytes + length, {}};
    if (IsEmpty(document)) {
        // The usual case: records are made while the text is parsed.
        RecordReader reader(file);
        try {
            SimpleXMLParser parser;
            parser.Parse(bytes, length, reader);
        } catch (const SimpleXMLParser::Exception& error) {
            if (errorLine) *errorLine = error.line;
            return LoadResult::kSyntaxError;
        }
        if (!reader.Ours()) return LoadResult::kNotOurs;
        document.TakeContentFrom(reader.Loaded());
        return LoadResult::kLoaded;
    }

    // A document that already holds something: the whole tree first, so that
    // a syntax error leaves the document as it was.
    std::unique_ptr<XmlElement> root;
    try {
        SimpleXMLParser parser;
        root = parser.Parse(bytes, length);
    } catch (const SimpleXMLParser::Exception& error) {
        if (errorLine) *errorLine = error.line;
        return LoadResult::kSyntaxError;
    }

    if (root->name != "Pim") return LoadResult::kNotOurs;
    int32_t version = 0;
    for (const XmlAttribute& attribute : root->Attributes()) {
        if (attribute.name == "Version") version = ReadInt32(file.Value(attribute.value));
    }
    if (version != 1 && version != 13) return LoadResult::kNotOurs;
    const FileLayout layout = version == 13 ? FileLayout::kChildElements : FileLayout::kAttributes;

    const XmlNodeList* sections = root->Children();
    if (!sections) return LoadResult::kLoaded;
    // Defaults read the clock; take them once and copy them per record.
    const Person personDefaults;
    const Task taskDefaults;
    const Appointment appointmentDefaults;
    for (const auto& section : *sections) {
        if (section->name == "Persons") {
            ReadCollection(*section, PersonFields(), layout == FileLayout::kChildElements,
                           personDefaults, file, document.persons);
        } else if (section->name == "Tasks") {
            ReadCollection(*section, TaskFields(), layout == FileLayout::kChildElements,
                           taskDefaults, file, document.tasks);
        } else if (section->name == "Appointments") {
            ReadCollection(*section, AppointmentFields(), false, appointmentDefaults, file,
                           document.appointments);
        } else if (section->name == "User") {
            ReadAttributes(*section, UserFields(), file, document.user);
        }
    }
    return LoadResult::kLoaded;
}
