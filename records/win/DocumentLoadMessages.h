// Loading a document where a user sees the outcome.
#pragma once

#include <windows.h>

#include <cstddef>

class PimDocument;

// Loads the file's bytes into the (cleared) document; true only for a
// document of ours. A syntax error is shown as "Parsing error at line %d" in
// an error box owned by `owner`; a file that parses but is not ours fails
// without a box of its own (the caller says the file could not be loaded).
bool LoadDocumentShowingErrors(PimDocument& document, const char* bytes, size_t length,
                               HWND owner);
