// The writers: a collection of the document as delimited text, produced a
// piece at a time into one buffer used over and over, and handed to the
// caller's sink piece by piece. A large export then never builds its whole
// text in fresh memory, whose first touch alone costs more than the
// formatting, and the bytes are still in the cache when they are written.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <vector>

#include "DelimitedText.h"
#include "ExchangeFields.h"
#include "PimDocument.h"

namespace {

using ExchangeFields::Field;

// The size of a piece: small enough to stay in the cache between being
// written and being handed on, large enough that handing it on costs
// nothing beside it.
constexpr size_t kPieceBytes = size_t(1) << 20;

// Sixteen bytes that can all be read, the first `size` of them a value:
// a short Text's own bytes, or a constant padded to that length.
struct ShortBytes {
    const char* bytes;
    size_t size;  // at most 15
};
constexpr char kTrue[16] = "TRUE";
constexpr char kFalse[16] = "FALSE";

// Copies values into the text and tells on the way whether a value holds
// the encloser or a backslash, which inside enclosers must be written twice.
// Nearly every value holds neither, and is copied in blocks without looking
// at its bytes one by one.
class MarkedCopy {
public:
    explicit MarkedCopy(char encloser) {
        marked_[static_cast<unsigned char>(encloser)] = true;
        marked_['\\'] = true;
#if defined(__SSE2__)
        encloser_ = _mm_set1_epi8(encloser);
        backslash_ = _mm_set1_epi8('\\');
#else
        encloser_ = kEveryByte * static_cast<unsigned char>(encloser);
#endif
    }

    bool Marked(char c) const { return marked_[static_cast<unsigned char>(c)]; }

    // Copies all sixteen bytes to `out`; whether the value's bytes hold a
    // marked one. Nothing depends on the value's length but the last step,
    // so that lengths varying from value to value cost no wrong guesses.
    bool Short(char* out, ShortBytes value) const {
#if defined(__SSE2__)
        return (Copy16(out, value.bytes) & ((1u << value.size) - 1)) != 0;
#else
        // Sixteen zero bytes, then sixteen 0xFF: from kPad + 16 - size, two
        // words whose bytes are zero as far as the value goes and 0xFF past
        // it (which match nothing), whichever way round the machine stores
        // its words.
        static constexpr unsigned char kPad[32] = {
            0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
            0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        uint64_t words[2];
        uint64_t past[2];
        std::memcpy(words, value.bytes, sizeof words);
        std::memcpy(past, kPad + 16 - value.size, sizeof past);
        std::memcpy(out, words, sizeof words);
        return ((Flags(words[0], past[0]) | Flags(words[1], past[1])) & kHighBits) != 0;
#endif
    }

    // Copies the `size` bytes at `in` to `out`, reading only those; whether
    // they hold a marked one. Blocks are searched as they are read: read
    // back from the copy, they would wait on the stores that wrote them.
    bool Any(char* out, const char* in, size_t size) const {
#if defined(__SSE2__)
        if (size >= 16) {
            uint32_t found = 0;
            for (size_t at = 0; at + 16 < size; at += 16) found |= Copy16(out + at, in + at);
            // The last block overlaps the one before it.
            return (found | Copy16(out + size - 16, in + size - 16)) != 0;
        }
#else
        if (size >= 8) {
            uint64_t flags = 0;
            for (size_t at = 0; at + 8 < size; at += 8) flags |= Copy8(out + at, in + at);
            return ((flags | Copy8(out + size - 8, in + size - 8)) & kHighBits) != 0;
        }
#endif
        bool found = false;
        for (size_t at = 0; at < size; ++at) {
            out[at] = in[at];
            found = found || Marked(in[at]);
        }
        return found;
    }

private:
#if defined(__SSE2__)
    // A bit for each of the sixteen bytes that is marked.
    uint32_t Copy16(char* out, const char* in) const {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
        const __m128i marked = _mm_or_si128(_mm_cmpeq_epi8(bytes, encloser_), _mm_cmpeq_epi8(bytes, backslash_));
        return static_cast<uint32_t>(_mm_movemask_epi8(marked));
    }
    __m128i encloser_;
    __m128i backslash_;
#else
    static constexpr uint64_t kEveryByte = 0x0101010101010101u;
    static constexpr uint64_t kHighBits = 0x8080808080808080u;

    uint64_t Copy8(char* out, const char* in) const {
        uint64_t word;
        std::memcpy(&word, in, sizeof word);
        std::memcpy(out, &word, sizeof word);
        return Flags(word, 0);
    }
    // The high bit of a byte set where the word holds a marked byte (and
    // perhaps above one): after the XOR such a byte is zero, which the
    // subtraction borrows through. Bytes set in `past` are left out.
    uint64_t Flags(uint64_t word, uint64_t past) const {
        const uint64_t encloser = (word ^ encloser_) | past;
        const uint64_t backslash = (word ^ (kEveryByte * '\\')) | past;
        return ((encloser - kEveryByte) & ~encloser) | ((backslash - kEveryByte) & ~backslash);
    }
    uint64_t encloser_;
#endif
    std::array<bool, 256> marked_{};
};

// Writes the text through a cursor into the piece buffer: most values are a
// few bytes long, where the bookkeeping of appending to a string would cost
// more than the bytes. Each value is followed by the separator, and the
// line's last separator is taken back at its end: a value then need not ask
// whether it is the first. Once the sink refuses a piece, the rest is
// written into the buffer and dropped; the caller stops at the next record.
class TextWriter {
public:
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;
    TextWriter(const ExchangeSettings& settings, const ExchangeLocale& locale, const ExportSink& sink)
        : separator_(settings.Separator), encloser_(settings.Encloser), locale_(locale), sink_(sink),
          copy_(encloser_.size() == 1 ? encloser_[0] : '"'), buffer_(kPieceBytes) {
        bool anyLead = false;
        for (bool lead : locale.LeadBytes()) anyLead = anyLead || lead;
        simple_ = encloser_.size() == 1 && !anyLead;
        oneByte_ = simple_ && separator_.size() == 1;
        separatorByte_ = oneByte_ ? separator_[0] : '\0';
        encloserByte_ = oneByte_ ? encloser_[0] : '\0';
        emptyEnclosed_ = !encloser_.empty() && (separator_ == " " || separator_ == "\t");
        cursor_ = buffer_.data();
        limit_ = cursor_ + buffer_.size();
    }

    const ExchangeLocale& Locale() const { return locale_; }

    // Whether a piece was refused; what is written after that goes nowhere.
    bool Failed() const { return failed_; }
    // Hands on what the buffer holds; whether the sink took every piece.
    bool Finish() {
        Hand();
        return !failed_;
    }

    void Raw(const std::string& bytes) { cursor_ = Put(Room(bytes.size()), bytes); }
    // Starts a line of up to `values` values. With one-byte formatting
    // characters, room for all the short ones is made here, once a line
    // rather than once a value; a longer value makes its own room, and
    // that line's room again beside it.
    void BeginLine(size_t values) {
        lineRoom_ = oneByte_ ? values * kShortRoom + 1 : 0;
        Room(lineRoom_);
    }
    // Ends a line, taking back the separator after its last value. That
    // separator is still in the buffer: pieces are handed on only when a
    // value or a line end needs room.
    void EndLine(bool anyValue) {
        if (anyValue) cursor_ -= separator_.size();
        *Room(1) = '\n';
        ++cursor_;
    }

    // One column: the value enclosed, or nothing at all for an empty value
    // (so it shows as two separators side by side), then the separator. With
    // a Space or Tab separator and an encloser, an empty value is written as
    // two enclosers instead: the reader takes a run of blanks as one
    // separator, so nothing would shift every later column.
    void Value(std::string_view value) {
        const size_t size = value.size();
        if (oneByte_) {
            // Room for the enclosers, the value doubled and the separator.
            char* p = Room(2 * size + 3 + lineRoom_);
            const bool marked = copy_.Any(p + 1, value.data(), size);
            Close(p, value.data(), size, marked);
            return;
        }
        // Doubling at most doubles the value.
        char* p = Room(separator_.size() + 2 * encloser_.size() + 2 * size);
        if (size > 0 || emptyEnclosed_) {
            p = Put(p, encloser_);
            p = PutEscaped(p, value);
            p = Put(p, encloser_);
        }
        cursor_ = Put(p, separator_);
    }
    void ShortValue(ShortBytes value) {
        if (!oneByte_) {
            Value(std::string_view(value.bytes, value.size));
            return;
        }
        char* p = cursor_;  // BeginLine made the room
        const bool marked = copy_.Short(p + 1, value);
        Close(p, value.bytes, value.size, marked);
    }
    // A record's text. One of up to 15 bytes lies in the Text's own 16
    // bytes, all of which can be read.
    void TextValue(const Text& text) {
        static_assert(sizeof(Text) == 16, "a short text lies in the Text's 16 bytes");
        const char* data = text.data();
        if (data == reinterpret_cast<const char*>(&text))
            ShortValue(ShortBytes{data, text.size()});
        else
            Value(text.view());
    }
    void Flag(bool on) { ShortValue(on ? ShortBytes{kTrue, 4} : ShortBytes{kFalse, 5}); }
    void Number(int64_t value) {
        char digits[24] = {};
        const size_t size = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
        if (size < 16)
            ShortValue(ShortBytes{digits, size});
        else
            Value(std::string_view(digits, size));
    }

private:
    // A short value's room: the enclosers, the value doubled and the
    // separator, which covers the sixteen bytes copied.
    static constexpr size_t kShortRoom = 2 * 15 + 3;

    char* Room(size_t bytes) {
        if (static_cast<size_t>(limit_ - cursor_) < bytes) MakeRoom(bytes);
        return cursor_;
    }
    // Hands on the piece; a value larger than a piece gets a buffer its size.
    // Out of line, as is every path that nearly no value takes, so that the
    // one they do take is small enough to be inlined into the loop.
    [[gnu::noinline]] void MakeRoom(size_t bytes) {
        Hand();
        if (bytes > buffer_.size()) {
            buffer_.resize(bytes);
            cursor_ = buffer_.data();
            limit_ = cursor_ + buffer_.size();
        }
    }
    void Hand() {
        const size_t used = static_cast<size_t>(cursor_ - buffer_.data());
        if (used > 0 && !failed_ && !sink_(buffer_.data(), used)) failed_ = true;
        cursor_ = buffer_.data();
    }

    // With one-byte formatting characters, after the value's bytes were
    // copied to p + 1: the enclosers and the separator around them, or, for
    // a value holding a marked byte, the value again with those doubled.
    // An empty value ends up as the separator alone, unless emptyEnclosed_.
    void Close(char* p, const char* value, size_t size, bool marked) {
        // Read before the stores, which the compiler must assume could
        // change them.
        const char encloser = encloserByte_;
        const char separator = separatorByte_;
        const bool enclosed = size > 0 || emptyEnclosed_;
        char* const end = marked ? CopyDoubling(p + 1, value, size) : p + 1 + size;
        p[0] = enclosed ? encloser : separator;
        end[0] = encloser;
        end[1] = separator;
        cursor_ = enclosed ? end + 2 : p + 1;
    }

    // The value with each marked byte written twice.
    [[gnu::noinline]] char* CopyDoubling(char* p, const char* in, size_t size) const {
        for (const char* end = in + size; in < end; ++in) {
            *p++ = *in;
            if (copy_.Marked(*in)) *p++ = *in;
        }
        return p;
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
        if (simple_) return CopyDoubling(p, in, value.size());
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
    const ExportSink& sink_;
    MarkedCopy copy_;  // the encloser and the backslash marked; used only with simple_
    bool simple_ = false;   // a one-byte encloser and no double-byte characters
    bool oneByte_ = false;  // that, and a one-byte separator
    bool emptyEnclosed_ = false;  // an empty value is written as two enclosers
    bool failed_ = false;         // the sink refused a piece
    char separatorByte_;
    char encloserByte_;
    std::vector<char> buffer_;  // the piece being written
    size_t lineRoom_ = 0;  // the room BeginLine made
    char* cursor_;  // within buffer_
    char* limit_;
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
            out.TextValue(person.*column.text);
        else
            out.Flag(person.*column.flag != 0);
    }
}

void WriteTask(TextWriter& out, const std::vector<Field>& columns, const Task& task) {
    for (Field field : columns) {
        switch (field) {
            case Field::kTask: out.TextValue(task.Description); break;
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
            case Field::kAppointment: out.TextValue(a.Description); break;
            case Field::kDate: out.Value(out.Locale().FormatShortDate(a.DueDate)); break;
            case Field::kStartTime: out.Value(out.Locale().FormatTime(a.StartTime)); break;
            case Field::kEndTime: out.Value(out.Locale().FormatTime(a.EndTime)); break;
            case Field::kAlarmed: out.Flag(a.Alarm); break;
            default: out.Number(AlarmLeadMinutes(a)); break;
        }
    }
}

// Asks the processor for the memory some way past a record, where the
// records after it most likely lie: a document's records are allocated in
// the order they are loaded or made, each beside its long texts. Reached
// one by one through the tree's pointers, each would be waited for in turn;
// asking ahead saves about a fifth of a large export's time. Where records
// lie otherwise, this costs a few instructions and nothing else; asking
// never faults.
template <typename Entry>
void ReadAhead(const Entry& entry) {
#if defined(__GNUC__)
    constexpr uintptr_t kAhead = 8192;
    // A record's share of the memory: its node, and a few lines of texts.
    constexpr uintptr_t kLines = sizeof(Entry) / 64 + 4;
    const uintptr_t at = reinterpret_cast<uintptr_t>(&entry) + kAhead;
    for (uintptr_t line = 0; line < kLines; ++line)
        __builtin_prefetch(reinterpret_cast<const void*>(at + 64 * line));
#else
    (void)entry;
#endif
}

// Writes the collection, the header first unless it is empty, and counts
// its records; stops at the first record after a piece was refused.
template <typename Collection, typename Columns, typename Write>
int32_t WriteAll(const Collection& records, const ExchangeSettings& settings, const Columns& columns,
                 TextWriter& out, Write write) {
    int32_t written = 0;
    // An empty collection gives an empty file, without even the header.
    if (records.empty()) return written;
    if (settings.FirstLineHasNames) out.Raw(HeaderLine(settings));
    for (const auto& entry : records) {
        if (out.Failed()) break;
        ReadAhead(entry);
        out.BeginLine(columns.size());
        write(out, columns, entry.second);
        out.EndLine(!columns.empty());
        ++written;
    }
    return written;
}

// The export into `sink`: the records written, and whether every piece was
// taken.
int32_t Export(const PimDocument& document, ExchangeKind kind, const ExchangeSettings& settings,
               const ExchangeLocale& locale, const ExportSink& sink, bool& complete) {
    const std::vector<Field> columns = SwitchedOn(kind, settings);
    TextWriter out(settings, locale, sink);
    int32_t records = 0;
    switch (kind) {
        case ExchangeKind::kPersons: {
            std::vector<PersonColumn> persons;
            for (Field field : columns)
                persons.push_back({ExchangeFields::PersonText(field),
                                   field == Field::kYellowPages ? &Person::YellowPages : &Person::WhitePages});
            records = WriteAll(document.persons, settings, persons, out, WritePerson);
            break;
        }
        case ExchangeKind::kTasks: records = WriteAll(document.tasks, settings, columns, out, WriteTask); break;
        default: records = WriteAll(document.appointments, settings, columns, out, WriteAppointment); break;
    }
    complete = out.Finish();
    return records;
}

}  // namespace

bool ExportDelimitedText(const PimDocument& document, ExchangeKind kind, const ExchangeSettings& settings,
                         const ExchangeLocale& locale, const ExportSink& sink) {
    bool complete = false;
    Export(document, kind, settings, locale, sink, complete);
    return complete;
}

ExportText BuildExportText(const PimDocument& document, ExchangeKind kind,
                           const ExchangeSettings& settings, const ExchangeLocale& locale) {
    ExportText result;
    bool complete = false;
    const ExportSink append = [&result](const char* bytes, size_t size) {
        result.text.append(bytes, size);
        return true;
    };
    result.records = Export(document, kind, settings, locale, append, complete);
    return result;
}
