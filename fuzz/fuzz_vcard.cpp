// Imports arbitrary bytes as a file of vCards. The first byte may leave the
// document only a few person IDs; the rest is the file.
//
// Beyond not crashing, hanging or slowing down on long inputs:
//   - the count added is what the phone book holds, the notes are of cards
//     met, in order, and every person has a name, a company or an e-mail
//     address;
//   - the document saves and opens again with every person as it was;
//   - exporting the persons and importing that into an empty document gives
//     the same persons;
//   - importing the same bytes again adds nobody: every card is equal to a
//     person it added the first time, or was not added then either.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DocumentFile.h"
#include "PimDocument.h"
#include "VCard.h"

#define CHECK(holds) \
    ((holds) ? void() : (std::fprintf(stderr, "fuzz_vcard.cpp:%d: %s\n", __LINE__, #holds), std::abort()))

namespace {

constexpr Text Person::*kTexts[] = {
    &Person::FName,   &Person::LName, &Person::RName,   &Person::Company,  &Person::Position, &Person::Addr1,
    &Person::Addr2,   &Person::City,  &Person::State,   &Person::Zip,      &Person::HmPhone,  &Person::WkPhone,
    &Person::WkExt,   &Person::Fax,   &Person::Pager,   &Person::CelPhone, &Person::EMail,    &Person::WebPage,
    &Person::Notes};

void CheckSamePersons(const PimDocument& a, const PimDocument& b) {
    CHECK(a.persons.size() == b.persons.size());
    auto other = b.persons.begin();
    for (const auto& entry : a.persons) {
        CHECK(other->first == entry.first && other->second.ID == entry.second.ID);
        for (Text Person::*text : kTexts) CHECK(entry.second.*text == other->second.*text);
        CHECK(entry.second.WhitePages == other->second.WhitePages);
        CHECK(entry.second.YellowPages == other->second.YellowPages);
        ++other;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const VCardCodePages& codePages = PlatformVCardCodePages();
    const char* text = reinterpret_cast<const char*>(data) + 1;
    const size_t length = size - 1;

    PimDocument document;
    if (data[0] & 0x80) document.persons.SetLastID(INT32_MAX - (data[0] & 3));
    const VCardImportResult first = ImportVCards(document, text, length, codePages);
    CHECK(first.added >= 0 && static_cast<size_t>(first.added) == document.persons.size());
    CHECK(first.cards >= first.added && first.stoppedAtCard <= first.cards);
    CHECK(first.notes.size() <= kImportNotesKept && first.notedCards >= static_cast<int32_t>(first.notes.size()));
    CHECK(first.notes.size() == kImportNotesKept || first.notedCards == static_cast<int32_t>(first.notes.size()));
    for (size_t i = 0; i < first.notes.size(); ++i) {
        CHECK(first.notes[i].card >= 1 && first.notes[i].card <= first.cards);
        CHECK(i == 0 || first.notes[i - 1].card < first.notes[i].card);
        CHECK(first.notes[i].line >= 1 && !first.notes[i].reason.empty());
    }
    for (const auto& kind : first.leftOut) CHECK(!kind.first.empty() && kind.second > 0);
    for (const auto& entry : document.persons) {
        const Person& p = entry.second;
        CHECK(!p.FName.empty() || !p.LName.empty() || !p.Company.empty() || !p.EMail.empty());
        CHECK(p.WhitePages || p.YellowPages);
    }
    CHECK(document.IsModified() == (first.added > 0));

    std::string saved;
    WriteDocument(document, saved);
    PimDocument loaded;
    CHECK(LoadDocument(loaded, saved.data(), saved.size()));
    CheckSamePersons(document, loaded);

    std::string exported;
    CHECK(ExportVCards(document, codePages, [&exported](const char* bytes, size_t count) {
        exported.append(bytes, count);
        return true;
    }));
    PimDocument copy;
    if (document.persons.empty() || document.persons.begin()->first == 1) {
        // The copy issues IDs from 1 on, as the first import did when it
        // started from an empty phone book.
        const VCardImportResult back = ImportVCards(copy, exported.data(), exported.size(), codePages);
        CHECK(back.added == first.added && back.notedCards == 0 && back.leftOut.empty() && back.lostCharacters == 0);
        CheckSamePersons(document, copy);
    }

    const VCardImportResult second = ImportVCards(document, text, length, codePages);
    CHECK(second.added == 0);
    return 0;
}
