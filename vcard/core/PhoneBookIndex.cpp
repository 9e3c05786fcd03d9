#include "PhoneBookIndex.h"

namespace {

constexpr Text Person::*kFields[] = {
    &Person::FName,   &Person::LName, &Person::Company, &Person::Position, &Person::Addr1, &Person::Addr2,
    &Person::City,    &Person::State, &Person::Zip,     &Person::HmPhone,  &Person::WkPhone, &Person::WkExt,
    &Person::Fax,     &Person::Pager, &Person::CelPhone, &Person::EMail,   &Person::WebPage, &Person::Notes};

bool Equal(const Person& a, const Person& b) {
    for (Text Person::*field : kFields) {
        if (a.*field != b.*field) return false;
    }
    return true;
}

}  // namespace

PhoneBookIndex::PhoneBookIndex(const Persons& persons) {
    persons_.reserve(persons.size());
    for (const auto& entry : persons) Add(entry.second);
}

bool PhoneBookIndex::Contains(const Person& person) const {
    const auto range = persons_.equal_range(Hash(person));
    for (auto it = range.first; it != range.second; ++it) {
        if (Equal(*it->second, person)) return true;
    }
    return false;
}

uint64_t PhoneBookIndex::Hash(const Person& person) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (Text Person::*field : kFields) {
        for (char c : (person.*field).view()) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        hash = (hash ^ 0x100) * 1099511628211ull;  // a field's end, so that fields cannot trade bytes
    }
    return hash;
}
