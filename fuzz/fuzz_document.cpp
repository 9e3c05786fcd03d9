// Loads arbitrary bytes as a document file. Beyond not crashing, whatever
// loads must survive being written and loaded again unchanged, and a load
// into a document that already holds something (which reads the whole tree
// first, taking no shortcut for records written in the usual form) must find
// the same records, or the same error on the same line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "DateTime.h"
#include "DocumentFile.h"
#include "PimDocument.h"

namespace {

// Loads the bytes both ways; the document loaded into empty is kept in
// `loaded`. A record missing a date takes the clock's moment when its load
// began, so the two agree only when the clock stayed within one second.
bool BothWaysAgree(const char* bytes, size_t size, std::unique_ptr<PimDocument>& loaded,
                   LoadResult& result, int32_t& line, bool& clockMoved) {
    const DateTime before = DateTime::Now();
    loaded = std::make_unique<PimDocument>();
    PimDocument& document = *loaded;
    line = 0;
    result = LoadDocumentText(document, bytes, size, &line);
    PimDocument holding;
    holding.user.Company = "x";
    int32_t holdingLine = 0;
    const LoadResult holdingResult = LoadDocumentText(holding, bytes, size, &holdingLine);
    clockMoved = !(DateTime::Now() == before);
    if (holdingResult != result) return false;
    if (result == LoadResult::kSyntaxError) return line == holdingLine;
    holding.user = document.user;
    std::string written, writtenHolding;
    WriteDocument(document, written);
    WriteDocument(holding, writtenHolding);
    return written == writtenHolding;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    std::unique_ptr<PimDocument> document;
    LoadResult result = LoadResult::kLoaded;
    int32_t line = 0;
    bool clockMoved = false;
    if (!BothWaysAgree(bytes, size, document, result, line, clockMoved) &&
        (!clockMoved || (!BothWaysAgree(bytes, size, document, result, line, clockMoved) && !clockMoved)))
        std::abort();
    if (result == LoadResult::kSyntaxError) {
        if (line < 1) std::abort();  // an error always names a line
        return 0;
    }
    std::string written;
    WriteDocument(*document, written);

    PimDocument reloaded;
    if (!LoadDocument(reloaded, written.data(), written.size(), &line)) std::abort();
    std::string rewritten;
    WriteDocument(reloaded, rewritten);
    if (rewritten != written) std::abort();
    return 0;
}
