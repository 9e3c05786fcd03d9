// The persons of a phone book by their text fields, for the rule that a
// card equal in every field to a person already there is not added again,
// found without comparing it with every person.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "Collections.h"

class PhoneBookIndex {
public:
    explicit PhoneBookIndex(const Persons& persons);
    // Whether a person of the index has every text field of `person`
    // (RName, derived from the names, aside).
    bool Contains(const Person& person) const;
    // `person` must stay where it is while the index lives.
    void Add(const Person& person) { persons_.emplace(Hash(person), &person); }

private:
    static uint64_t Hash(const Person& person);

    std::unordered_multimap<uint64_t, const Person*> persons_;
};
