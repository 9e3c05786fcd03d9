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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// A bit for each of the sixteen bytes at `p` that is escaped or begins a
// character of more than one byte.
inline __attribute__((always_inline)) uint32_t SpecialBits(const char* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i marked =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8(','))),
                     _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(';')),
                                               _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))),
                                  _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))));
    return static_cast<uint32_t>(_mm_movemask_epi8(marked) | _mm_movemask_epi8(bytes));
}
#endif

// Past the bytes at `p` that are written as they are, sixteen or eight at a
// time; `begin` is where the value's bytes begin.
const char* SkipPlain(const char* begin, const char* p, const char* end) {
#if defined(__SSE2__)
    for (; end - p >= 16; p += 16) {
        if (const uint32_t special = SpecialBits(p)) return p + __builtin_ctz(special);
    }
    if (p < end && end - begin >= 16) {
        // The last sixteen bytes of the value, of which those from `p` on
        // count.
        const uint32_t special = SpecialBits(end - 16) >> (16 - (end - p));
        return special ? p + __builtin_ctz(special) : end;
    }
#else
    static_cast<void>(begin);
#endif
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

// Writes cards into a buffer through a cursor: room is made once a card and
// once a long value, for the most they can take, and every write between is
// a plain copy.
class CardWriter {
public:
    CardWriter(const VCardCodePages& codePages, const ExportSink& sink) : converter_(codePages), sink_(sink) {
        Grow(kPieceBytes + 64 * 1024);
    }

    void WriteCard(const Person& p) {
        // Room for the card's heads and its short fields; a longer value
        // makes its own room.
        Room(kCardRoom);
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
            if (!p.FName.empty() && !p.LName.empty()) Value(std::string_view(" "));
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
    // A byte of the ANSI code page takes at most three of UTF-8, an escape
    // two, and a fold adds three to 72: four times a value is room. A card's
    // heads and its fields of up to 15 bytes (a score of them, some written
    // twice) take far less than this.
    static constexpr size_t kCardRoom = 4096;

    // At least `size` bytes free after the cursor.
    void Room(size_t size) {
        if (static_cast<size_t>(end_ - at_) < size) Grow(static_cast<size_t>(at_ - buffer_.get()) + size);
    }

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
        std::string_view written = p.WkPhone.view();
        if (p.WkExt.empty()) {
            Property("TEL;TYPE=WORK,VOICE:", p.WkPhone);
        } else {
            phone_.assign(p.WkPhone.data(), p.WkPhone.size());
            phone_ += " x";
            phone_.append(p.WkExt.data(), p.WkExt.size());
            written = phone_;
            Property("TEL;TYPE=WORK,VOICE:", written);
        }
        const NumberAndExtension back = SplitExtension(written);
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
    void Property(std::string_view head, const Text& value) {
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

    // Most fields are a few plain bytes kept inside their Text, all sixteen
    // of which can be read: those are copied in one step (the card's room
    // has space to spare past them) and looked at once.
    void Value(const Text& text) {
#if defined(__SSE2__)
        static_assert(sizeof(Text) == 16, "a short text lies in the Text's 16 bytes");
        const char* data = text.data();
        const size_t size = text.size();
        if (data == reinterpret_cast<const char*>(&text) && column_ + size <= kLineOctets) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(at_),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(data)));
            if ((SpecialBits(data) & ((1u << size) - 1)) == 0) {
                at_ += size;
                column_ += size;
                return;
            }
        }
#endif
        Value(text.view());
    }

    void Value(std::string_view ansi) {
        Room(4 * ansi.size() + kCardRoom);
        const char* begin = ansi.data();
        const char* p = begin;
        const char* end = p + ansi.size();
        bool converted = false;
        while (p < end) {
            if (!converted && static_cast<unsigned char>(*p) >= 0x80) {
                // The rest in UTF-8: all before it was ASCII, so a character
                // of the code page starts here.
                utf8_.clear();
                converter_.AnsiToUtf8(std::string_view(p, static_cast<size_t>(end - p)), utf8_);
                begin = p = utf8_.data();
                end = p + utf8_.size();
                converted = true;
            }
            // A run with nothing to escape goes in whole, or as much of it
            // as the line has room for.
            const char* stop = SkipPlain(begin, p, end);
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
    // Three persons in turn: the one written, the next, whose long texts
    // (elsewhere in memory) are fetched meanwhile, and the one after, whose
    // record is fetched.
    const auto end = document.persons.end();
    auto at = document.persons.begin();
    auto next = at == end ? end : std::next(at);
    auto after = next == end ? end : std::next(next);
    for (; at != end; at = next, next = after, after = after == end ? end : std::next(after)) {
        if (next != end) {
            const Person& p = next->second;
            for (const Text* text : {&p.Notes, &p.Addr1, &p.EMail, &p.WebPage}) __builtin_prefetch(text->data());
        }
        if (after != end) __builtin_prefetch(&after->second);
        writer.WriteCard(at->second);
        if (!writer.Flush(false)) return false;
    }
    return writer.Flush(true);
}
