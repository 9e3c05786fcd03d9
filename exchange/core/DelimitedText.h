// Export and import of one kind of record as delimited text: the file's
// text produced from the document, piece by piece or whole, and records
// added to the document from a file's whole text. Files themselves are read
// and written by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ExchangeLocale.h"
#include "ExchangeSettings.h"

class PimDocument;

// Takes the next piece of an export's text (`size` bytes at `bytes`, valid
// only during the call); false when it could not be written, which ends the
// export.
using ExportSink = std::function<bool(const char* bytes, size_t size)>;

// Hands the text of an export of `kind` with `settings` (FieldMap,
// Separator, Encloser, FirstLineHasNames) to `sink` in order, in pieces of
// about a megabyte (more where one value needs it). An empty collection
// gives no piece at all, header or not. True when the sink took every
// piece; after a refusal it is not called again.
bool ExportDelimitedText(const PimDocument& document, ExchangeKind kind, const ExchangeSettings& settings,
                         const ExchangeLocale& locale, const ExportSink& sink);

// The same text whole, and the number of records it holds.
struct ExportText {
    std::string text;
    int32_t records = 0;
};
ExportText BuildExportText(const PimDocument& document, ExchangeKind kind,
                           const ExchangeSettings& settings, const ExchangeLocale& locale);

// A line of the file that was not imported, or not as it was written: its
// 1-based number (where its record began) and why, in a few words.
struct ImportNote {
    int32_t line = 0;
    std::string text;
};
constexpr size_t kImportNotesKept = 20;

// What an import did: the records added, and the first kImportNotesKept
// notes, in line order, with how many lines were noted in all. When the
// document ran out of IDs for the kind, the import stopped at the record
// beginning on `stoppedAtLine` (0 when it read the whole file): neither it
// nor any after it was added.
struct ImportResult {
    int32_t added = 0;
    std::vector<ImportNote> notes;
    int32_t notedLines = 0;
    int32_t stoppedAtLine = 0;
};
// Adds the records of a file's whole text (`bytes`, `length`, in the ANSI
// code page, UTF-8 or UTF-16) to the document, with `settings` (FieldMap,
// ColumnCount, Separator, Encloser, FirstLineHasNames). When anything was added the document is marked
// modified with one notification at the end (one per record would refill
// the views once per line).
ImportResult ImportDelimitedText(PimDocument& document, ExchangeKind kind,
                                 const ExchangeSettings& settings, const char* bytes,
                                 size_t length, const ExchangeLocale& locale);

// The first line of a file's whole text as the wizard shows it, in the ANSI
// code page: up to 1023 characters, up to the first line break, trimmed.
std::string FirstLineOf(const char* bytes, size_t length, const ExchangeLocale& locale);
