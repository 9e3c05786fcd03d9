// The string-table entries that describe commands: "prompt\ntooltip". The
// prompt goes to the status bar while a menu item is highlighted, the
// tooltip to the toolbar button with the same id.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Returns the text of a string id, empty when there is none. Injectable so
// tests can supply their own strings.
using StringLookup = std::function<std::string(UINT id)>;

// The string resource `id` of ModuleInstance(); empty when absent.
std::string LoadResourceString(UINT id);

// The text up to the first line feed.
std::string CommandPrompt(const std::string& entry);

// The text after the first line feed, at most 79 characters (what a toolbar
// tooltip buffer holds); empty when there is no line feed.
std::string CommandTooltip(const std::string& entry);
