#include "PhoneListOrder.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The key that orders `name` as CompareString does in the user's locale;
// comparing keys byte by byte is much cheaper than comparing the names.
std::string SortKey(const std::string& name) {
    const int length = static_cast<int>(name.size());
    const int needed = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, name.c_str(), length,
                                    nullptr, 0);
    std::string key(static_cast<size_t>(std::max(needed, 0)), '\0');
    if (needed > 0)
        LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, name.c_str(), length, &key[0], needed);
    // The key ends with a zero byte, which would not compare the same way
    // in a std::string; keys hold no other zero.
    while (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}

}  // namespace

void OrderPhoneBookRows(std::vector<PhoneBookRow>& rows, PhoneBookMode mode) {
    // The list compares names like lstrcmp: in the user's locale, letters
    // before case, a lower-case letter before its capital. A row whose name
    // equals one already listed goes in front of it, so of equal names the
    // later ID comes first.
    struct Keyed {
        std::string key;
        PhoneBookRow row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rows.size());
    for (PhoneBookRow& row : rows) keyed.push_back({SortKey(row.name), std::move(row)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.row.personID > b.row.personID;
    });
    for (size_t i = 0; i < keyed.size(); ++i) rows[i] = std::move(keyed[i].row);

    if (mode == PhoneBookMode::kYellowPages) {
        std::stable_sort(rows.begin(), rows.end(), [](const PhoneBookRow& a, const PhoneBookRow& b) {
            return CompareCompanies(a.company, b.company) < 0;
        });
    }
}
