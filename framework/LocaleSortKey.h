// Sorting texts as the user's locale orders them, without asking the locale
// n log n times: each text gets a key once, and keys compare byte by byte.
#pragma once

#include <string>
#include <string_view>

// The key that orders `text` as CompareString with no flags does in the
// user's locale. The key's closing zero is left out (keys hold no other).
std::string LocaleSortKey(std::string_view text);
