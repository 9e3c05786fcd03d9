#include "KindReaders.h"

#include <array>
#include <cstdint>

#include "CalendarPlatform.h"
#include "PimDocument.h"
#include "TimeRangeIndex.h"

namespace {

using ExchangeFields::Field;

// The document file keeps dates as 32-bit Unix times.
bool FileCanHold(const DateTime& date) { return date.IsValid() && date.ToUnixTime() != -1; }

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

    void Apply(Field field, std::string& text, bool enclosed) override {
        if (field == Field::kWhitePages) {
            white_ = IsYes(text);
        } else if (field == Field::kYellowPages) {
            yellow_ = IsYes(text);
        } else if (Text Person::*member = ExchangeFields::PersonText(field)) {
            if (IsName(field) && text.empty()) return;
            if (IsName(field)) named_ = true;
            if (!enclosed) scanner_.Trim(text);
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

    bool FinishRecord(std::string& note) override {
        if (!named_ || person_ == &spare_) {
            DropRecord();
            // An ID taken already keeps its record, as Insert would.
            if (named_) persons_.IssueID();
            note = named_ ? "no room for another person" : "no first name, last name or company";
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

    bool HasIDLeft() const override { return persons_.HasIDLeft(); }

private:
    // The record being read, stored under the next ID when that is free.
    Person* Record() {
        if (person_) return person_;
        if (persons_.HasIDLeft()) {
            id_ = persons_.LastID() + 1;
            person_ = persons_.InsertCopy(id_, empty_);  // null when the ID is taken
        }
        if (!person_) {
            // No ID left, or the next one is taken: read aside.
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
        dueUnread_ = false;
    }

    void Apply(Field field, std::string& text, bool enclosed) override {
        switch (field) {
            case Field::kTask:
                if (text.empty()) return;
                if (!enclosed) scanner_.Trim(text);
                task_.Description = text;
                named_ = true;
                return;
            case Field::kDueDate: {
                DateTime date;
                // A day the file cannot hold would be saved as today anyway.
                if (!locale_.ParseDate(text, date) || !FileCanHold(date)) {
                    date = Today();
                    dueUnread_ = !text.empty();
                }
                task_.DueDate = date.DatePart();
                return;
            }
            case Field::kDoneDate: {
                // Written only for finished tasks: empty for the others.
                DateTime date;
                task_.DoneDate = locale_.ParseDate(text, date) && FileCanHold(date) ? date.DatePart() : DateTime();
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

    bool FinishRecord(std::string& note) override {
        if (!named_) {
            note = "no task";
            return false;
        }
        task_.ID = tasks_.IssueID();
        if (!tasks_.Insert(task_.ID, task_)) {
            note = "no room for another task";
            return false;
        }
        if (dueUnread_) note = "the due date could not be read: the task is due today";
        return true;
    }

    bool HasIDLeft() const override { return tasks_.HasIDLeft(); }

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
    bool dueUnread_ = false;
};

// One appointment serves every line, as the task does. A line's texts are
// gathered first and applied once the whole line is read, in the order
// date, start, end, alarm: the start and end take the line's own day and the
// alarm the line's own start, whatever the order of the file's columns. A
// line is added only when it gave a description, a date, a start and an end,
// and its time collides with no appointment already there.
class AppointmentReader : public KindReader {
public:
    AppointmentReader(Appointments& appointments, const FieldScanner& scanner,
                      const ExchangeLocale& locale)
        : appointments_(appointments), scanner_(scanner), locale_(locale) {
        for (const auto& entry : appointments_)
            taken_.Add(entry.second.StartTime, entry.second.EndTime);
    }

    void BeginRecord() override { given_.fill(false); }

    void Apply(Field field, std::string& text, bool enclosed) override {
        const int index = static_cast<int>(field) - static_cast<int>(Field::kAppointment);
        if (index < 0 || index >= kColumns) return;
        texts_[index].swap(text);
        given_[index] = true;
        enclosed_[index] = enclosed;
    }

    bool FinishRecord(std::string& note) override {
        appointment_.Description.clear();
        bool described = false, dated = false, started = false, ended = false;
        if (std::string* text = Given(Field::kAppointment); text && !text->empty()) {
            if (!enclosed_[Index(Field::kAppointment)]) scanner_.Trim(*text);
            appointment_.Description = *text;
            described = true;
        }
        if (std::string* text = Given(Field::kDate)) {
            DateTime date;
            if (locale_.ParseDate(*text, date) && FileCanHold(date)) {
                appointment_.DueDate = date.DatePart();
                dated = true;
            }
        }
        int minute = 0;
        if (std::string* text = Given(Field::kStartTime); text && ParseMinuteOfDay(*text, minute)) {
            // To the nearest quarter hour, halves going up.
            const int r = minute % 15;
            minute += r == 0 ? 0 : r <= 7 ? -r : 15 - r;
            appointment_.StartTime = AtMinute(appointment_.DueDate, minute);
            started = true;
        }
        if (std::string* text = Given(Field::kEndTime); text && ParseMinuteOfDay(*text, minute)) {
            // Up to the next quarter hour, unless it passed the quarter by
            // less than seven minutes; never before the start. An end already
            // on a quarter hour stays, so that what the program exported
            // comes back with its own end.
            const int r = minute % 15;
            minute += r == 0 ? 0 : r <= 6 ? -r : 15 - r;
            appointment_.EndTime = AtMinute(appointment_.DueDate, minute);
            if (appointment_.EndTime.IsBefore(appointment_.StartTime)) appointment_.EndTime = appointment_.StartTime;
            ended = true;
        }
        if (std::string* text = Given(Field::kAlarmed)) {
            locale_.ToLower(*text);
            appointment_.Alarm = *text == "true" || *text == "t" || *text == "yes" || *text == "1";
        }
        if (!described) {
            note = "no description";
            return false;
        }
        if (!(dated && started && ended)) {
            note = "a date or time that could not be read";
            return false;
        }
        DateTime heldStart, heldEnd;
        if (taken_.FindCollision(appointment_.StartTime, appointment_.EndTime, heldStart, heldEnd)) {
            note = "collides with the appointment of " + locale_.FormatShortDate(heldStart) + " " +
                   locale_.FormatTime(heldStart) + "-" + locale_.FormatTime(heldEnd);
            return false;
        }
        if (std::string* text = Given(Field::kAlarmTime)) {
            // Minutes before the start, to a multiple of five (the remainder
            // keeps the sign of the lead, so a negative lead stays as it is
            // and counts as no lead).
            int32_t lead = LeadingInteger(*text);
            const int32_t r = lead % 5;
            if (r == 1 || r == 2) lead -= r;
            if (r == 3 || r == 4) lead += 5 - r;
            appointment_.AlarmTime = lead >= 0 && lead <= 60
                                         ? appointment_.StartTime - DateSpan::FromParts(0, 0, lead, 0)
                                         : appointment_.StartTime;
        } else {
            // Without an "AlarmTime" column the alarm comes at the start.
            appointment_.AlarmTime = appointment_.StartTime;
        }
        appointment_.ID = appointments_.IssueID();
        if (!appointments_.Insert(appointment_.ID, appointment_)) {
            note = "no room for another appointment";
            return false;
        }
        taken_.Add(appointment_.StartTime, appointment_.EndTime);
        return true;
    }

    bool HasIDLeft() const override { return appointments_.HasIDLeft(); }

private:
    static constexpr int kColumns = static_cast<int>(Field::kAlarmTime) - static_cast<int>(Field::kAppointment) + 1;
    static int Index(Field field) { return static_cast<int>(field) - static_cast<int>(Field::kAppointment); }
    std::string* Given(Field field) { return given_[Index(field)] ? &texts_[Index(field)] : nullptr; }

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
    std::array<std::string, kColumns> texts_;
    std::array<bool, kColumns> given_{};
    std::array<bool, kColumns> enclosed_{};
};

}  // namespace

std::unique_ptr<KindReader> MakeKindReader(ExchangeKind kind, PimDocument& document,
                                           const FieldScanner& scanner, const ExchangeLocale& locale) {
    switch (kind) {
        case ExchangeKind::kPersons: return std::make_unique<PersonReader>(document.persons, scanner, locale);
        case ExchangeKind::kTasks: return std::make_unique<TaskReader>(document.tasks, scanner, locale);
        default: return std::make_unique<AppointmentReader>(document.appointments, scanner, locale);
    }
}
