#include "PhoneBookIndex.h"

#include <cstring>

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

uint64_t Mix(uint64_t hash, uint64_t word) {
    hash ^= word;
    hash *= 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 29);
}

}  // namespace

PhoneBookIndex::PhoneBookIndex(const Persons& persons) {
    size_t capacity = 1024;
    while (capacity < 2 * persons.size()) capacity *= 2;
    slots_.resize(capacity);
    for (const auto& entry : persons) Place(Hash(entry.second), &entry.second);
}

bool PhoneBookIndex::Contains(const Person& person) {
    const uint64_t hash = Hash(person);
    hashed_ = &person;
    hashedValue_ = hash;
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask; slots_[i].person; i = (i + 1) & mask) {
        if (slots_[i].hash == hash && Equal(*slots_[i].person, person)) return true;
    }
    return false;
}

void PhoneBookIndex::Add(const Person& person) {
    const uint64_t hash = hashed_ == &person ? hashedValue_ : Hash(person);
    hashed_ = nullptr;
    if (2 * (used_ + 1) > slots_.size()) {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        used_ = 0;
        for (const Slot& slot : old) {
            if (slot.person) Place(slot.hash, slot.person);
        }
    }
    Place(hash, &person);
}

void PhoneBookIndex::Place(uint64_t hash, const Person* person) {
    const size_t mask = slots_.size() - 1;
    size_t i = hash & mask;
    while (slots_[i].person) i = (i + 1) & mask;
    slots_[i] = Slot{hash, person};
    ++used_;
}

// Eight bytes at a time, the length of each field mixed in, so that fields
// cannot trade bytes.
uint64_t PhoneBookIndex::Hash(const Person& person) {
    uint64_t hash = 0;
    for (Text Person::*field : kFields) {
        const Text& text = person.*field;
        const char* p = text.data();
        size_t left = text.size();
        hash = Mix(hash, left);
        for (; left >= 8; left -= 8, p += 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            hash = Mix(hash, word);
        }
        if (left > 0) {
            uint64_t word = 0;
            std::memcpy(&word, p, left);
            hash = Mix(hash, word);
        }
    }
    return hash;
}
