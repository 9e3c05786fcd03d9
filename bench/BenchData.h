// What the native benchmarks generate alike: a deterministic random source
// and the notes of a record, so the document and the delimited-text
// benchmarks measure the same kind of text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "Records.h"

// A small deterministic generator, so every run measures the same bytes.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    uint32_t Below(uint32_t n) { return Next() % n; }
    std::string Word(size_t minLength, size_t maxLength) {
        size_t length = minLength + Below(uint32_t(maxLength - minLength + 1));
        std::string word;
        for (size_t i = 0; i < length; ++i) word.push_back(char('a' + Below(26)));
        if (!word.empty()) word[0] = char(word[0] - 'a' + 'A');
        return word;
    }
    std::string Digits(size_t length) {
        std::string digits;
        for (size_t i = 0; i < length; ++i) digits.push_back(char('0' + Below(10)));
        return digits;
    }

private:
    uint32_t state_;
};

// About one record in seven has notes over two lines (raw CR LF), one in ten
// a character the writer must escape.
inline std::string Notes(Random& random) {
    std::string notes;
    const uint32_t kind = random.Below(100);
    const size_t words = 2 + random.Below(8);
    for (size_t i = 0; i < words; ++i) {
        if (i) notes += (kind < 15 && i % 7 == 0) ? "\r\n" : " ";
        notes += random.Word(2, 9);
    }
    if (kind >= 15 && kind < 25) notes += " & \"quoted\" <tag> it's";
    return notes;
}

// A person with every text filled, as a phone book of strangers would have;
// the White and Yellow Pages flags are left to the caller.
inline Person RandomPerson(Random& random, int32_t id) {
    Person p;
    p.ID = id;
    p.FName = random.Word(3, 9);
    p.LName = random.Word(4, 12);
    p.RName = p.MakeDisplayName();
    p.Company = random.Word(4, 14) + " Inc.";
    p.Position = random.Word(5, 12);
    p.Addr1 = random.Digits(3) + " " + random.Word(4, 10) + " Street";
    p.Addr2 = random.Below(3) == 0 ? "Suite " + random.Digits(3) : "";
    p.City = random.Word(4, 12);
    p.State = "NY";
    p.Zip = random.Digits(5);
    p.HmPhone = "555-" + random.Digits(4);
    p.WkPhone = "555-" + random.Digits(4);
    p.WkExt = random.Digits(3);
    p.Fax = "555-" + random.Digits(4);
    p.CelPhone = "555-" + random.Digits(4);
    p.Pager = "555-" + random.Digits(4);
    p.EMail = random.Word(3, 8) + "@" + random.Word(4, 10) + ".com";
    p.WebPage = "www." + random.Word(4, 12) + ".com";
    p.Notes = Notes(random);
    return p;
}
