// The persons of a phone book by their text fields, for the rule that a
// card equal in every field to a person already there is not added again,
// found without comparing it with every person.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Collections.h"

class PhoneBookIndex {
public:
    explicit PhoneBookIndex(const Persons& persons);
    // Whether a person of the index has every text field of `person`
    // (RName, derived from the names, aside). Remembers the person's hash
    // for an Add of the same person that follows.
    bool Contains(const Person& person);
    // `person` must stay where it is while the index lives.
    void Add(const Person& person);

private:
    struct Slot {
        uint64_t hash = 0;
        const Person* person = nullptr;  // null: free
    };

    static uint64_t Hash(const Person& person);
    void Place(uint64_t hash, const Person* person);

    // Open addressing over a power of two of slots, never more than half
    // full: a large phone book is looked up once per card, and chained
    // nodes would cost a cache miss each.
    std::vector<Slot> slots_;
    size_t used_ = 0;
    const Person* hashed_ = nullptr;  // the person last hashed by Contains
    uint64_t hashedValue_ = 0;
};
