#include "GdiHelpers.h"

#include <cstring>

HBITMAP CreateTopDown32BitBitmap(HDC dc, int width, int height, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bits) *bits = pixels;
    return bitmap;
}

HMENU FindPopupByText(HMENU menu, const char* text) {
    const int count = GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        HMENU popup = GetSubMenu(menu, index);
        if (!popup) continue;
        char itemText[128] = "";
        GetMenuStringA(menu, index, itemText, sizeof itemText, MF_BYPOSITION);
        if (std::strcmp(itemText, text) == 0) return popup;
        if (HMENU inner = FindPopupByText(popup, text)) return inner;
    }
    return nullptr;
}
