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
#include <cstring>
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

bool Special(char c) { return kSpecial[static_cast<unsigned char>(c)]; }

// The length of the UTF-8 character that begins with `lead`.
size_t CharacterLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

class CardWriter {
public:
    CardWriter(const VCardCodePages& codePages, const ExportSink& sink) : converter_(codePages), sink_(sink) {
        out_.reserve(kPieceBytes + 64 * 1024);
    }

    void WriteCard(const Person& p) {
        out_ += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
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
            out_ += p.WhitePages && p.YellowPages ? "X-VANTREL-PAGES:WHITE,YELLOW\r\n"
                    : p.WhitePages                ? "X-VANTREL-PAGES:WHITE\r\n"
                                                  : "X-VANTREL-PAGES:YELLOW\r\n";
        }
        out_ += "END:VCARD\r\n";
    }

    // Hands the buffer on once it holds a piece; false once the sink refused.
    bool Flush(bool last) {
        if (out_.empty() || (!last && out_.size() < kPieceBytes)) return true;
        const bool taken = sink_(out_.data(), out_.size());
        out_.clear();
        return taken;
    }

private:
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

    void Start(std::string_view head) {
        out_.append(head.data(), head.size());
        column_ = head.size();
    }
    void End() { out_ += "\r\n"; }
    void Separator() { Put(";", 1); }

    // Bytes that must stay on one line.
    void Put(const char* bytes, size_t size) {
        if (column_ + size > kLineOctets) {
            out_ += "\r\n ";
            column_ = 1;
        }
        out_.append(bytes, size);
        column_ += size;
    }

    void Value(std::string_view ansi) {
        std::string_view text = ansi;
        for (char c : ansi) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                utf8_.clear();
                converter_.AnsiToUtf8(ansi, utf8_);
                text = utf8_;
                break;
            }
        }
        const char* p = text.data();
        const char* end = p + text.size();
        while (p < end) {
            // A run with nothing to escape goes in whole, or as much of it
            // as the line has room for.
            const char* run = p;
            while (p < end && !Special(*p)) ++p;
            while (run < p) {
                if (column_ == kLineOctets) {
                    out_ += "\r\n ";
                    column_ = 1;
                }
                const size_t take = std::min(static_cast<size_t>(p - run), kLineOctets - column_);
                out_.append(run, take);
                column_ += take;
                run += take;
            }
            if (p == end) break;
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
    std::string out_;
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
