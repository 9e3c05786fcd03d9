// Imports arbitrary text as persons, tasks or appointments. The first bytes
// choose the settings: the kind, the separator, the encloser, whether the
// first line holds names, whether the code page has double-byte characters,
// and the field of each column; the rest is the file's text.
//
// Beyond not crashing, hanging or slowing down on long inputs:
//   - the count added is what the collection holds, and the lines noted are
//     lines of the text, in order;
//   - the document saves and opens again with every imported text as it was
//     and every ID, and saves again to the same bytes;
//   - importing the same text a second time adds as many persons and tasks
//     again, and no appointment that holds any time (each collides with
//     itself; one that ends before it starts, as a file whose EndTime column
//     comes before its StartTime column can give, holds none).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DelimitedText.h"
#include "DocumentFile.h"
#include "ExchangeFuzzLocale.h"
#include "PimDocument.h"

#define CHECK(holds) \
    ((holds) ? void() : (std::fprintf(stderr, "fuzz_import.cpp:%d: %s\n", __LINE__, #holds), std::abort()))

namespace {

constexpr size_t kSettingBytes = 4;

ExchangeSettings PickSettings(ExchangeKind kind, const uint8_t* data, size_t& used, size_t size) {
    static const char* const kSeparators[] = {",", ";", "|", " ", "\t", ""};
    static const char* const kEnclosers[] = {"\"", "'", ""};
    ExchangeSettings settings = ImportSettingsFor(kind);
    settings.Separator = kSeparators[data[1] % 6];
    settings.Encloser = kEnclosers[data[2] % 3];
    settings.FirstLineHasNames = data[3] & 1;
    // Up to 24 columns, each one of the kind's fields, a skipped column or
    // a name the kind does not have.
    settings.ColumnCount = (data[3] >> 1) % 25;
    const size_t choices = settings.AvailableFields.size() + 2;
    for (int32_t column = 0; column < settings.ColumnCount && used < size; ++column) {
        const size_t pick = data[used++] % choices;
        settings.FieldMap.push_back(pick < settings.AvailableFields.size() ? settings.AvailableFields[pick]
                                    : pick == choices - 2                  ? std::string()
                                                                           : std::string("Bogus"));
    }
    // FieldMap may be shorter or longer than ColumnCount.
    if (data[3] & 0x80) settings.FieldMap.resize(settings.FieldMap.size() / 2);
    return settings;
}

template <typename Collection, typename Compare>
void CheckSame(const Collection& saved, const Collection& loaded, Compare compare) {
    CHECK(saved.size() == loaded.size());
    auto back = loaded.begin();
    for (const auto& entry : saved) {
        CHECK(back->first == entry.first && back->second.ID == entry.second.ID);
        compare(entry.second, back->second);
        ++back;
    }
}

void CheckSavesAndOpens(const PimDocument& document) {
    std::string saved;
    WriteDocument(document, saved);
    PimDocument loaded;
    CHECK(LoadDocument(loaded, saved.data(), saved.size()));
    CheckSame(document.persons, loaded.persons, [](const Person& s, const Person& l) {
        for (Text Person::*text :
             {&Person::FName, &Person::LName, &Person::RName, &Person::Company, &Person::Position,
              &Person::Addr1, &Person::Addr2, &Person::City, &Person::State, &Person::Zip,
              &Person::HmPhone, &Person::WkPhone, &Person::WkExt, &Person::Fax, &Person::Pager,
              &Person::CelPhone, &Person::EMail, &Person::WebPage, &Person::Notes}) {
            CHECK(s.*text == l.*text);
        }
        CHECK(s.WhitePages == l.WhitePages && s.YellowPages == l.YellowPages);
    });
    CheckSame(document.tasks, loaded.tasks, [](const Task& s, const Task& l) {
        CHECK(s.Description == l.Description && s.Priority == l.Priority);
    });
    CheckSame(document.appointments, loaded.appointments, [](const Appointment& s, const Appointment& l) {
        CHECK(s.Description == l.Description && s.Alarm == l.Alarm && s.Done == l.Done);
    });
    std::string again;
    WriteDocument(loaded, again);
    CHECK(again == saved);
}

size_t Lines(const char* text, size_t length) {
    size_t lines = 1;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && !(i + 1 < length && text[i + 1] == '\n'))) ++lines;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kSettingBytes) return 0;
    const ExchangeKind kind = static_cast<ExchangeKind>(data[0] % 3);
    size_t used = kSettingBytes;
    const ExchangeSettings settings = PickSettings(kind, data, used, size);
    const ExchangeFuzzLocale locale(data[0] & 0x80);
    const char* text = reinterpret_cast<const char*>(data) + used;
    const size_t length = size - used;

    const DateTime today = DateTime::Today();
    PimDocument document;
    const ImportResult first = ImportDelimitedText(document, kind, settings, text, length, locale);
    const size_t held = kind == ExchangeKind::kPersons ? document.persons.size()
                        : kind == ExchangeKind::kTasks ? document.tasks.size()
                                                       : document.appointments.size();
    CHECK(first.added >= 0 && static_cast<size_t>(first.added) == held);
    CHECK(first.notes.size() <= kImportNotesKept && first.notedLines >= static_cast<int32_t>(first.notes.size()));
    CHECK(first.notes.size() == kImportNotesKept || first.notedLines == static_cast<int32_t>(first.notes.size()));
    for (size_t i = 0; i < first.notes.size(); ++i) {
        CHECK(first.notes[i].line >= 1 && static_cast<size_t>(first.notes[i].line) <= Lines(text, length));
        CHECK(i == 0 || first.notes[i - 1].line < first.notes[i].line);
        CHECK(!first.notes[i].text.empty());
    }
    CHECK(document.IsModified() == (first.added > 0));
    CheckSavesAndOpens(document);

    int32_t timeless = 0;
    for (const auto& entry : document.appointments)
        timeless += !(entry.second.StartTime.Linear() <= entry.second.EndTime.Linear());
    const ImportResult second = ImportDelimitedText(document, kind, settings, text, length, locale);
    // Across midnight a missing date reads as another day: nothing to check.
    if (DateTime::Today() != today) return 0;
    if (kind == ExchangeKind::kAppointments) {
        CHECK(second.added <= timeless);
    } else {
        CHECK(second.added == first.added);
        CHECK(second.notedLines == first.notedLines);
    }
    return 0;
}
