#include "LocaleSortKey.h"

#include <windows.h>

std::string LocaleSortKey(std::string_view text) {
    const int length = static_cast<int>(text.size());
    // Most names fit a small buffer: one call instead of two.
    char buffer[512];
    int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(), length, buffer,
                            sizeof buffer);
    std::string key;
    if (size > 0) {
        key.assign(buffer, static_cast<size_t>(size));
    } else {
        size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(), length, nullptr, 0);
        if (size <= 0) return key;
        key.resize(static_cast<size_t>(size));
        LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(), length, &key[0], size);
    }
    while (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}
