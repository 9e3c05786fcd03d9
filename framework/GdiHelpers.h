// Small GDI and menu helpers shared by the frame and the day view.
#pragma once

#include <windows.h>

// A top-down 32-bit DIB section, so pixels drawn into it are the same
// whatever the screen's depth; `bits` (may be null) receives its pixels.
HBITMAP CreateTopDown32BitBitmap(HDC dc, int width, int height, void** bits);

// The popup of `menu`, at any depth, whose item text is exactly `text`.
HMENU FindPopupByText(HMENU menu, const char* text);
