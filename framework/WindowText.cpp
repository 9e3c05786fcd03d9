#include "WindowText.h"

std::string WindowText(HWND window, bool* complete) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int read = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(read > 0 ? read : 0));
    if (complete) *complete = read >= length;
    return text;
}
