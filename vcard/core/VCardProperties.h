// The properties a card may hold, as the reader sorts them: those that fill
// the person's fields, those that describe the card itself and are passed
// over, and those beyond our fields, which the report counts by kind.
#pragma once

#include <string_view>

enum class PropertyKind {
    kUnknown, kIgnored, kBegin, kEnd, kVersion, kN, kFn, kOrg, kTitle, kAdr, kTel, kEmail, kUrl, kNote,
    kPages, kWorkExt, kLeftOut, kAgent,
};

struct PropertyName {
    std::string_view name;
    PropertyKind kind;
    const char* leftOut;  // what the report calls it, for kLeftOut
};

// The property of that name (in any case), or null for one we do not know.
const PropertyName* FindProperty(std::string_view name);
