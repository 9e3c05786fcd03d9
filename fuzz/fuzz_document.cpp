// Loads arbitrary bytes as a document file. Beyond not crashing, whatever
// loads must survive being written and loaded again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DocumentFile.h"
#include "PimDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PimDocument document;
    int32_t line = 0;
    if (!LoadDocument(document, reinterpret_cast<const char*>(data), size, &line)) {
        if (line < 1) std::abort();  // an error always names a line
        return 0;
    }
    std::string written;
    WriteDocument(document, written);

    PimDocument reloaded;
    if (!LoadDocument(reloaded, written.data(), written.size(), &line)) std::abort();
    std::string rewritten;
    WriteDocument(reloaded, rewritten);
    if (rewritten != written) std::abort();
    return 0;
}
