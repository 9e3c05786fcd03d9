// The readers: records added to the document from a delimited text file's
// whole text.
//
// How the text is read:
//   - Lines end at a line feed, at a carriage return followed by a line feed,
//     or at a carriage return alone (files from any system, mixed ones too).
//     A last line without a line break is read like the others.
//   - A record is one line, except that an enclosed field may run over line
//     breaks until its closing encloser, keeping them as written (the export
//     writes notes that way). A record may hold at most 4095 characters
//     (persons) or 2047 (tasks, appointments), its inner line breaks
//     counted; a longer one stops the import there, and the result names the
//     line where it began. So a stray encloser cannot swallow more than one
//     record's worth of lines.
//   - A field's text ends at its first zero byte, as the document file keeps
//     texts, so whatever is imported is saved and opened again unchanged.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "CalendarPlatform.h"
#include "DelimitedText.h"
#include "ExchangeFields.h"
#include "FieldScanner.h"
#include "FieldTokenizer.h"
#include "PimDocument.h"
#include "TimeRangeIndex.h"

namespace {

using ExchangeFields::Field;

constexpr size_t kPersonRecordLimit = 4095;
constexpr size_t kRecordLimit = 2047;
constexpr size_t kFirstLineLimit = 1023;

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

// The document file keeps dates as 32-bit Unix times.
bool FileCanHold(const DateTime& date) { return date.IsValid() && date.ToUnixTime() != -1; }

// The first line break at or after `p`, or `end`.
const char* FindBreak(const char* p, const char* end) {
    while (p < end && !IsBreak(*p)) ++p;
    return p;
}

// Past the line break at `p` (CR LF is one).
const char* PastBreak(const char* p, const char* end) {
    if (p == end) return p;
    return *p == '\r' && p + 1 < end && p[1] == '\n' ? p + 2 : p + 1;
}

// The line breaks inside [p, end).
int32_t CountBreaks(const char* p, const char* end) {
    const size_t length = static_cast<size_t>(end - p);
    if (!std::memchr(p, '\n', length) && !std::memchr(p, '\r', length)) return 0;
    int32_t breaks = 0;
    while ((p = FindBreak(p, end)) < end) {
        p = PastBreak(p, end);
        ++breaks;
    }
    return breaks;
}

// A text ends at its first zero byte (`mayHoldZero` false: the record has
// none); "EMPTY FIELD" and "EOF" stand for empty values.
void CleanField(std::string& text, bool mayHoldZero) {
    if (mayHoldZero) {
        const size_t zero = text.find('\0');
        if (zero != std::string::npos) text.resize(zero);
    }
    if ((text.size() == 11 && text.compare("EMPTY FIELD") == 0) || (text.size() == 3 && text.compare("EOF") == 0))
        text.clear();
}

// The leading decimal integer of a text as the C library's atoi reads it
// (white space, then a sign, then digits; 0 when there are none), held to
// the int32 range.
int32_t LeadingInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1) value = int64_t(INT32_MAX) + 1;
    }
    if (negative) return static_cast<int32_t>(-value);
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

// A minute of the day of `day` (1440 is the next day's midnight), built from
// calendar fields, so that equal moments are always equal values.
DateTime AtMinute(const DateTime& day, int minuteOfDay) {
    CalendarFields fields;
    if (!day.IsValid() || !PlatformOleDateToFields(day.Value(), fields)) return DateTime();
    if (minuteOfDay >= 1440) {
        const DateTime next = DateTime::FromFields(fields.year, fields.month, fields.day, 0, 0, 0) + DateSpan(1.0);
        if (!next.IsValid() || !PlatformOleDateToFields(next.Value(), fields)) return DateTime();
        minuteOfDay -= 1440;
    }
    return DateTime::FromFields(fields.year, fields.month, fields.day, minuteOfDay / 60, minuteOfDay % 60, 0);
}

class KindReader {
public:
    virtual ~KindReader() = default;
    virtual void BeginRecord() = 0;
    // May take the text's contents, leaving `text` with any other value.
    virtual void Apply(Field field, std::string& text) = 0;
    // A column the record did not reach: an empty text.
    virtual void Missing(Field field) {
        empty_.clear();
        Apply(field, empty_);
    }
    // Adds the record when it is accepted; returns whether it was.
    virtual bool FinishRecord() = 0;
    // The record will not be finished (the import stops at it).
    virtual void DropRecord() {}

private:
    std::string empty_;
};

// A person is read straight into the record it will become, stored ahead
// under the next ID once it has a text, and taken out again when the line is
// not accepted: a Person, having a destructor of its own, is copied where it
// would be moved.
class PersonReader : public KindReader {
public:
    PersonReader(Persons& persons, const FieldScanner& scanner, const ExchangeLocale& locale)
        : persons_(persons), scanner_(scanner), locale_(locale) {}

    void BeginRecord() override {
        person_ = nullptr;
        white_ = 1;
        yellow_ = 0;
        named_ = false;
    }

    void Apply(Field field, std::string& text) override {
        if (field == Field::kWhitePages) {
            white_ = IsYes(text);
        } else if (field == Field::kYellowPages) {
            yellow_ = IsYes(text);
        } else if (Text Person::*member = ExchangeFields::PersonText(field)) {
            if (IsName(field) && text.empty()) return;
            if (IsName(field)) named_ = true;
            scanner_.Trim(text);
            Record()->*member = text;
        }
    }

    void Missing(Field field) override {
        Text Person::*member = ExchangeFields::PersonText(field);
        if (!member) {
            KindReader::Missing(field);
        } else if (person_ && !IsName(field)) {
            (person_->*member).clear();
        }
    }

    bool FinishRecord() override {
        if (!named_ || person_ == &spare_) {
            DropRecord();
            // An ID taken already keeps its record, as Insert would.
            if (named_) persons_.IssueID();
            return false;
        }
        persons_.IssueID();
        person_->ID = id_;
        person_->RName = person_->MakeDisplayName();
        person_->WhitePages = white_ == 0 && yellow_ == 0 ? 1 : white_;
        person_->YellowPages = yellow_;
        return true;
    }

    void DropRecord() override {
        if (person_ && person_ != &spare_) persons_.Erase(id_);
        person_ = nullptr;
    }

private:
    // The record being read, stored under the next ID when that is free.
    Person* Record() {
        if (person_) return person_;
        id_ = static_cast<int32_t>(static_cast<uint32_t>(persons_.LastID()) + 1u);
        person_ = persons_.Find(id_) ? nullptr : persons_.InsertCopy(id_, empty_);
        if (!person_) {
            // IDs past the int32 range came round to a used one: read aside.
            person_ = &spare_;
            for (Text Person::*text : kTexts) (spare_.*text).clear();
        }
        return person_;
    }

    static bool IsName(Field field) {
        return field == Field::kFirstName || field == Field::kLastName || field == Field::kCompany;
    }
    int32_t IsYes(std::string& text) const {
        locale_.ToLower(text);
        return text == "1" || text == "true" || text == "yes" ? 1 : 0;
    }

    static constexpr Text Person::*kTexts[] = {
        &Person::FName, &Person::LName, &Person::Company, &Person::Position, &Person::Addr1,
        &Person::Addr2, &Person::City,  &Person::State,   &Person::Zip,      &Person::HmPhone,
        &Person::WkPhone, &Person::WkExt, &Person::Fax,   &Person::Pager,    &Person::CelPhone,
        &Person::EMail, &Person::WebPage, &Person::Notes};

    Persons& persons_;
    const FieldScanner& scanner_;
    const ExchangeLocale& locale_;
    const Person empty_;
    Person spare_;
    Person* person_ = nullptr;  // the record being read (stored, or spare_), once it has a text
    int32_t id_ = 0;
    int32_t white_ = 1, yellow_ = 0;
    bool named_ = false;
};

// One task serves every line: columns a file does not have keep what the
// task was built with (priority High, due at the moment the import began) or
// what an earlier line gave them.
class TaskReader : public KindReader {
public:
    TaskReader(Tasks& tasks, const FieldScanner& scanner, const ExchangeLocale& locale)
        : tasks_(tasks), scanner_(scanner), locale_(locale) {}

    void BeginRecord() override {
        task_.Description.clear();
        named_ = false;
    }

    void Apply(Field field, std::string& text) override {
        switch (field) {
            case Field::kTask:
                if (text.empty()) return;
                scanner_.Trim(text);
                task_.Description = text;
                named_ = true;
                return;
            case Field::kDueDate: {
                DateTime date;
                // A day the file cannot hold would be saved as today anyway.
                if (!locale_.ParseDate(text, date) || !FileCanHold(date)) date = Today();
                task_.DueDate = date.DatePart();
                return;
            }
            case Field::kPriority: {
                const int32_t priority = LeadingInteger(text);
                task_.Priority = priority >= kPriorityHigh && priority <= kPriorityDone ? priority
                                                                                       : kPriorityHigh;
                return;
            }
            default:
                return;
        }
    }

    bool FinishRecord() override {
        if (!named_) return false;
        task_.ID = tasks_.IssueID();
        return tasks_.Insert(task_.ID, task_);
    }

private:
    const DateTime& Today() {
        if (!today_.IsValid()) today_ = DateTime::Today();
        return today_;
    }

    Tasks& tasks_;
    const FieldScanner& scanner_;
    const ExchangeLocale& locale_;
    Task task_;
    DateTime today_;
    bool named_ = false;
};

// One appointment serves every line, as the task does. A line is added only
// when it gave a description, a date, a start and an end, and neither its
// start nor its end falls within the time of an appointment already there.
class AppointmentReader : public KindReader {
public:
    AppointmentReader(Appointments& appointments, const FieldScanner& scanner,
                      const ExchangeLocale& locale)
        : appointments_(appointments), scanner_(scanner), locale_(locale) {
        for (const auto& entry : appointments_)
            taken_.Add(entry.second.StartTime, entry.second.EndTime);
    }

    void BeginRecord() override {
        appointment_.Description.clear();
        described_ = dated_ = started_ = ended_ = false;
        alarmColumn_ = false;
    }

    void Apply(Field field, std::string& text) override {
        switch (field) {
            case Field::kAppointment:
                if (text.empty()) return;
                scanner_.Trim(text);
                appointment_.Description = text;
                described_ = true;
                return;
            case Field::kDate: {
                DateTime date;
                if (!locale_.ParseDate(text, date) || !FileCanHold(date)) return;
                appointment_.DueDate = date.DatePart();
                dated_ = true;
                return;
            }
            case Field::kStartTime: {
                int minute = 0;
                if (!ParseMinuteOfDay(text, minute)) return;
                // To the nearest quarter hour, halves going up.
                const int r = minute % 15;
                minute += r == 0 ? 0 : r <= 7 ? -r : 15 - r;
                appointment_.StartTime = AtMinute(appointment_.DueDate, minute);
                started_ = true;
                return;
            }
            case Field::kEndTime: {
                int minute = 0;
                if (!ParseMinuteOfDay(text, minute)) return;
                // Up to the next quarter hour, unless it passed the quarter
                // by less than seven minutes; never before the start. An end
                // already on a quarter hour stays, so that what the program
                // exported comes back with its own end.
                const int r = minute % 15;
                minute += r == 0 ? 0 : r <= 6 ? -r : 15 - r;
                appointment_.EndTime = AtMinute(appointment_.DueDate, minute);
                if (appointment_.EndTime.IsBefore(appointment_.StartTime))
                    appointment_.EndTime = appointment_.StartTime;
                ended_ = true;
                return;
            }
            case Field::kAlarmTime: {
                // Minutes before the start, to a multiple of five (the
                // remainder keeps the sign of the lead, so a negative lead
                // stays as it is and later counts as no lead).
                lead_ = LeadingInteger(text);
                const int32_t r = lead_ % 5;
                if (r == 1 || r == 2) lead_ -= r;
                if (r == 3 || r == 4) lead_ += 5 - r;
                alarmBase_ = appointment_.StartTime;
                alarmColumn_ = true;
                return;
            }
            case Field::kAlarmed:
                locale_.ToLower(text);
                appointment_.Alarm = text == "true" || text == "t" || text == "yes" || text == "1";
                return;
            default:
                return;
        }
    }

    bool FinishRecord() override {
        if (!(described_ && dated_ && started_ && ended_)) return false;
        if (taken_.Contains(appointment_.StartTime) || taken_.Contains(appointment_.EndTime))
            return false;
        // Without an "AlarmTime" column the alarm comes at the start.
        if (!alarmColumn_)
            appointment_.AlarmTime = appointment_.StartTime;
        else if (lead_ >= 0 && lead_ <= 60)
            appointment_.AlarmTime = alarmBase_ - DateSpan::FromParts(0, 0, lead_, 0);
        else
            appointment_.AlarmTime = alarmBase_;
        appointment_.ID = appointments_.IssueID();
        if (!appointments_.Insert(appointment_.ID, appointment_)) return false;
        taken_.Add(appointment_.StartTime, appointment_.EndTime);
        return true;
    }

private:
    // The hour and minute of a time of day.
    bool ParseMinuteOfDay(const std::string& text, int& minute) const {
        DateTime time;
        CalendarFields fields;
        if (!locale_.ParseTime(text, time) || !time.IsValid() || !PlatformOleDateToFields(time.Value(), fields))
            return false;
        minute = fields.hour * 60 + fields.minute;
        return true;
    }

    Appointments& appointments_;
    const FieldScanner& scanner_;
    const ExchangeLocale& locale_;
    TimeRangeIndex taken_;
    Appointment appointment_;
    bool described_ = false, dated_ = false, started_ = false, ended_ = false;
    bool alarmColumn_ = false;
    int32_t lead_ = 0;
    DateTime alarmBase_;
};

// The records of one text, read one after the other.
class RecordLoop {
public:
    RecordLoop(const FieldScanner& scanner, const char* bytes, size_t length, size_t limit)
        : scanner_(scanner), pos_(bytes), end_(bytes + length), limit_(limit) {
        // Only white space follows this point; a record may end here.
        trimmedEnd_ = scanner_.TrimmedEnd(bytes, end_);
        nextZero_ = Find('\0', bytes);
        nextBackslash_ = Find('\\', bytes);
    }

    bool AtEnd() const { return pos_ == end_; }
    int32_t Line() const { return line_; }

    // Steps over one physical line, the header. False when it is too long.
    bool SkipLine() {
        const char* lineEnd = FindBreak(pos_, end_);
        if (static_cast<size_t>(lineEnd - pos_) > limit_) return false;
        pos_ = PastBreak(lineEnd, end_);
        ++line_;
        return true;
    }

    // Reads one record's fields, giving the first `columns.size()` of them to
    // `reader` (a missing one as an empty text), and steps past it. False
    // when the record is too long; nothing is then given to the reader's
    // FinishRecord.
    bool ReadRecord(const std::vector<Field>& columns, KindReader& reader) {
        reader.BeginRecord();
        const char* start = pos_;
        // Past the last text only white space is left: no fields.
        const bool limited = start < trimmedEnd_ && static_cast<size_t>(trimmedEnd_ - start) > limit_;
        const char* stop = start >= trimmedEnd_ ? start : limited ? start + limit_ + 1 : trimmedEnd_;
        const char* at = start;
        // Whether a zero byte, or a backslash whose escape may give one,
        // lies within the record's reach.
        if (nextZero_ < start) nextZero_ = Find('\0', start);
        if (nextBackslash_ < start) nextBackslash_ = Find('\\', start);
        const bool mayHoldZero = nextZero_ < stop || nextBackslash_ < stop;
        // A blank line has no fields (and leaves the reader's record unmade).
        const char* first = scanner_.SkipBlanks(start, stop);
        if (first == stop && limited) return false;
        bool over = first == stop || IsBreak(*first);
        at = over ? first : start;
        size_t column = 0;
        for (; !over; ++column) {
            const Field field = column < columns.size() ? columns[column] : Field::kNone;
            std::string* out = field == Field::kNone ? nullptr : &field_;
            const FieldScanner::Result result = scanner_.Read(at, stop, !limited, out);
            if (result == FieldScanner::Result::kTooLong) return false;
            over = result != FieldScanner::Result::kField;
            if (result == FieldScanner::Result::kNoField) break;
            if (out) {
                CleanField(field_, mayHoldZero);
                reader.Apply(field, field_);
            }
        }
        // Columns the record did not reach read as empty.
        for (; column < columns.size(); ++column) {
            if (columns[column] != Field::kNone) reader.Missing(columns[column]);
        }
        // The record's last line runs on to its line break, past white space
        // the fields did not look at.
        const char* lineEnd = FindBreak(at, end_);
        if (static_cast<size_t>(lineEnd - start) > limit_) return false;
        line_ += 1 + CountBreaks(start, lineEnd);
        pos_ = PastBreak(lineEnd, end_);
        return true;
    }

private:
    const char* Find(char byte, const char* from) const {
        const void* found = std::memchr(from, byte, static_cast<size_t>(end_ - from));
        return found ? static_cast<const char*>(found) : end_;
    }

    const FieldScanner& scanner_;
    const char* pos_;
    const char* end_;
    const char* trimmedEnd_;
    const char* nextZero_;
    const char* nextBackslash_;
    size_t limit_;
    int32_t line_ = 1;
    std::string field_;
};

}  // namespace

ImportResult ImportDelimitedText(PimDocument& document, ExchangeKind kind,
                                 const ExchangeSettings& settings, const char* bytes,
                                 size_t length, const ExchangeLocale& locale) {
    ImportResult result;
    const FieldScanner scanner = FieldScanner::ForSettings(settings, locale);
    RecordLoop records(scanner, bytes, length,
                       kind == ExchangeKind::kPersons ? kPersonRecordLimit : kRecordLimit);

    // The field each column fills, up to the columns the first line had.
    const std::vector<ExchangeFields::Entry>& table = ExchangeFields::ImportTable(kind);
    std::vector<Field> columns;
    const size_t columnCount = settings.ColumnCount > 0 ? static_cast<size_t>(settings.ColumnCount) : 0;
    for (size_t i = 0; i < columnCount && i < settings.FieldMap.size(); ++i)
        columns.push_back(ExchangeFields::Lookup(table, settings.FieldMap[i]));
    // Columns beyond ColumnCount are read past, never used.
    while (!columns.empty() && columns.back() == Field::kNone) columns.pop_back();

    if (settings.FirstLineHasNames) {
        if (records.AtEnd()) return result;
        if (!records.SkipLine()) {
            result.stoppedAtLine = 1;
            return result;
        }
    }

    PersonReader persons(document.persons, scanner, locale);
    TaskReader tasks(document.tasks, scanner, locale);
    std::unique_ptr<AppointmentReader> appointments;
    KindReader* reader = &persons;
    if (kind == ExchangeKind::kTasks) reader = &tasks;
    if (kind == ExchangeKind::kAppointments) {
        appointments.reset(new AppointmentReader(document.appointments, scanner, locale));
        reader = appointments.get();
    }

    while (!records.AtEnd()) {
        const int32_t line = records.Line();
        if (!records.ReadRecord(columns, *reader)) {
            reader->DropRecord();
            result.stoppedAtLine = line;
            break;
        }
        if (reader->FinishRecord()) ++result.added;
    }
    // One notification for the whole import: the views refill once.
    if (result.added > 0) document.SetModified(true, true);
    return result;
}

std::string FirstLineOf(const char* bytes, size_t length, const ExchangeLocale& locale) {
    const void* zero = std::memchr(bytes, '\0', length);
    const char* end = zero ? static_cast<const char*>(zero) : bytes + length;
    const char* lineEnd = FindBreak(bytes, end);
    if (static_cast<size_t>(lineEnd - bytes) > kFirstLineLimit) lineEnd = bytes + kFirstLineLimit;
    return TrimSpace(std::string(bytes, lineEnd), locale);
}
