#include "VCardValues.h"

#include <array>

namespace {

// The bytes the unescaping stops at; every other byte is copied in runs.
constexpr std::array<bool, 256> MarkedBytes() {
    std::array<bool, 256> marked{};
    marked['\\'] = marked[';'] = marked['\r'] = marked['\n'] = marked[0] = true;
    return marked;
}
constexpr std::array<bool, 256> kMarked = MarkedBytes();

bool Marked(char c) { return kMarked[static_cast<unsigned char>(c)]; }

}  // namespace

size_t ValueDecoder::Decode(std::string_view value, const Parameters& parameters, bool structured, std::string& store,
                            TextRange* parts, size_t maxParts, bool& unknownCharset) {
    if (parameters.encoding == ValueEncoding::kQuotedPrintable) {
        DecodeQuotedPrintable(value, decoded_);
        value = decoded_;
    }
    // Nearly every value is plain ASCII with nothing to resolve: one copy.
    if (parameters.charset.empty()) {
        size_t plain = 0;
        while (plain < value.size() && !Marked(value[plain]) && static_cast<unsigned char>(value[plain]) < 0x80)
            ++plain;
        if (plain == value.size()) {
            if (maxParts > 0) parts[0] = TextRange{store.size(), value.size()};
            store.append(value.data(), value.size());
            return maxParts > 0 ? 1 : 0;
        }
    }
    bool converted = false;
    if (!parameters.charset.empty()) {
        const uint32_t codePage = CodePageOfCharset(parameters.charset);
        converted_.clear();
        if (codePage != 0 && converter_.CodePageToUtf8(codePage, value, converted_)) {
            value = converted_;
            converted = true;
        } else {
            unknownCharset = true;
        }
    }
    if (!converted && !IsUtf8(value)) {
        converted_.clear();
        converter_.CodePageToUtf8(converter_.CodePages().AnsiCodePage(), value, converted_);
        value = converted_;
    }

    size_t count = 0;
    size_t start = store.size();
    bool ended = false;  // the component has met its zero byte
    const auto close = [&]() {
        if (count < maxParts) parts[count] = TextRange{start, store.size() - start};
        ++count;
        start = store.size();
        ended = false;
    };
    const char* p = value.data();
    const char* end = p + value.size();
    while (p < end) {
        const char* run = p;
        while (p < end && !Marked(*p)) ++p;
        if (!ended) store.append(run, static_cast<size_t>(p - run));
        if (p == end) break;
        const char c = *p++;
        if (c == ';' && structured) {
            // Components past those wanted are not kept at all.
            if (count + 1 >= maxParts) {
                if (count < maxParts) close();
                count = maxParts;
                return count;
            }
            close();
            continue;
        }
        if (ended) {
            // An escaped character after the zero byte is not a separator.
            if (c == '\\' && p < end) ++p;
            continue;
        }
        switch (c) {
            case '\0':
                ended = true;
                break;
            case '\r':
                if (p < end && *p == '\n') ++p;
                store += "\r\n";
                break;
            case '\n':
                store += "\r\n";
                break;
            case '\\':
                if (p == end) {
                    store += '\\';
                } else if (*p == 'n' || *p == 'N') {
                    store += "\r\n";
                    ++p;
                } else if (*p == '\\' || *p == ',' || *p == ';' || *p == ':') {
                    store += *p++;
                } else {
                    store += '\\';
                }
                break;
            default:
                store += c;
                break;
        }
    }
    close();
    return count < maxParts ? count : maxParts;
}

NumberAndExtension SplitExtension(std::string_view phone) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    const auto trimmed = [&isSpace](std::string_view text) {
        while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
        return text;
    };
    for (size_t i = 0; i + 5 <= phone.size(); ++i) {
        if (phone[i] == ';' && lower(phone[i + 1]) == 'e' && lower(phone[i + 2]) == 'x' &&
            lower(phone[i + 3]) == 't' && phone[i + 4] == '=') {
            const std::string_view rest = phone.substr(i + 5);
            return {phone.substr(0, i), rest.substr(0, rest.find(';'))};
        }
    }
    size_t at = phone.size();
    while (at > 0 && isDigit(phone[at - 1])) --at;
    if (at == phone.size()) return {phone, {}};
    const std::string_view extension = phone.substr(at);
    while (at > 0 && isSpace(phone[at - 1])) --at;
    // The marker: "x", "ext" or "ext.".
    size_t marker = at;
    if (marker > 0 && phone[marker - 1] == '.') --marker;
    if (marker >= 3 && lower(phone[marker - 3]) == 'e' && lower(phone[marker - 2]) == 'x' &&
        lower(phone[marker - 1]) == 't') {
        marker -= 3;
    } else if (marker == at && marker > 0 && lower(phone[marker - 1]) == 'x') {
        --marker;
    } else {
        return {phone, {}};
    }
    // After the number, not inside a word.
    if (marker > 0 && !isSpace(phone[marker - 1]) && !isDigit(phone[marker - 1]) && phone[marker - 1] != ')')
        return {phone, {}};
    return {trimmed(phone.substr(0, marker)), extension};
}
