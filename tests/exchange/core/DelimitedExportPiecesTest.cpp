// The export handed on in pieces: what the pieces make together, and a sink
// that stops taking them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DelimitedText.h"
#include "ExchangeTestLocale.h"
#include "PimDocument.h"

namespace {

// Exports persons with these first names, that column alone.
bool ExportFirstNames(const std::vector<std::string>& names, const ExportSink& sink) {
    PimDocument document;
    for (size_t i = 0; i < names.size(); ++i) {
        Person p;
        p.ID = static_cast<int32_t>(i + 1);
        p.FName = names[i];
        document.persons.Insert(p.ID, p);
    }
    ExchangeSettings settings = ExportSettingsFor(ExchangeKind::kPersons);
    settings.FieldMap = {"FirstName"};
    settings.Separator = ",";
    settings.Encloser = "\"";
    return ExportDelimitedText(document, ExchangeKind::kPersons, settings, ExchangeTestLocale(), sink);
}

// Names of every length up to 40 with a quote or a backslash at every place
// (short names lie inside their Text, longer ones apart, and values are
// copied in blocks of 8 or 16 bytes), a thousand names of 2,000 bytes, so
// that pieces end anywhere, and one name larger than a piece.
TEST(ExportPieces, MakeTheWholeTextWhateverTheValuesAndWherePiecesEnd) {
    std::vector<std::string> names;
    for (size_t length = 0; length <= 40; ++length) {
        for (size_t at = 0; at <= length; ++at) {  // at == length: the name has no mark
            for (char mark : {'"', '\\'}) names.push_back(std::string(length, 'a').replace(at, 1, at < length, mark));
        }
    }
    for (size_t i = 0; i < 1000; ++i) names.push_back(std::string(2000, 'b').replace(i * 7 % 2000, 1, 1, '"'));
    names.push_back(std::string(3 << 20, 'c') + "\\");
    std::string expected;
    for (const std::string& name : names) {
        if (!name.empty()) {
            expected += '"';
            for (char c : name) expected.append(c == '"' || c == '\\' ? 2 : 1, c);
            expected += '"';
        }
        expected += '\n';
    }

    std::string text;
    size_t pieces = 0;
    // An empty piece is refused, which fails the export.
    ASSERT_TRUE(ExportFirstNames(names, [&](const char* bytes, size_t size) {
        ++pieces;
        text.append(bytes, size);
        return size > 0;
    }));
    EXPECT_GE(pieces, 3u);
    EXPECT_EQ(expected.size(), text.size());
    EXPECT_TRUE(expected == text);
}

// A sink that refuses a piece is handed no more, and the export says it
// failed.
TEST(ExportPieces, StopAtThePieceRefused) {
    const std::vector<std::string> names(3000, std::string(1000, 'n'));
    for (int refused : {1, 2}) {
        int calls = 0;
        EXPECT_FALSE(ExportFirstNames(names, [&](const char*, size_t) { return ++calls < refused; }));
        EXPECT_EQ(refused, calls);
    }
}

}  // namespace
