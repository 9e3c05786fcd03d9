#include "PhoneListOrder.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "LocaleSortKey.h"

namespace {

// The list compares names like lstrcmp: in the user's locale, letters
// before case, a lower-case letter before its capital. A row whose name
// equals one already listed goes in front of it, so of equal names the later
// ID comes first.
template <typename Keyed>
void SortByName(std::vector<Keyed>& keyed) {
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.id > b.id;
    });
}

}  // namespace

void OrderPhoneBookRows(std::vector<PhoneBookRow>& rows, PhoneBookMode mode) {
    struct Keyed {
        std::string key;
        int32_t id;
        PhoneBookRow row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rows.size());
    for (PhoneBookRow& row : rows) keyed.push_back({LocaleSortKey(row.name), row.personID, std::move(row)});
    SortByName(keyed);
    for (size_t i = 0; i < keyed.size(); ++i) rows[i] = std::move(keyed[i].row);

    if (mode == PhoneBookMode::kYellowPages) {
        std::stable_sort(rows.begin(), rows.end(), [](const PhoneBookRow& a, const PhoneBookRow& b) {
            return CompareCompanies(a.company, b.company) < 0;
        });
    }
}

std::vector<int32_t> PersonsByName(const Persons& persons) {
    struct Keyed {
        std::string key;
        int32_t id;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(persons.size());
    for (const auto& entry : persons) keyed.push_back({LocaleSortKey(entry.second.RName), entry.first});
    SortByName(keyed);
    std::vector<int32_t> ids;
    ids.reserve(keyed.size());
    for (const Keyed& person : keyed) ids.push_back(person.id);
    return ids;
}

std::vector<int32_t> PhoneBookOrder(const Persons& persons, PhoneBookMode mode,
                                    const std::vector<int32_t>& byName) {
    // A subset of the persons keeps their order by name; the Yellow Pages
    // then order it by company as OrderPhoneBookRows does.
    std::vector<const Person*> listed;
    listed.reserve(byName.size());
    for (int32_t id : byName) {
        const Person* person = persons.Find(id);
        if (!person) continue;
        const int32_t flag =
            mode == PhoneBookMode::kWhitePages ? person->WhitePages : person->YellowPages;
        if (flag == 1) listed.push_back(person);
    }
    if (mode == PhoneBookMode::kYellowPages) {
        std::stable_sort(listed.begin(), listed.end(), [](const Person* a, const Person* b) {
            return CompareCompanies(a->Company, b->Company) < 0;
        });
    }
    std::vector<int32_t> ids;
    ids.reserve(listed.size());
    for (const Person* person : listed) ids.push_back(person->ID);
    return ids;
}
