#include "CommandStrings.h"

#include "Window.h"

namespace {
const size_t kTooltipLength = 79;
}

std::string LoadResourceString(UINT id) {
    // A string resource holds at most 65535 characters; command texts are
    // short, and a longer buffer is taken only when the first one is full.
    for (int size = 256; size <= 65536; size *= 16) {
        std::string text(static_cast<size_t>(size), '\0');
        const int length = LoadStringA(ModuleInstance(), id, &text[0], size);
        if (length <= 0) return std::string();
        if (length < size - 1) {
            text.resize(static_cast<size_t>(length));
            return text;
        }
    }
    return std::string();
}

std::string CommandPrompt(const std::string& entry) {
    return entry.substr(0, entry.find('\n'));
}

std::string CommandTooltip(const std::string& entry) {
    const size_t lineFeed = entry.find('\n');
    if (lineFeed == std::string::npos) return std::string();
    return entry.substr(lineFeed + 1, kTooltipLength);
}
