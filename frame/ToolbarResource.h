// The button list of a toolbar resource (type RESOURCE_TYPE_TOOLBAR): one
// command id per button, 0 for a separator.
#pragma once

#include <windows.h>

#include <vector>

// Parses the 16-bit words of the resource: version 1, image width, image
// height, count, then `count` ids. False when the data is malformed.
bool ParseToolbarButtons(const WORD* words, size_t wordCount, std::vector<UINT>& buttons);

// Reads the list named `id` from ModuleInstance(); false when it is absent
// or malformed.
bool LoadToolbarButtons(UINT id, std::vector<UINT>& buttons);
