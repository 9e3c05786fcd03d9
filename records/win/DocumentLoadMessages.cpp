#include "DocumentLoadMessages.h"

#include <cstdio>

#include "DocumentFile.h"

bool LoadDocumentShowingErrors(PimDocument& document, const char* bytes, size_t length,
                               HWND owner) {
    int32_t line = 0;
    const LoadResult result = LoadDocumentText(document, bytes, length, &line);
    if (result != LoadResult::kSyntaxError) return result == LoadResult::kLoaded;
    char text[64];
    std::snprintf(text, sizeof text, "Parsing error at line %d", static_cast<int>(line));
    MessageBoxA(owner, text, "Error Loading File", MB_OK | MB_ICONERROR);
    return false;
}
