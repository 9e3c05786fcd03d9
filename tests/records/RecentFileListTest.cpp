#include <gtest/gtest.h>

#include "RecentFileList.h"

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, NewestFirstAndTheOldestDropsWhenFull) {
    RecentFileList list;
    for (const char* path : {"C:\\a.pgr", "C:\\b.pgr", "C:\\c.pgr", "C:\\d.pgr", "C:\\e.pgr"})
        list.Add(path);
    EXPECT_EQ((Paths{"C:\\e.pgr", "C:\\d.pgr", "C:\\c.pgr", "C:\\b.pgr"}), list.Entries());
}

TEST(RecentFileList, ReopeningUnderAnotherCaseMovesTheEntryWithoutDuplicating) {
    RecentFileList list;
    list.Add("C:\\Diary\\Home.pgr");
    list.Add("C:\\work.pgr");
    list.Add("c:\\diary\\HOME.PGR");
    EXPECT_EQ((Paths{"c:\\diary\\HOME.PGR", "C:\\work.pgr"}), list.Entries());
    EXPECT_EQ(1u, list.Find("C:\\WORK.pgr"));
    EXPECT_EQ(size_t(-1), list.Find("C:\\other.pgr"));
}

TEST(RecentFileList, MaximumTakesOneToFifteenAndShrinkingDropsTheOldest) {
    RecentFileList list;
    EXPECT_FALSE(list.SetMaximum(0));
    EXPECT_FALSE(list.SetMaximum(16));
    EXPECT_EQ(RecentFileList::kDefaultMaximum, list.Maximum());
    EXPECT_TRUE(list.SetMaximum(15));
    for (int i = 0; i < 20; ++i) list.Add("f" + std::to_string(i));
    EXPECT_EQ(15u, list.size());
    EXPECT_EQ("f19", list.Entries().front());
    EXPECT_TRUE(list.SetMaximum(2));
    EXPECT_EQ((Paths{"f19", "f18"}), list.Entries());
}

TEST(RecentFileList, RemoveTakesAPositionAndIgnoresOnePastTheEnd) {
    RecentFileList list;
    list.Add("a");
    list.Add("b");
    list.Add("c");
    list.Remove(1);
    list.Remove(7);
    EXPECT_EQ((Paths{"c", "a"}), list.Entries());
}

// A comparison passed in decides what counts as the same file.
TEST(RecentFileList, UsesTheGivenComparison) {
    RecentFileList exact([](const std::string& a, const std::string& b) { return a == b; });
    exact.Add("A");
    exact.Add("a");
    EXPECT_EQ(2u, exact.size());
}

}  // namespace
