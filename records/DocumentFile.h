// The document file: an XML text whose exact bytes the writer fixes, and the
// loader that turns such a text (and older or foreign variants) back into a
// document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class PimDocument;

// Appends the whole document as file text to `out`.
void WriteDocument(const PimDocument& document, std::string& out);

// Fills the (already cleared) document from the file's bytes; the text ends
// at the first zero byte. Returns false after a syntax error, with its line
// in `errorLine` when given; the document is then left as it was. Content
// that parses but is not ours (another root, another version, unknown
// elements and attributes) is skipped without error.
bool LoadDocument(PimDocument& document, const char* bytes, size_t length,
                  int32_t* errorLine = nullptr);
