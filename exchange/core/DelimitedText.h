// Export and import of one kind of record as delimited text: the file's
// whole text built from the document, and records added to the document
// from a file's whole text. Files themselves are read and written by the
// caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ExchangeLocale.h"
#include "ExchangeSettings.h"

class PimDocument;

// The text of an export of `kind` with `settings` (FieldMap, Separator,
// Encloser, FirstLineHasNames), and the number of records it holds. An empty
// collection gives an empty text, header or not.
struct ExportText {
    std::string text;
    int32_t records = 0;
};
ExportText BuildExportText(const PimDocument& document, ExchangeKind kind,
                           const ExchangeSettings& settings, const ExchangeLocale& locale);

// What an import did: the records added, and when a record was longer than
// the reader's limit, the 1-based line of the file where that record began
// (0 when the whole file was read).
struct ImportResult {
    int32_t added = 0;
    int32_t stoppedAtLine = 0;
};
// Adds the records of a file's whole text (`bytes`, `length`) to the
// document, with `settings` (FieldMap, ColumnCount, Separator, Encloser,
// FirstLineHasNames). When anything was added the document is marked
// modified with one notification at the end (one per record would refill
// the views once per line).
ImportResult ImportDelimitedText(PimDocument& document, ExchangeKind kind,
                                 const ExchangeSettings& settings, const char* bytes,
                                 size_t length, const ExchangeLocale& locale);

// The first line of a file's text as the wizard shows it: up to 1023
// characters, up to the first line feed, trimmed.
std::string FirstLineOf(const char* bytes, size_t length, const ExchangeLocale& locale);
