// The recent-file list in the registry of the test prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "PrivateUserRegistry.h"
#include "RecentFileRegistry.h"

namespace {

using Paths = std::vector<std::string>;

class RecentFileRegistry : public ::testing::Test {
protected:
    // The recent-file list lives in the registry: this process gets one of
    // its own, so suites running beside it cannot change the list under it.
    PrivateUserRegistry registry_;

    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kRecentDocumentListKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kRecentDocumentListKey); }

    static HKEY Key() {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kRecentDocumentListKey, 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
        return key;
    }
    static void SetString(const char* name, const std::string& value) {
        HKEY key = Key();
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
    static void SetCount(DWORD count) {
        HKEY key = Key();
        RegSetValueExA(key, "DocumentCount", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                       sizeof count);
        RegCloseKey(key);
    }
    static bool HasValue(const char* name) {
        HKEY key = Key();
        const bool present = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(key);
        return present;
    }
    static RecentFileList Loaded() {
        RecentFileList list(SameFilePath);
        LoadRecentFiles(list);
        return list;
    }
};

TEST_F(RecentFileRegistry, SavedListComesBackInOrderWithItsMaximum) {
    RecentFileList list(SameFilePath);
    list.SetMaximum(6);
    for (const char* path : {"C:\\a.pgr", "C:\\b.pgr", "C:\\c.pgr"}) list.Add(path);
    ASSERT_TRUE(SaveRecentFiles(list));

    const RecentFileList loaded = Loaded();
    EXPECT_EQ(6u, loaded.Maximum());
    EXPECT_EQ((Paths{"C:\\c.pgr", "C:\\b.pgr", "C:\\a.pgr"}), loaded.Entries());
}

TEST_F(RecentFileRegistry, SavingDeletesEntriesBeyondTheList) {
    for (const char* name : {"Document1", "Document2", "Document3", "Document9", "Document15"})
        SetString(name, "C:\\old.pgr");
    RecentFileList list(SameFilePath);
    list.Add("C:\\only.pgr");
    ASSERT_TRUE(SaveRecentFiles(list));
    EXPECT_TRUE(HasValue("Document1"));
    for (const char* name : {"Document2", "Document3", "Document9", "Document15"})
        EXPECT_FALSE(HasValue(name)) << name;
    EXPECT_EQ(Paths{"C:\\only.pgr"}, Loaded().Entries());
}

TEST_F(RecentFileRegistry, DocumentCountFromOneToFifteenIsHonouredOthersIgnored) {
    for (int i = 1; i <= 15; ++i) SetString(("Document" + std::to_string(i)).c_str(), "C:\\f" + std::to_string(i));

    SetCount(3);
    EXPECT_EQ(3u, Loaded().Maximum());
    EXPECT_EQ((Paths{"C:\\f1", "C:\\f2", "C:\\f3"}), Loaded().Entries());
    SetCount(15);
    EXPECT_EQ(15u, Loaded().size());
    for (DWORD ignored : {0u, 16u}) {
        SetCount(ignored);
        EXPECT_EQ(RecentFileList::kDefaultMaximum, Loaded().Maximum()) << ignored;
        EXPECT_EQ(4u, Loaded().size());
    }
    SetString("DocumentCount", "7");
    EXPECT_EQ(RecentFileList::kDefaultMaximum, Loaded().Maximum());
}

TEST_F(RecentFileRegistry, MissingAndDuplicateEntriesAreSkipped) {
    SetString("Document1", "C:\\New.pgr");
    SetString("Document3", "c:\\new.PGR");  // the same file, older: the newer one wins
    SetString("Document4", "C:\\oldest.pgr");
    EXPECT_EQ((Paths{"C:\\New.pgr", "C:\\oldest.pgr"}), Loaded().Entries());
}

TEST_F(RecentFileRegistry, NoKeyGivesAnEmptyListWithTheDefaultMaximum) {
    const RecentFileList list = Loaded();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(RecentFileList::kDefaultMaximum, list.Maximum());
}

}  // namespace
