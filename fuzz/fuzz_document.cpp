// Loads arbitrary bytes as a document file. Beyond not crashing, whatever
// loads must survive being written and loaded again unchanged, and a load
// into a document that already holds something (which reads the whole tree
// first, taking no shortcut for records written in the usual form) must find
// the same records, or the same error on the same line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DocumentFile.h"
#include "PimDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    PimDocument document;
    int32_t line = 0;
    const LoadResult result = LoadDocumentText(document, bytes, size, &line);

    PimDocument holding;
    holding.user.Company = "x";
    int32_t holdingLine = 0;
    if (LoadDocumentText(holding, bytes, size, &holdingLine) != result) std::abort();
    if (result == LoadResult::kSyntaxError) {
        if (line < 1 || line != holdingLine) std::abort();  // an error always names a line
        return 0;
    }
    holding.user = document.user;
    std::string written;
    WriteDocument(document, written);
    std::string writtenHolding;
    WriteDocument(holding, writtenHolding);
    if (writtenHolding != written) std::abort();

    PimDocument reloaded;
    if (!LoadDocument(reloaded, written.data(), written.size(), &line)) std::abort();
    std::string rewritten;
    WriteDocument(reloaded, rewritten);
    if (rewritten != written) std::abort();
    return 0;
}
