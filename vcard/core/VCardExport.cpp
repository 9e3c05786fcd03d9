// The writer: every person as a vCard 3.0, produced into one buffer used
// over and over and handed to the caller's sink about a megabyte at a time,
// as the delimited export does.
//
// A value is written in UTF-8 with "\" "," ";" and line breaks escaped, and
// lines are folded before they pass 75 octets, never inside a character or
// an escape. Most values are short ASCII without anything to escape: those
// are copied whole.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "PimDocument.h"
#include "VCard.h"
#include "VCardUnicode.h"
#include "VCardValues.h"

namespace {

constexpr size_t kPieceBytes = size_t(1) << 20;
// Octets on a line, its line break not counted.
constexpr size_t kLineOctets = 75;

// Bytes that are escaped, or that begin a character of more than one byte.
constexpr std::array<bool, 256> SpecialBytes() {
    std::array<bool, 256> special{};
    special['\\'] = special[','] = special[';'] = special['\r'] = special['\n'] = true;
    for (size_t c = 0x80; c < 256; ++c) special[c] = true;
    return special;
}
constexpr std::array<bool, 256> kSpecial = SpecialBytes();

// Past the bytes at `p` that are written as they are, eight at a time.
const char* SkipPlain(const char* p, const char* end) {
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    const auto holds = [](uint64_t word, unsigned char byte) {
        const uint64_t x = word ^ (byte * kOnes);
        return (x - kOnes) & ~x;
    };
    for (uint64_t word; end - p >= 8; p += 8) {
        std::memcpy(&word, p, sizeof word);
        if ((word | holds(word, '\\') | holds(word, ',') | holds(word, ';') | holds(word, '\r') |
             holds(word, '\n')) & kHighs)
            break;
    }
    while (p < end && !kSpecial[static_cast<unsigned char>(*p)]) ++p;
    return p;
}

// The length of the UTF-8 character that begins with `lead`.
size_t CharacterLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Writes cards into a buffer through a cursor: a card's room is made once,
// for the most its fields can take, and every write after is a plain copy.
class CardWriter {
public:
    CardWriter(const VCardCodePages& codePages, const ExportSink& sink) : converter_(codePages), sink_(sink) {
        Grow(kPieceBytes + 64 * 1024);
    }

    void WriteCard(const Person& p) {
        // A byte of the ANSI code page takes at most three of UTF-8, an
        // escape two, and a fold adds three to 72: four times a field is
        // room, twice for those written twice (FN, and the work extension).
        size_t room = 1024 + 4 * (p.FName.size() + p.LName.size() + p.Company.size() + p.WkExt.size());
        for (const Text* text : {&p.FName, &p.LName, &p.Company, &p.Position, &p.Addr1, &p.Addr2, &p.City,
                                 &p.State, &p.Zip, &p.HmPhone, &p.WkPhone, &p.WkExt, &p.Fax, &p.Pager,
                                 &p.CelPhone, &p.EMail, &p.WebPage, &p.Notes})
            room += 4 * text->size();
        if (static_cast<size_t>(end_ - at_) < room) Grow(static_cast<size_t>(at_ - buffer_.get()) + room);

        Raw("BEGIN:VCARD\r\nVERSION:3.0\r\n");
        const bool hasCompany = !p.Company.empty();

        Start("N:");
        Value(p.LName);
        Separator();
        Value(p.FName);
        for (int empty = 0; empty < 3; ++empty) Separator();  // no additional names, prefix or suffix
        End();

        Start("FN:");
        if (p.FName.empty() && p.LName.empty()) {
            Value(p.Company);
        } else {
            Value(p.FName);
            if (!p.FName.empty() && !p.LName.empty()) Value(" ");
            Value(p.LName);
        }
        End();

        Property("ORG:", p.Company);
        Property("TITLE:", p.Position);
        if (!p.Addr1.empty() || !p.Addr2.empty() || !p.City.empty() || !p.State.empty() || !p.Zip.empty()) {
            Start(hasCompany ? "ADR;TYPE=WORK:" : "ADR;TYPE=HOME:");
            Separator();
            Value(p.Addr2);
            Separator();
            Value(p.Addr1);
            Separator();
            Value(p.City);
            Separator();
            Value(p.State);
            Separator();
            Value(p.Zip);
            Separator();
            End();
        }
        Property("TEL;TYPE=HOME,VOICE:", p.HmPhone);
        WorkPhone(p);
        Property(hasCompany ? "TEL;TYPE=WORK,FAX:" : "TEL;TYPE=HOME,FAX:", p.Fax);
        Property("TEL;TYPE=CELL,VOICE:", p.CelPhone);
        Property("TEL;TYPE=PAGER:", p.Pager);
        Property("EMAIL;TYPE=INTERNET:", p.EMail);
        Property("URL:", p.WebPage);
        Property("NOTE:", p.Notes);
        if (p.WhitePages || p.YellowPages) {
            Raw(p.WhitePages && p.YellowPages ? std::string_view("X-VANTREL-PAGES:WHITE,YELLOW\r\n")
                : p.WhitePages                ? std::string_view("X-VANTREL-PAGES:WHITE\r\n")
                                              : std::string_view("X-VANTREL-PAGES:YELLOW\r\n"));
        }
        Raw("END:VCARD\r\n");
    }

    // Hands the buffer on once it holds a piece; false once the sink refused.
    bool Flush(bool last) {
        const size_t used = static_cast<size_t>(at_ - buffer_.get());
        if (used == 0 || (!last && used < kPieceBytes)) return true;
        at_ = buffer_.get();
        return sink_(buffer_.get(), used);
    }

private:
    // Room for `size` bytes, what is written kept.
    void Grow(size_t size) {
        const size_t used = buffer_ ? static_cast<size_t>(at_ - buffer_.get()) : 0;
        const size_t capacity = buffer_ ? static_cast<size_t>(end_ - buffer_.get()) : 0;
        if (capacity >= size) return;
        size = std::max(size, 2 * capacity);  // a few large cards in a row grow it a few times only
        std::unique_ptr<char[]> bigger(new char[size]);
        if (used > 0) std::memcpy(bigger.get(), buffer_.get(), used);
        buffer_ = std::move(bigger);
        at_ = buffer_.get() + used;
        end_ = buffer_.get() + size;
    }

    // The extension follows the number as " x12", which other programs
    // read. When that would not read back as this number and this
    // extension ("555 x7" with none, say), our own property says which it
    // is.
    void WorkPhone(const Person& p) {
        if (p.WkPhone.empty() && p.WkExt.empty()) return;
        phone_.assign(p.WkPhone.data(), p.WkPhone.size());
        if (!p.WkExt.empty()) {
            phone_ += " x";
            phone_.append(p.WkExt.data(), p.WkExt.size());
        }
        Property("TEL;TYPE=WORK,VOICE:", phone_);
        const NumberAndExtension back = SplitExtension(phone_);
        if (back.number != p.WkPhone.view() || back.extension != p.WkExt.view()) {
            Start("X-VANTREL-WORKEXT:");
            Value(p.WkExt);
            End();
        }
    }

    void Property(std::string_view head, std::string_view value) {
        if (value.empty()) return;
        Start(head);
        Value(value);
        End();
    }

    void Raw(std::string_view bytes) {
        std::memcpy(at_, bytes.data(), bytes.size());
        at_ += bytes.size();
    }
    void Start(std::string_view head) {
        Raw(head);
        column_ = head.size();
    }
    void End() { Raw("\r\n"); }
    void Separator() { Put(";", 1); }
    void Fold() {
        Raw("\r\n ");
        column_ = 1;
    }

    // Bytes that must stay on one line.
    void Put(const char* bytes, size_t size) {
        if (column_ + size > kLineOctets) Fold();
        std::memcpy(at_, bytes, size);
        at_ += size;
        column_ += size;
    }

    void Value(std::string_view ansi) {
        const char* p = ansi.data();
        const char* end = p + ansi.size();
        bool converted = false;
        while (p < end) {
            if (!converted && static_cast<unsigned char>(*p) >= 0x80) {
                // The rest in UTF-8: all before it was ASCII, so a character
                // of the code page starts here.
                utf8_.clear();
                converter_.AnsiToUtf8(std::string_view(p, static_cast<size_t>(end - p)), utf8_);
                p = utf8_.data();
                end = p + utf8_.size();
                converted = true;
            }
            // A run with nothing to escape goes in whole, or as much of it
            // as the line has room for.
            const char* stop = SkipPlain(p, end);
            while (p < stop) {
                if (column_ == kLineOctets) Fold();
                const size_t take = std::min(static_cast<size_t>(stop - p), kLineOctets - column_);
                std::memcpy(at_, p, take);
                at_ += take;
                column_ += take;
                p += take;
            }
            if (p == end) break;
            if (!converted && static_cast<unsigned char>(*p) >= 0x80) continue;
            switch (*p) {
                case '\\':
                    Put("\\\\", 2);
                    break;
                case ',':
                    Put("\\,", 2);
                    break;
                case ';':
                    Put("\\;", 2);
                    break;
                case '\r':
                    if (p + 1 < end && p[1] == '\n') ++p;
                    Put("\\n", 2);
                    break;
                case '\n':
                    Put("\\n", 2);
                    break;
                default: {
                    const size_t length = std::min(CharacterLength(static_cast<unsigned char>(*p)),
                                                   static_cast<size_t>(end - p));
                    Put(p, length);
                    p += length - 1;
                    break;
                }
            }
            ++p;
        }
    }

    VCardConverter converter_;
    const ExportSink& sink_;
    std::unique_ptr<char[]> buffer_;
    char* at_ = nullptr;
    char* end_ = nullptr;
    size_t column_ = 0;
    std::string utf8_;
    std::string phone_;
};

}  // namespace

bool ExportVCards(const PimDocument& document, const VCardCodePages& codePages, const ExportSink& sink) {
    CardWriter writer(codePages, sink);
    for (const auto& entry : document.persons) {
        writer.WriteCard(entry.second);
        if (!writer.Flush(false)) return false;
    }
    return writer.Flush(true);
}
