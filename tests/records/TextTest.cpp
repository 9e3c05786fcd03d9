#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Text.h"

namespace {

// Lengths around the change from bytes kept inside to an allocation.
const std::vector<size_t> kLengths = {0, 1, 14, 15, 16, 17, 100, 5000};

std::string Bytes(size_t length, char first) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i) bytes[i] = char(first + i % 97);
    if (length > 3) bytes[length / 2] = '\0';  // a zero inside is kept
    return bytes;
}

// Every way a text changes, from every length to every length, keeps the
// bytes, the size and the closing zero of a C string.
TEST(Text, EveryChangeBetweenShortAndLongKeepsTheBytes) {
    for (size_t from : kLengths) {
        for (size_t to : kLengths) {
            const std::string before = Bytes(from, 'a');
            const std::string after = Bytes(to, 'A');
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));

            Text text(before);
            EXPECT_EQ(before, text.str());
            text = after;
            EXPECT_EQ(after, text.str());
            EXPECT_EQ(to, text.size());
            EXPECT_EQ('\0', text.c_str()[to]);

            Text copy(text);
            Text moved(std::move(copy));
            EXPECT_TRUE(copy.empty());
            EXPECT_EQ(after, moved.str());
            Text target(before);
            target = std::move(moved);
            EXPECT_EQ(after, target.str());
            EXPECT_TRUE(moved.empty());
            const Text& same = target;
            target = same;  // assigning a text to itself changes nothing
            EXPECT_EQ(after, target.str());

            Text joined(before);
            joined += after;
            EXPECT_EQ(before + after, joined.str());
            EXPECT_EQ(before + after, before + Text(after));
            EXPECT_EQ(before + after, Text(before) + after);
        }
    }
}

TEST(Text, TakesAPartOfItselfAndComparesAsAString) {
    for (size_t length : kLengths) {
        const std::string bytes = Bytes(length, 'k');
        Text text(bytes);
        text.assign(text.data() + length / 3, length - length / 3);
        EXPECT_EQ(bytes.substr(length / 3), text.str()) << length;
    }
    const Text ann("Ann"), bob("Bob"), long1(std::string(20, 'x')), long2(std::string(20, 'x'));
    EXPECT_TRUE(ann == "Ann" && "Ann" == ann && ann == std::string("Ann") && ann != bob);
    EXPECT_TRUE(long1 == long2 && ann < bob && !(bob < ann));
    EXPECT_FALSE(ann == "An" || ann == "Anne" || long1 == std::string(21, 'x'));
    EXPECT_EQ("Ann, Bob", ann + ", " + bob);
}

}  // namespace
