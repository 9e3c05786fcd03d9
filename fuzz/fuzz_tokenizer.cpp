// Splits arbitrary text into fields. The first three bytes choose the
// separator, the encloser and whether the code page has double-byte
// characters; the rest is the text.
//
// Beyond not crashing or hanging:
//   - NextField over the text as one line shortens the line with every field
//     and ends;
//   - the readers' way of reading records straight from a text (where an
//     enclosed field runs over line breaks when it is closed, and a line
//     break ends it when it is not) splits each record exactly as NextField
//     splits that record's text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ExchangeFuzzLocale.h"
#include "FieldScanner.h"
#include "FieldTokenizer.h"

#define CHECK(holds) \
    ((holds) ? void() : (std::fprintf(stderr, "fuzz_tokenizer.cpp:%d: %s\n", __LINE__, #holds), std::abort()))

namespace {

std::string PickSeparator(uint8_t byte) {
    static const char kSeparators[] = {',', ';', '|', ' ', '\t'};
    if (byte < 200) return std::string(1, kSeparators[byte % 5]);
    return byte < 250 ? std::string(1, static_cast<char>(byte - 200 + 32)) : std::string();
}

std::string PickEncloser(uint8_t byte) {
    static const char* const kEnclosers[] = {"\"", "'", ""};
    if (byte < 240) return kEnclosers[byte % 3];
    return std::string(1, static_cast<char>(byte % 4 == 0 ? '\\' : byte % 4 == 1 ? ',' : byte));
}

std::vector<std::string> Split(std::string line, const FieldTokenizer& tokenizer) {
    std::vector<std::string> fields;
    std::string field;
    size_t before = line.size() + 1;
    while (tokenizer.NextField(line, field)) {
        CHECK(line.size() < before);
        before = line.size();
        fields.push_back(field);
        field.clear();
    }
    CHECK(line.empty());
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    ExchangeSettings settings;
    settings.Separator = PickSeparator(data[0]);
    settings.Encloser = PickEncloser(data[1]);
    const ExchangeFuzzLocale locale(data[2] & 1);
    const std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);
    const FieldTokenizer tokenizer(settings, locale);

    Split(text, tokenizer);

    const FieldScanner scanner = FieldScanner::ForSettings(settings, locale);
    const char* end = scanner.TrimmedEnd(text.data(), text.data() + text.size());
    const char* at = text.data();
    std::string field;
    while (at < end) {
        // A record whose enclosed field runs over a line break and is never
        // closed is read again as one line, as the readers do.
        const char* start = at;
        std::vector<std::string> fields;
        for (bool oneLine : {false, true}) {
            at = start;
            fields.clear();
            FieldScanner::Result result;
            for (;;) {
                const char* before = at;
                result = scanner.Read(at, end, true, &field, oneLine);
                CHECK(!(oneLine && result == FieldScanner::Result::kTooLong));
                if (result == FieldScanner::Result::kNoField || result == FieldScanner::Result::kTooLong) break;
                fields.push_back(field);
                if (result == FieldScanner::Result::kLastField) break;
                CHECK(at > before);
            }
            if (result != FieldScanner::Result::kTooLong) break;
        }
        CHECK(Split(std::string(start, at), tokenizer) == fields);
        if (at < end) at += (*at == '\r' && at + 1 < end && at[1] == '\n') ? 2 : 1;
    }
    return 0;
}
