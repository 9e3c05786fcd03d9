// Loading a document where a user sees the outcome.
#pragma once

#include <windows.h>

#include <cstddef>

class PimDocument;

// Loads the file's bytes into the (cleared) document. A syntax error is shown
// as "Parsing error at line %d" in an error box owned by `owner`.
bool LoadDocumentShowingErrors(PimDocument& document, const char* bytes, size_t length,
                               HWND owner);
