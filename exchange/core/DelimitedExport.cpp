// The writers: a collection of the document as delimited text, built whole
// in memory; the caller writes it to the file in one piece.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "DelimitedText.h"
#include "ExchangeFields.h"
#include "PimDocument.h"

namespace {

using ExchangeFields::Field;

// Builds the text in a string sized ahead, writing through a cursor: most
// values are a few bytes long, where the bookkeeping of appending to a
// string would cost more than the bytes.
class TextWriter {
public:
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;
    TextWriter(const ExchangeSettings& settings, const ExchangeLocale& locale)
        : separator_(settings.Separator), encloser_(settings.Encloser), locale_(locale) {
        for (bool lead : locale.LeadBytes()) anyLead_ = anyLead_ || lead;
        simple_ = encloser_.size() == 1 && !anyLead_;
        oneByte_ = simple_ && separator_.size() == 1;
        separatorByte_ = oneByte_ ? separator_[0] : '\0';
        emptyEnclosed_ = !encloser_.empty() && (separator_ == " " || separator_ == "\t");
        encloserByte_ = oneByte_ ? encloser_[0] : '\0';
        cursor_ = limit_ = &text_[0];
    }

    const ExchangeLocale& Locale() const { return locale_; }

    void Reserve(size_t bytes) {
        if (bytes > text_.size()) Resize(bytes);
    }
    size_t Used() const { return static_cast<size_t>(cursor_ - text_.data()); }
    std::string Finish() {
        text_.resize(Used());
        return std::move(text_);
    }

    void Raw(const std::string& bytes) { cursor_ = Put(Room(bytes.size()), bytes); }
    void BeginLine() { columns_ = 0; }
    void EndLine() { *Room(1) = '\n'; ++cursor_; }

    // One column: the separator before all but the first, then the value
    // enclosed, or nothing at all for an empty value (so it shows as two
    // separators side by side). With a Space or Tab separator and an
    // encloser, an empty value is written as two enclosers instead: the
    // reader takes a run of blanks as one separator, so nothing would shift
    // every later column.
    void Value(std::string_view value) {
        const size_t size = value.size();
        // Doubling at most doubles the value.
        char* p = Room(separator_.size() + 2 * encloser_.size() + 2 * size);
        if (oneByte_) {
            if (columns_++ > 0) *p++ = separatorByte_;
            if (size > 0 || emptyEnclosed_) {
                const char encloser = encloserByte_;
                *p++ = encloser;
                // Most values hold no encloser and no backslash and are
                // copied whole.
                if (!std::memchr(value.data(), encloser, size) && !std::memchr(value.data(), '\\', size)) {
                    std::memcpy(p, value.data(), size);
                    p += size;
                } else {
                    p = PutEscaped(p, value);
                }
                *p++ = encloser;
            }
            cursor_ = p;
            return;
        }
        if (columns_++ > 0) p = Put(p, separator_);
        if (size > 0 || emptyEnclosed_) {
            p = Put(p, encloser_);
            p = PutEscaped(p, value);
            p = Put(p, encloser_);
        }
        cursor_ = p;
    }
    void Number(int64_t value) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        Value(std::string_view(digits, size_t(end - digits)));
    }

private:
    char* Room(size_t bytes) {
        if (static_cast<size_t>(limit_ - cursor_) < bytes) Resize(std::max(2 * text_.size(), Used() + bytes));
        return cursor_;
    }
    void Resize(size_t bytes) {
        const size_t used = Used();
        text_.resize(bytes);
        cursor_ = &text_[0] + used;
        limit_ = &text_[0] + text_.size();
    }

    static char* Put(char* p, const std::string& bytes) {
        if (bytes.size() == 1) {
            *p = bytes[0];
            return p + 1;
        }
        std::memcpy(p, bytes.data(), bytes.size());
        return p + bytes.size();
    }

    // Inside enclosers every encloser and every backslash of the value is
    // written twice: the reader takes a backslash there as an escape, so a
    // path like C:\temp would come back with a tab, and a value ending in a
    // backslash would swallow its closing encloser. The search steps by the
    // code page's characters, so the second byte of a double-byte character
    // is never taken for either. Without an encloser values are bare, and the
    // reader takes them as they are.
    char* PutEscaped(char* p, std::string_view value) {
        const char* in = value.data();
        const char* end = in + value.size();
        if (encloser_.empty()) {
            std::memcpy(p, in, value.size());
            return p + value.size();
        }
        if (simple_) {
            const char encloser = encloser_[0];
            for (; in < end; ++in) {
                *p++ = *in;
                if (*in == encloser || *in == '\\') *p++ = *in;
            }
            return p;
        }
        const std::array<bool, 256>& lead = locale_.LeadBytes();
        while (in < end) {
            if (static_cast<size_t>(end - in) >= encloser_.size() &&
                std::memcmp(in, encloser_.data(), encloser_.size()) == 0) {
                p = Put(Put(p, encloser_), encloser_);
                in += encloser_.size();
                continue;
            }
            if (*in == '\\') {
                *p++ = '\\';
                *p++ = *in++;
                continue;
            }
            // The readers' rule: a lead byte pairs with the next byte unless
            // that is a zero byte or a line break.
            const bool pair = lead[static_cast<unsigned char>(*in)] && in + 1 < end && in[1] != '\0' &&
                              in[1] != '\r' && in[1] != '\n';
            *p++ = *in++;
            if (pair) *p++ = *in++;
        }
        return p;
    }

    const std::string& separator_;
    const std::string& encloser_;
    const ExchangeLocale& locale_;
    bool anyLead_ = false;
    bool simple_ = false;   // a one-byte encloser and no double-byte characters
    bool oneByte_ = false;  // that, and a one-byte separator
    bool emptyEnclosed_ = false;  // an empty value is written as two enclosers
    char separatorByte_;
    char encloserByte_;
    std::string text_;
    char* cursor_;  // within text_, which is sized ahead
    char* limit_;
    int columns_ = 0;
};

// The columns the names of FieldMap switch on, in the table's order.
std::vector<Field> SwitchedOn(ExchangeKind kind, const ExchangeSettings& settings) {
    std::vector<Field> columns;
    for (const ExchangeFields::Entry& entry : ExchangeFields::ExportTable(kind)) {
        if (std::find(settings.FieldMap.begin(), settings.FieldMap.end(), entry.name) !=
            settings.FieldMap.end())
            columns.push_back(entry.field);
    }
    return columns;
}

// Every name of FieldMap, enclosed, in the list's order; the separator
// follows each name but the list's last entry (even when that entry is an
// empty name, which is itself left out).
std::string HeaderLine(const ExchangeSettings& settings) {
    std::string line;
    const size_t count = settings.FieldMap.size();
    for (size_t i = 0; i < count; ++i) {
        const std::string& name = settings.FieldMap[i];
        if (name.empty()) continue;
        line += settings.Encloser;
        line += name;
        line += settings.Encloser;
        if (i + 1 < count) line += settings.Separator;
    }
    line.push_back('\n');
    return line;
}

// The minutes by which the alarm comes before the start, 0 to 60. The span
// is truncated toward zero; a span that is a whole number of minutes but for
// the rounding of the stored values (15 minutes as 14.9999999) counts as
// that whole number.
int64_t AlarmLeadMinutes(const Appointment& appointment) {
    if (!appointment.Alarm) return 0;
    const DateSpan span = appointment.StartTime - appointment.AlarmTime;
    const double minutes = span.Days() * 1440.0;
    const double whole = std::round(minutes);
    const double lead = std::fabs(minutes - whole) < 1e-6 ? whole : std::trunc(minutes);
    if (!(lead > 0.0)) return 0;  // NaN too
    return lead > 60.0 ? 60 : static_cast<int64_t>(lead);
}

// A person's column: one of its texts, or one of its phone-book flags.
struct PersonColumn {
    Text Person::*text;
    int32_t Person::*flag;
};

void WritePerson(TextWriter& out, const std::vector<PersonColumn>& columns, const Person& person) {
    for (const PersonColumn& column : columns) {
        if (column.text)
            out.Value(person.*column.text);
        else
            out.Value(person.*column.flag ? "TRUE" : "FALSE");
    }
}

void WriteTask(TextWriter& out, const std::vector<Field>& columns, const Task& task) {
    for (Field field : columns) {
        switch (field) {
            case Field::kTask: out.Value(task.Description); break;
            case Field::kDueDate: out.Value(out.Locale().FormatShortDate(task.DueDate)); break;
            case Field::kDoneDate:
                // Only a finished task has a day it was done.
                out.Value(task.Priority == kPriorityDone ? out.Locale().FormatShortDate(task.DoneDate) : "");
                break;
            default: out.Number(task.Priority); break;
        }
    }
}

void WriteAppointment(TextWriter& out, const std::vector<Field>& columns, const Appointment& a) {
    for (Field field : columns) {
        switch (field) {
            case Field::kAppointment: out.Value(a.Description); break;
            case Field::kDate: out.Value(out.Locale().FormatShortDate(a.DueDate)); break;
            case Field::kStartTime: out.Value(out.Locale().FormatTime(a.StartTime)); break;
            case Field::kEndTime: out.Value(out.Locale().FormatTime(a.EndTime)); break;
            case Field::kAlarmed: out.Value(a.Alarm ? "TRUE" : "FALSE"); break;
            default: out.Number(AlarmLeadMinutes(a)); break;
        }
    }
}

// Writes the collection; the text is sized ahead from its first records.
template <typename Collection, typename Columns, typename Write>
ExportText Build(const Collection& records, const ExchangeSettings& settings, const Columns& columns,
                 TextWriter& out, Write write) {
    ExportText result;
    // An empty collection gives an empty file, without even the header.
    if (records.empty()) return result;
    const std::string header = HeaderLine(settings);
    if (settings.FirstLineHasNames) out.Raw(header);
    constexpr int32_t kSample = 256;
    for (const auto& entry : records) {
        out.BeginLine();
        write(out, columns, entry.second);
        out.EndLine();
        if (++result.records == kSample && records.size() > kSample) {
            // Room for the rest at a tenth more per record than the first
            // ones took.
            const double perRecord = double(out.Used()) / kSample * 1.1;
            out.Reserve(out.Used() + size_t(perRecord * double(records.size() - kSample)) + 4096);
        }
    }
    result.text = out.Finish();
    return result;
}

}  // namespace

ExportText BuildExportText(const PimDocument& document, ExchangeKind kind,
                           const ExchangeSettings& settings, const ExchangeLocale& locale) {
    const std::vector<Field> columns = SwitchedOn(kind, settings);
    TextWriter out(settings, locale);
    switch (kind) {
        case ExchangeKind::kPersons: {
            std::vector<PersonColumn> persons;
            for (Field field : columns)
                persons.push_back({ExchangeFields::PersonText(field),
                                   field == Field::kYellowPages ? &Person::YellowPages : &Person::WhitePages});
            return Build(document.persons, settings, persons, out, WritePerson);
        }
        case ExchangeKind::kTasks:
            return Build(document.tasks, settings, columns, out, WriteTask);
        default:
            return Build(document.appointments, settings, columns, out, WriteAppointment);
    }
}
