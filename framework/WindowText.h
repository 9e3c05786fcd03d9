// A window's whole text as a string, however long.
#pragma once

#include <windows.h>

#include <string>

// The text of `window`. `complete`, when given, tells whether all of it was
// read: false when the system returned fewer characters than the window
// said it holds.
std::string WindowText(HWND window, bool* complete = nullptr);
