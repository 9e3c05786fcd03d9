// The reader: persons added to the document from a file of vCards.
//
// A card's properties are gathered first and the person is made at its END,
// since which address and which numbers go where depends on whether the
// card has a company, wherever its ORG stands. Values are kept in UTF-8 in
// one store per card and brought to the ANSI code page only when they fill
// a field, so that what is left out counts no lost characters.
//
// Cards:
//   - Lines outside BEGIN:VCARD ... END:VCARD are passed over.
//   - A BEGIN:VCARD inside a card opens a card of its own, within an AGENT
//     property whose value is empty (version 2.1 writes the agent's card
//     there; it is left out), else it means the card before had no END.
//   - A line that cannot be read breaks its card, unless it continues a
//     base64 value (2.1 writers do not always indent those); a blank line
//     ends such a value.
#include <algorithm>
#include <string>
#include <vector>

#include "PhoneBookIndex.h"
#include "PimDocument.h"
#include "VCard.h"
#include "VCardLines.h"
#include "VCardProperties.h"
#include "VCardValues.h"

namespace {

// A property we do not know is reported by its name, and a charset we do
// not know named, up to this many characters.
constexpr size_t kNameShown = 40;
// A report names this many kinds at most; the rest count as "other data",
// so that a file of made-up property names gives a report one can read.
constexpr size_t kKindsNamed = 64;
const char* const kOtherData = "other data";
// A note names this many unknown charsets of its card at most.
constexpr size_t kCharsetsNamed = 3;
// A note shows this much of the line that names its card.
constexpr size_t kFirstLineShown = 80;

bool ValueIs(std::string_view value, std::string_view upper) {
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    return EqualsNoCase(value, upper);
}

bool StartsWithNoCase(std::string_view text, std::string_view upper) {
    return text.size() >= upper.size() && EqualsNoCase(text.substr(0, upper.size()), upper);
}

// Kinds of number, in the order of the person's fields.
enum Phone { kHome, kWork, kFax, kCell, kPager, kPhoneKinds };
const char* const kSecondPhone[kPhoneKinds] = {"second home phone", "second work phone", "second fax",
                                               "second cell phone", "second pager"};

// ADR's components.
enum AddressPart { kPostBox, kExtended, kStreet, kLocality, kRegion, kPostalCode, kCountry, kAddressParts };
// N's components.
enum NamePart { kFamily, kGiven, kAdditional, kPrefix, kSuffix, kNameParts };

// A TEL, EMAIL or ADR of the card, its value's components at `part` in the
// card's list of parts.
struct Entry {
    uint32_t types = 0;
    int32_t preference = kNotPreferred;
    bool uri = false;
    size_t part = 0;
};

// The entry ranked first: the most preferred, then the first written.
size_t Best(const std::vector<Entry>& entries) {
    size_t best = 0;
    for (size_t i = 1; i < entries.size(); ++i) {
        if (entries[i].preference < entries[best].preference) best = i;
    }
    return best;
}

class CardImport {
public:
    CardImport(PimDocument& document, const VCardCodePages& codePages, VCardImportResult& result)
        : persons_(document.persons), result_(result), converter_(codePages), decoder_(converter_),
          index_(document.persons) {}

    bool Stopped() const { return result_.stoppedAtCard != 0; }

    void Begin(int32_t line) {
        number_ = ++result_.cards;
        line_ = line;
        broken_.clear();
        namingRank_ = kNoName;
        naming_.clear();
        store_.clear();
        parts_.clear();
        tels_.clear();
        emails_.clear();
        addresses_.clear();
        leftOut_.clear();
        unknownCharsets_.clear();
        version4_ = false;
        hasN_ = hasFn_ = hasOrg_ = hasTitle_ = hasUrl_ = hasNote_ = hasPages_ = hasWorkExt_ = false;
    }

    // The first reason stands.
    void Break(const std::string& reason) {
        if (broken_.empty()) broken_ = reason;
    }

    // One property of the card (not BEGIN or END).
    void Take(const ContentLine& line, const Parameters& parameters) {
        const PropertyName* property = FindProperty(line.name);
        const PropertyKind kind = property ? property->kind : PropertyKind::kUnknown;
        RememberName(line, kind);
        if (!broken_.empty() || kind == PropertyKind::kIgnored) return;
        if (kind == PropertyKind::kUnknown) {
            std::string name(line.name.substr(0, kNameShown));
            for (char& c : name) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            return LeaveOut(name);
        }
        if (kind == PropertyKind::kLeftOut || kind == PropertyKind::kAgent) return LeaveOut(property->leftOut);
        if (parameters.encoding == ValueEncoding::kBase64 && kind != PropertyKind::kVersion) {
            // Our fields hold text: an encoded value is some program's own data.
            return LeaveOut(std::string(property->name) + " in base64");
        }
        switch (kind) {
            case PropertyKind::kVersion:
                version4_ = StartsWithNoCase(line.value, "4");
                return;
            case PropertyKind::kN:
                if (hasN_) return LeaveOut("second name");
                hasN_ = true;
                return Decode(line, parameters, true, names_, kNameParts);
            case PropertyKind::kFn:
                if (!hasFn_) Decode(line, parameters, false, &fn_, 1);
                hasFn_ = true;
                return;
            case PropertyKind::kOrg:
                if (hasOrg_) return LeaveOut("second company");
                hasOrg_ = true;
                Decode(line, parameters, true, org_, 2);
                if (org_[1].size > 0) LeaveOut("department");
                return;
            case PropertyKind::kTitle:
                return Single(line, parameters, hasTitle_, title_, "second title");
            case PropertyKind::kUrl:
                return Single(line, parameters, hasUrl_, url_, "second web page");
            case PropertyKind::kNote:
                return Single(line, parameters, hasNote_, note_, "second note");
            case PropertyKind::kPages:
                return Single(line, parameters, hasPages_, pages_, nullptr);
            case PropertyKind::kWorkExt:
                return Single(line, parameters, hasWorkExt_, workExt_, nullptr);
            case PropertyKind::kTel:
                return AddEntry(line, parameters, false, tels_, 1);
            case PropertyKind::kEmail:
                return AddEntry(line, parameters, false, emails_, 1);
            case PropertyKind::kAdr:
                return AddEntry(line, parameters, true, addresses_, kAddressParts);
            default:
                return;
        }
    }

    // At the card's END, or where it turned out to have none.
    void Finish() {
        if (!broken_.empty()) return Note(broken_);
        if (!persons_.HasIDLeft()) {
            // Every later card would be refused alike: stop and say where.
            result_.stoppedAtCard = number_;
            return;
        }
        lost_ = 0;
        const int32_t id = persons_.LastID() + 1;
        Person* person = persons_.InsertCopy(id, empty_);  // null when the ID is taken
        if (!person) {
            spare_ = empty_;
            person = &spare_;
        }
        Fill(*person);
        const bool named = !person->FName.empty() || !person->LName.empty() || !person->Company.empty() ||
                           !person->EMail.empty();
        const bool known = named && index_.Contains(*person);
        if (!named || known || person == &spare_) {
            if (person != &spare_) {
                persons_.Erase(id);
            } else if (named && !known) {
                // An ID taken already keeps its record, as Insert would.
                persons_.IssueID();
                return Note("no room for another person");
            }
            if (!named) return Note("no name, company or e-mail address");
            return Count(result_.leftOut, "card already in the phone book");
        }
        persons_.IssueID();
        person->ID = id;
        person->RName = person->MakeDisplayName();
        index_.Add(*person);
        ++result_.added;
        for (const auto& kind : leftOut_) Count(result_.leftOut, kind.first, kind.second);
        result_.lostCharacters = result_.lostCharacters > INT32_MAX - lost_ ? INT32_MAX : result_.lostCharacters + lost_;
        std::string reason;
        for (const std::string& charset : unknownCharsets_) {
            reason += (reason.empty() ? "unknown character set " : ", ") + charset;
        }
        if (lost_ > 0) {
            if (!reason.empty()) reason += "; ";
            reason += std::to_string(lost_) + (lost_ == 1 ? " character" : " characters") + " not in the code page";
        }
        if (!reason.empty()) Note(reason);
    }

private:
    static constexpr int kNoName = 6;

    // Keeps the line that names the card best for its note: FN, N, ORG,
    // EMAIL, else the first line but VERSION, which every card has alike.
    void RememberName(const ContentLine& line, PropertyKind kind) {
        const int rank = kind == PropertyKind::kFn ? 0 : kind == PropertyKind::kN ? 1 : kind == PropertyKind::kOrg ? 2
                         : kind == PropertyKind::kEmail ? 3 : kind == PropertyKind::kVersion ? 5 : 4;
        if (rank >= namingRank_) return;
        namingRank_ = rank;
        naming_.assign(line.text.data(), std::min(line.text.size(), kFirstLineShown * 2));
    }

    void Decode(const ContentLine& line, const Parameters& parameters, bool structured, TextRange* parts,
                size_t count) {
        bool unknownCharset = false;
        const size_t found = decoder_.Decode(line.value, parameters, structured, store_, parts, count, unknownCharset);
        for (size_t i = found; i < count; ++i) parts[i] = TextRange{store_.size(), 0};
        if (!unknownCharset) return;
        // Each named once, and a few at most: the note is one line.
        const std::string charset(parameters.charset.substr(0, kNameShown));
        if (unknownCharsets_.size() < kCharsetsNamed &&
            std::find(unknownCharsets_.begin(), unknownCharsets_.end(), charset) == unknownCharsets_.end())
            unknownCharsets_.push_back(charset);
    }

    void Single(const ContentLine& line, const Parameters& parameters, bool& has, TextRange& value,
                const char* second) {
        if (has) {
            if (second) LeaveOut(second);
            return;
        }
        has = true;
        Decode(line, parameters, false, &value, 1);
    }

    void AddEntry(const ContentLine& line, const Parameters& parameters, bool structured, std::vector<Entry>& entries,
                  size_t count) {
        Entry entry;
        entry.types = parameters.types;
        entry.preference = parameters.preference;
        entry.uri = parameters.uri;
        entry.part = parts_.size();
        parts_.resize(parts_.size() + count);
        Decode(line, parameters, structured, &parts_[entry.part], count);
        entries.push_back(entry);
    }

    void LeaveOut(const std::string& kind) { Count(leftOut_, kind); }

    static void Count(std::vector<std::pair<std::string, int32_t>>& counts, const std::string& kind,
                      int32_t count = 1) {
        for (auto& entry : counts) {
            if (entry.first == kind) {
                entry.second = entry.second > INT32_MAX - count ? INT32_MAX : entry.second + count;
                return;
            }
        }
        if (counts.size() >= kKindsNamed && kind != kOtherData) return Count(counts, kOtherData, count);
        counts.emplace_back(kind, count);
    }

    void Note(const std::string& reason) {
        ++result_.notedCards;
        if (result_.notes.size() >= kImportNotesKept) return;
        VCardNote note;
        note.card = number_;
        note.line = line_;
        // The line as it stands in the file, read as a value without
        // parameters would be.
        std::string_view shown = naming_;
        if (shown.size() > kFirstLineShown) {
            shown = shown.substr(0, kFirstLineShown);
            // Not inside a UTF-8 character.
            while (!shown.empty() && (static_cast<unsigned char>(naming_[shown.size()]) & 0xC0) == 0x80)
                shown.remove_suffix(1);
        }
        std::string utf8;
        if (IsUtf8(shown)) {
            utf8.assign(shown.data(), shown.size());
        } else {
            converter_.CodePageToUtf8(converter_.CodePages().AnsiCodePage(), shown, utf8);
        }
        converter_.Utf8ToAnsi(utf8, note.firstLine);
        note.reason = reason;
        result_.notes.push_back(std::move(note));
    }

    std::string_view View(TextRange range) const { return std::string_view(store_).substr(range.at, range.size); }

    // Appends a value in the ANSI code page, counting what it lost.
    void Append(std::string& out, std::string_view utf8) { lost_ += converter_.Utf8ToAnsi(utf8, out); }

    void Set(Text& field, std::string_view utf8) {
        if (IsAscii(utf8)) {  // the same in every ANSI code page
            field.assign(utf8.data(), utf8.size());
            return;
        }
        ansi_.clear();
        Append(ansi_, utf8);
        field.assign(ansi_.data(), ansi_.size());
    }

    void Fill(Person& person) {
        const std::string_view company = hasOrg_ ? View(org_[0]) : std::string_view();
        Set(person.Company, company);
        FillNames(person, company);
        if (hasTitle_) Set(person.Position, View(title_));
        if (hasUrl_) Set(person.WebPage, View(url_));
        if (hasNote_) Set(person.Notes, View(note_));
        if (!emails_.empty()) {
            Set(person.EMail, View(parts_[emails_[Best(emails_)].part]));
            for (size_t i = 1; i < emails_.size(); ++i) LeaveOut("second e-mail");
        }
        FillAddress(person, !company.empty());
        FillPhones(person, !company.empty());
        person.WhitePages = company.empty() ? 1 : 0;
        person.YellowPages = company.empty() ? 0 : 1;
        if (hasPages_) {
            bool white = false, yellow = false;
            std::string_view list = View(pages_);
            while (true) {
                const size_t comma = list.find(',');
                const std::string_view page = list.substr(0, comma);
                white = white || ValueIs(page, "WHITE");
                yellow = yellow || ValueIs(page, "YELLOW");
                if (comma == std::string_view::npos) break;
                list.remove_prefix(comma + 1);
            }
            if (white || yellow) {
                person.WhitePages = white ? 1 : 0;
                person.YellowPages = yellow ? 1 : 0;
            }
        }
    }

    void FillNames(Person& person, std::string_view company) {
        if (hasN_ && (names_[kFamily].size > 0 || names_[kGiven].size > 0)) {
            ansi_.clear();
            Append(ansi_, View(names_[kGiven]));
            if (names_[kGiven].size > 0 && names_[kAdditional].size > 0) ansi_ += ' ';
            Append(ansi_, View(names_[kAdditional]));
            person.FName.assign(ansi_.data(), ansi_.size());
            Set(person.LName, View(names_[kFamily]));
            if (names_[kPrefix].size > 0) LeaveOut("name prefix");
            if (names_[kSuffix].size > 0) LeaveOut("name suffix");
            return;
        }
        if (!hasFn_) return;
        const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
        const auto trimmed = [&isSpace](std::string_view text) {
            while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
            while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
            return text;
        };
        const std::string_view full = trimmed(View(fn_));
        if (full.empty() || full == trimmed(company)) return;
        const size_t space = full.rfind(' ');
        if (space == std::string_view::npos) return Set(person.FName, full);
        std::string_view first = full.substr(0, space);
        while (!first.empty() && isSpace(first.back())) first.remove_suffix(1);
        Set(person.FName, first);
        Set(person.LName, full.substr(space + 1));
    }

    // The preferred address, else the work address of a person with a
    // company, else the home address, else the first.
    void FillAddress(Person& person, bool hasCompany) {
        if (addresses_.empty()) return;
        size_t chosen = Best(addresses_);
        if (addresses_[chosen].preference == kNotPreferred) {
            size_t work = addresses_.size(), home = addresses_.size();
            for (size_t i = addresses_.size(); i-- > 0;) {
                if (addresses_[i].types & kTypeWork) work = i;
                if (addresses_[i].types & kTypeHome) home = i;
            }
            chosen = hasCompany && work < addresses_.size() ? work : home < addresses_.size() ? home : 0;
        }
        for (size_t i = 1; i < addresses_.size(); ++i) LeaveOut("second address");
        const TextRange* parts = &parts_[addresses_[chosen].part];
        const std::string_view street = View(parts[kStreet]);
        const size_t lineEnd = street.find("\r\n");
        Set(person.Addr1, street.substr(0, lineEnd));
        const std::string_view secondLine =
            lineEnd == std::string_view::npos ? std::string_view() : street.substr(lineEnd + 2);
        if (parts[kExtended].size > 0) {
            Set(person.Addr2, View(parts[kExtended]));
            if (!secondLine.empty()) LeaveOut("address line");
        } else {
            Set(person.Addr2, secondLine);
        }
        Set(person.City, View(parts[kLocality]));
        Set(person.State, View(parts[kRegion]));
        Set(person.Zip, View(parts[kPostalCode]));
        if (parts[kPostBox].size > 0) LeaveOut("post office box");
        if (parts[kCountry].size > 0) LeaveOut("country");
    }

    static Phone KindOf(uint32_t types, bool hasCompany) {
        if (types & kTypeFax) return kFax;
        if (types & kTypeCell) return kCell;
        if (types & kTypePager) return kPager;
        if (types & kTypeHome) return kHome;
        if (types & kTypeWork) return kWork;
        return hasCompany ? kWork : kHome;
    }

    void FillPhones(Person& person, bool hasCompany) {
        size_t chosen[kPhoneKinds];
        for (size_t& c : chosen) c = tels_.size();
        for (size_t i = 0; i < tels_.size(); ++i) {
            size_t& best = chosen[KindOf(tels_[i].types, hasCompany)];
            if (best == tels_.size()) {
                best = i;
            } else {
                LeaveOut(kSecondPhone[KindOf(tels_[i].types, hasCompany)]);
                if (tels_[i].preference < tels_[best].preference) best = i;
            }
        }
        Text* const fields[kPhoneKinds] = {&person.HmPhone, &person.WkPhone, &person.Fax, &person.CelPhone,
                                           &person.Pager};
        for (int kind = 0; kind < kPhoneKinds; ++kind) {
            if (chosen[kind] == tels_.size()) continue;
            const Entry& tel = tels_[chosen[kind]];
            std::string_view number = View(parts_[tel.part]);
            std::string_view extension;
            if (tel.uri || (version4_ && StartsWithNoCase(number, "TEL:"))) {
                if (StartsWithNoCase(number, "TEL:")) number.remove_prefix(4);
                const NumberAndExtension split = SplitExtension(number);
                extension = split.extension;
                number = split.number.substr(0, split.number.find(';'));
            } else if (kind == kWork && hasWorkExt_) {
                // Our own export says where the number ends.
                extension = View(workExt_);
                const std::string suffix = " x" + std::string(extension);
                if (!extension.empty() && number.size() >= suffix.size() &&
                    number.substr(number.size() - suffix.size()) == suffix)
                    number.remove_suffix(suffix.size());
            } else if (kind == kWork) {
                const NumberAndExtension split = SplitExtension(number);
                number = split.number;
                extension = split.extension;
            }
            if (kind == kWork) {
                Set(person.WkPhone, number);
                Set(person.WkExt, extension);
            } else {
                ansi_.clear();
                Append(ansi_, number);
                if (!extension.empty()) {
                    ansi_ += " x";
                    Append(ansi_, extension);
                }
                fields[kind]->assign(ansi_.data(), ansi_.size());
            }
        }
    }

    Persons& persons_;
    VCardImportResult& result_;
    VCardConverter converter_;
    ValueDecoder decoder_;
    PhoneBookIndex index_;
    const Person empty_;
    Person spare_;

    // The card being read.
    int32_t number_ = 0;
    int32_t line_ = 0;
    std::string broken_;  // why it is skipped; empty while it is whole
    int namingRank_ = kNoName;
    std::string naming_;
    std::string store_;  // its values in UTF-8
    std::vector<TextRange> parts_;
    std::vector<Entry> tels_, emails_, addresses_;
    std::vector<std::pair<std::string, int32_t>> leftOut_;
    std::vector<std::string> unknownCharsets_;
    bool version4_ = false;
    bool hasN_ = false, hasFn_ = false, hasOrg_ = false, hasTitle_ = false, hasUrl_ = false, hasNote_ = false,
         hasPages_ = false, hasWorkExt_ = false;
    TextRange names_[kNameParts], fn_, org_[2], title_, url_, note_, pages_, workExt_;
    int32_t lost_ = 0;
    std::string ansi_;
};

bool IsCardLine(const ContentLine& line, std::string_view name) {
    return line.readable && EqualsNoCase(line.name, name) && ValueIs(line.value, "VCARD");
}

}  // namespace

VCardImportResult ImportVCards(PimDocument& document, const char* bytes, size_t length,
                               const VCardCodePages& codePages) {
    VCardImportResult result;
    CardImport card(document, codePages, result);
    ContentLineReader reader(bytes, length);
    ContentLine line;
    int depth = 0;               // 1 inside a card, more inside an agent's card within it
    bool agentAhead = false;     // the line before was an AGENT without a value
    bool inBase64 = false;       // the lines may continue a base64 value
    const auto cannotRead = [&card](int32_t number) {
        card.Break("line " + std::to_string(number) + " cannot be read");
    };
    while (!card.Stopped() && reader.Next(line)) {
        if (line.blank) {
            inBase64 = false;
            continue;
        }
        if (depth == 0) {
            if (IsCardLine(line, "BEGIN")) {
                card.Begin(line.line);
                depth = 1;
            }
            continue;
        }
        if (!line.readable) {
            if (!inBase64 && depth == 1) cannotRead(line.line);
            continue;
        }
        inBase64 = false;
        if (line.name.size() == 5 && IsCardLine(line, "BEGIN")) {
            if (agentAhead || depth > 1) {
                ++depth;
                agentAhead = false;
                continue;
            }
            card.Break("no END:VCARD");
            card.Finish();
            card.Begin(line.line);
            continue;
        }
        agentAhead = false;
        if (line.name.size() == 3 && IsCardLine(line, "END")) {
            if (--depth == 0) card.Finish();
            continue;
        }
        if (depth > 1) continue;
        const Parameters parameters = ReadParameters(line.params);
        inBase64 = parameters.encoding == ValueEncoding::kBase64;
        agentAhead = EqualsNoCase(line.name, "AGENT") && ValueIs(line.value, "");
        card.Take(line, parameters);
    }
    if (depth > 0 && !card.Stopped()) {
        card.Break("no END:VCARD");
        card.Finish();
    }
    // One notification for the whole import: the views refill once.
    if (result.added > 0) document.SetModified(true, true);
    return result;
}
