// The readers: records added to the document from a delimited text file's
// whole text.
//
// How the text is read:
//   - Lines end at a line feed, at a carriage return followed by a line feed,
//     or at a carriage return alone (files from any system, mixed ones too).
//     A last line without a line break is read like the others.
//   - A record is one line, of any length, except that an enclosed field may
//     run over line breaks, keeping them as written (the export writes notes
//     that way), when its closing encloser comes within kSpanLimit bytes of
//     the record's start. Otherwise the field was never closed: a line break
//     ends it, the record is told as having a stray encloser, and the next
//     line is the next record. So one stray encloser cannot swallow the
//     lines after it.
//   - A field's text ends at its first zero byte, as the document file keeps
//     texts, so whatever is imported is saved and opened again unchanged.
//   - A text in enclosers is kept as written; one without is trimmed, and
//     "EMPTY FIELD" or "EOF" there stands for an empty value.
//   - A UTF-8 or UTF-16 file is read in the ANSI code page (TextEncoding.h);
//     a record that lost characters to it is noted.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "DelimitedText.h"
#include "ExchangeFields.h"
#include "FieldScanner.h"
#include "FieldTokenizer.h"
#include "KindReaders.h"
#include "PimDocument.h"
#include "TextEncoding.h"

namespace {

using ExchangeFields::Field;

// How far from its start a record may run over line breaks: room for notes
// longer than anyone types into a box (an edit box takes 32,767 characters)
// with every other field beside them.
constexpr size_t kSpanLimit = 65536;
constexpr size_t kFirstLineLimit = 1023;
const std::string kStray = "an encloser that is never closed";

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

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
// none); without enclosers, "EMPTY FIELD" and "EOF" stand for empty values.
void CleanField(std::string& text, bool mayHoldZero, bool enclosed) {
    if (mayHoldZero) {
        const size_t zero = text.find('\0');
        if (zero != std::string::npos) text.resize(zero);
    }
    if (!enclosed && ((text.size() == 11 && text.compare("EMPTY FIELD") == 0) ||
                      (text.size() == 3 && text.compare("EOF") == 0)))
        text.clear();
}

// The records of one text, read one after the other.
class RecordLoop {
public:
    RecordLoop(const FieldScanner& scanner, const char* bytes, size_t length)
        : scanner_(scanner), pos_(bytes), end_(bytes + length) {
        // Only white space follows this point; a record may end here.
        trimmedEnd_ = scanner_.TrimmedEnd(bytes, end_);
        nextZero_ = Find('\0', bytes);
        nextBackslash_ = Find('\\', bytes);
    }

    bool AtEnd() const { return pos_ == end_; }
    int32_t Line() const { return line_; }

    // Steps over one physical line, the header.
    void SkipLine() {
        pos_ = PastBreak(FindBreak(pos_, end_), end_);
        ++line_;
    }

    // What reading one record found.
    struct Record {
        bool blank = false;     // it held no field at all
        bool unclosed = false;  // an enclosed field of it was never closed
        int32_t lastLine = 0;   // its last physical line
    };

    // Reads one record's fields, giving the first `columns.size()` of them to
    // `reader` (a missing one as an empty text), and steps past it.
    Record ReadRecord(const std::vector<Field>& columns, KindReader& reader) {
        const char* start = pos_;
        const char* at = start;
        Record record;
        // After a stray encloser that found no close within reach, no
        // record starting within that reach can find one either: those are
        // read as single lines straight away.
        const char* reach = nullptr;
        if (start >= noSpanUntil_) {
            const bool limited = start < trimmedEnd_ && static_cast<size_t>(trimmedEnd_ - start) > kSpanLimit;
            const char* stop = start >= trimmedEnd_ ? start : limited ? start + kSpanLimit : trimmedEnd_;
            if (ReadFields(columns, reader, start, stop, !limited, false, at, record)) return Finish(start, at, record);
            // Too long to span lines: the record is read again as one line.
            reader.DropRecord();
            reach = stop;
        }
        const char* stop = start >= trimmedEnd_ ? start : trimmedEnd_;
        ReadFields(columns, reader, start, stop, true, true, at, record);
        if (reach && record.unclosed) noSpanUntil_ = reach;
        return Finish(start, at, record);
    }

private:
    // One try at a record's fields: false when it reached `stop` too early.
    bool ReadFields(const std::vector<Field>& columns, KindReader& reader, const char* start,
                    const char* stop, bool stopIsTextEnd, bool oneLine, const char*& at, Record& record) {
        reader.BeginRecord();
        record = Record();
        at = start;
        // Whether a zero byte, or a backslash whose escape may give one,
        // lies within the record's reach.
        if (nextZero_ < start) nextZero_ = Find('\0', start);
        if (nextBackslash_ < start) nextBackslash_ = Find('\\', start);
        const bool mayHoldZero = nextZero_ < stop || nextBackslash_ < stop;
        // A blank line has no fields (and leaves the reader's record unmade).
        const char* first = scanner_.SkipBlanks(start, stop);
        if (first == stop && !stopIsTextEnd) return false;
        bool over = first == stop || IsBreak(*first);
        if (over) {
            at = first;
            record.blank = true;
        }
        size_t column = 0;
        for (; !over; ++column) {
            const Field field = column < columns.size() ? columns[column] : Field::kNone;
            std::string* out = field == Field::kNone ? nullptr : &field_;
            FieldScanner::Shape shape;
            const FieldScanner::Result result = scanner_.Read(at, stop, stopIsTextEnd, out, oneLine, &shape);
            if (result == FieldScanner::Result::kTooLong) return false;
            record.unclosed = record.unclosed || shape.unclosed;
            over = result != FieldScanner::Result::kField;
            if (result == FieldScanner::Result::kNoField) break;
            if (out) {
                CleanField(field_, mayHoldZero, shape.enclosed);
                reader.Apply(field, field_, shape.enclosed);
            }
        }
        // Columns the record did not reach read as empty.
        for (; column < columns.size(); ++column) {
            if (columns[column] != Field::kNone) reader.Missing(columns[column]);
        }
        return true;
    }

    // Steps past the record that began at `start`: its last line runs on to
    // its line break, past white space the fields did not look at.
    Record Finish(const char* start, const char* at, Record record) {
        const char* lineEnd = FindBreak(at, end_);
        line_ += 1 + CountBreaks(start, lineEnd);
        record.lastLine = line_ - 1;
        pos_ = PastBreak(lineEnd, end_);
        return record;
    }

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
    const char* noSpanUntil_ = nullptr;
    int32_t line_ = 1;
    std::string field_;
};

// Keeps the first notes and counts them all.
void AddNote(ImportResult& result, int32_t line, std::string text) {
    ++result.notedLines;
    if (result.notes.size() < kImportNotesKept) result.notes.push_back({line, std::move(text)});
}

}  // namespace

ImportResult ImportDelimitedText(PimDocument& document, ExchangeKind kind,
                                 const ExchangeSettings& settings, const char* bytes,
                                 size_t length, const ExchangeLocale& locale) {
    ImportResult result;
    const FieldScanner scanner = FieldScanner::ForSettings(settings, locale);
    const AnsiText text(bytes, length, locale);
    RecordLoop records(scanner, text.data(), text.size());

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
        records.SkipLine();
    }

    const std::unique_ptr<KindReader> reader = MakeKindReader(kind, document, scanner, locale);
    std::string note;
    while (!records.AtEnd()) {
        const int32_t line = records.Line();
        const RecordLoop::Record record = records.ReadRecord(columns, *reader);
        if (record.blank) continue;
        if (!reader->HasIDLeft()) {
            // Every later record would be refused alike: stop and say where.
            reader->DropRecord();
            result.stoppedAtLine = line;
            break;
        }
        note.clear();
        if (reader->FinishRecord(note)) ++result.added;
        if (record.unclosed) note = note.empty() ? kStray : kStray + ("; " + note);
        if (text.Lost() > 0) {
            if (const int32_t lost = text.LostOnLines(line, record.lastLine)) {
                if (!note.empty()) note += "; ";
                note += std::to_string(lost) + (lost == 1 ? " character" : " characters") + " not in the code page";
            }
        }
        if (!note.empty()) AddNote(result, line, std::move(note));
    }
    // One notification for the whole import: the views refill once.
    if (result.added > 0) document.SetModified(true, true);
    return result;
}

std::string FirstLineOf(const char* file, size_t fileLength, const ExchangeLocale& locale) {
    const AnsiText text(file, fileLength, locale);
    const char* bytes = text.data();
    const size_t length = text.size();
    const void* zero = std::memchr(bytes, '\0', length);
    const char* end = zero ? static_cast<const char*>(zero) : bytes + length;
    const char* lineEnd = FindBreak(bytes, end);
    if (static_cast<size_t>(lineEnd - bytes) > kFirstLineLimit) lineEnd = bytes + kFirstLineLimit;
    return TrimSpace(std::string(bytes, lineEnd), locale);
}
