// Exports records built from arbitrary bytes and imports the file into an
// empty document with the same settings and the columns in their own order:
// the records must come back the same. The first bytes choose the kind, the
// separator, the encloser and whether the file has a header line; the rest
// are the records' texts (any bytes 1-255, a zero byte ending each text) and
// the appointments' times. A text that reads as UTF-8 is read as UTF-8, so
// one whose every byte beyond ASCII happens to form UTF-8 is left out.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DelimitedText.h"
#include "PimDocument.h"
#include "TextEncoding.h"

#define CHECK(holds) \
    ((holds) ? void() : (std::fprintf(stderr, "fuzz_exchange_roundtrip.cpp:%d: %s\n", __LINE__, #holds), std::abort()))

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : at_(data), end_(data + size) {}
    bool AtEnd() const { return at_ == end_; }
    uint8_t Byte() { return at_ < end_ ? *at_++ : 0; }
    // Bytes up to the next zero byte.
    std::string Text(bool nonEmpty) {
        std::string text;
        while (at_ < end_ && *at_ != 0) text += static_cast<char>(*at_++);
        if (at_ < end_) ++at_;
        return nonEmpty && text.empty() ? "n" : text;
    }

private:
    const uint8_t* at_;
    const uint8_t* end_;
};

constexpr Text Person::*kTexts[] = {
    &Person::FName,   &Person::LName, &Person::Company, &Person::Position, &Person::Addr1, &Person::Addr2,
    &Person::City,    &Person::State, &Person::Zip,     &Person::HmPhone,  &Person::WkPhone, &Person::WkExt,
    &Person::Fax,     &Person::Pager, &Person::CelPhone, &Person::EMail,   &Person::WebPage, &Person::Notes};

// Builds up to 30 records of `kind`, each from the next bytes.
int32_t Build(ExchangeKind kind, Input& in, PimDocument& document) {
    int32_t id = 0;
    int minute = 0, day = 1;
    while (!in.AtEnd() && id < 30) {
        ++id;
        if (kind == ExchangeKind::kPersons) {
            Person p;
            p.ID = id;
            const uint8_t flags = in.Byte();
            for (Text Person::*text : kTexts) p.*text = in.Text(text == &Person::FName);
            p.RName = p.MakeDisplayName();
            p.WhitePages = flags & 1;
            p.YellowPages = (flags & 2) || !(flags & 1) ? 1 : 0;
            document.persons.Insert(id, p);
        } else if (kind == ExchangeKind::kTasks) {
            Task t;
            t.ID = id;
            const uint8_t b = in.Byte();
            t.Priority = b % 4;
            t.DueDate = DateTime::FromFields(1990 + b % 40, 1 + b % 12, 1 + b % 28, 0, 0, 0);
            if (t.Priority == kPriorityDone) t.DoneDate = DateTime::FromFields(2000, 1 + b % 12, 1 + b / 10, 0, 0, 0);
            t.Description = in.Text(true);
            document.tasks.Insert(id, t);
        } else {
            // One after the other, back to back or with a gap, some without
            // time, never overlapping.
            const uint8_t b = in.Byte();
            minute += 15 * (b % 3);
            const int length = 15 * ((b >> 2) % 4);
            if (minute + length >= 1440) {
                ++day;
                minute = 0;
            }
            Appointment a;
            a.ID = id;
            a.DueDate = DateTime::FromFields(2002, 3, day, 0, 0, 0);
            a.StartTime = DateTime::FromFields(2002, 3, day, minute / 60, minute % 60, 0);
            minute += length;
            a.EndTime = DateTime::FromFields(2002, 3, day, minute / 60, minute % 60, 0);
            if (length == 0) minute += 15;
            a.Alarm = b & 0x10;
            a.AlarmTime = a.StartTime - DateSpan::FromParts(0, 0, 5 * ((b >> 5) % 7), 0);
            a.Description = in.Text(true);
            document.appointments.Insert(id, a);
        }
    }
    return id;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kSeparators[] = {",", ";", "|", " ", "\t"};
    Input in(data, size);
    const uint8_t choice = in.Byte();
    const ExchangeKind kind = static_cast<ExchangeKind>(choice % 3);
    ExchangeSettings out = ExportSettingsFor(kind);
    out.FieldMap = out.AvailableFields;
    out.Separator = kSeparators[(choice >> 2) % 5];
    out.Encloser = choice & 0x20 ? "'" : "\"";
    out.FirstLineHasNames = choice & 0x40;

    PimDocument source;
    const int32_t count = Build(kind, in, source);
    const ExchangeLocale& locale = PlatformExchangeLocale();
    const std::string text = BuildExportText(source, kind, out, locale).text;
    // The export writes the ANSI code page without a mark, and the import
    // takes a text whose every byte beyond ASCII forms UTF-8 for UTF-8: such
    // texts (a lone "\xD8\xA3", say) are not expected to come back as they
    // were.
    if (DetectTextEncoding(text.data(), text.size()) != TextEncoding::kAnsi) return 0;

    ExchangeSettings settings = ImportSettingsFor(kind);
    settings.FieldMap = out.AvailableFields;
    settings.ColumnCount = static_cast<int32_t>(settings.FieldMap.size());
    settings.Separator = out.Separator;
    settings.Encloser = out.Encloser;
    settings.FirstLineHasNames = out.FirstLineHasNames;
    PimDocument copy;
    const ImportResult result = ImportDelimitedText(copy, kind, settings, text.data(), text.size(), locale);
    CHECK(result.added == count);
    CHECK(result.notedLines == 0);
    for (int32_t id = 1; id <= count; ++id) {
        if (kind == ExchangeKind::kPersons) {
            const Person &s = source.persons[id], &c = copy.persons[id];
            for (Text Person::*t : kTexts) CHECK(s.*t == c.*t);
            CHECK(s.RName == c.RName && s.WhitePages == c.WhitePages && s.YellowPages == c.YellowPages);
        } else if (kind == ExchangeKind::kTasks) {
            const Task &s = source.tasks[id], &c = copy.tasks[id];
            CHECK(s.Description == c.Description && s.Priority == c.Priority && s.DueDate == c.DueDate);
            CHECK(s.Priority != kPriorityDone || s.DoneDate == c.DoneDate);
        } else {
            const Appointment &s = source.appointments[id], &c = copy.appointments[id];
            CHECK(s.Description == c.Description && s.DueDate == c.DueDate);
            CHECK(s.StartTime == c.StartTime && s.EndTime == c.EndTime && s.Alarm == c.Alarm);
            CHECK(!s.Alarm || std::abs(s.AlarmTime.Value() - c.AlarmTime.Value()) < 1e-9);
        }
    }
    return 0;
}
