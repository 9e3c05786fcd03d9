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

// What a file's text turned out to hold.
enum class LoadResult {
    kLoaded,       // a document of ours (root Pim, Version 1 or 13)
    kSyntaxError,  // not XML the parser reads
    kNotOurs,      // XML, but another root or another version
};

// Fills the (already cleared) document from the file's bytes; the text ends
// at the first zero byte. After a syntax error its line is in `errorLine`
// when given, and the document is left as it was. A file that parses but is
// not ours loads nothing. Unknown elements and attributes inside a document
// of ours are skipped without error.
LoadResult LoadDocumentText(PimDocument& document, const char* bytes, size_t length,
                            int32_t* errorLine = nullptr);

// Whether the bytes parsed, for callers to whom a file not of ours is simply
// an empty document.
inline bool LoadDocument(PimDocument& document, const char* bytes, size_t length,
                         int32_t* errorLine = nullptr) {
    return LoadDocumentText(document, bytes, length, errorLine) != LoadResult::kSyntaxError;
}
