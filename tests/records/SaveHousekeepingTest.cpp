#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SaveHousekeeping.h"

namespace {

const CalendarDay kDay = {2026, 12, 7};

TEST(SaveHousekeeping, BackupNamesTellDocumentsApartButNotSpellingsOfOnePath) {
    const std::string budget = DailyBackupName("C:\\Docs\\Budget.pgr", kDay);
    // The name, an eight-digit hash, the day, and the extension Open lists.
    ASSERT_EQ(std::string("Budget (12345678) 2026-12-07.pgr").size(), budget.size());
    EXPECT_EQ("Budget (", budget.substr(0, 8));
    EXPECT_EQ(") 2026-12-07.pgr", budget.substr(16));
    EXPECT_EQ(std::string::npos, budget.substr(8, 8).find_first_not_of("0123456789abcdef"));

    EXPECT_EQ(budget, DailyBackupName("c:/docs/BUDGET.PGR", kDay).replace(0, 6, "Budget"));
    EXPECT_NE(budget, DailyBackupName("C:\\Old\\Budget.pgr", kDay));
    EXPECT_EQ(budget.substr(0, 18) + "2026-01-02.pgr", DailyBackupName("C:\\Docs\\Budget.pgr", {2026, 1, 2}));
    EXPECT_EQ("archive.2025 (", DailyBackupName("D:\\archive.2025.pgr", kDay).substr(0, 14));
    EXPECT_EQ("notes (", DailyBackupName("D:\\notes", kDay).substr(0, 7));
}

TEST(SaveHousekeeping, OnlyTheDocumentsOwnBackupsBeyondSevenGoOldestFirst) {
    const std::string document = "C:\\Docs\\Budget.pgr";
    const std::string own = DailyBackupName(document, kDay).substr(0, 18);  // "Budget (hash) "
    std::vector<std::string> names;
    for (const char* day : {"2026-12-03", "2026-11-30", "2026-12-07", "2026-12-01", "2026-12-05",
                            "2026-11-29", "2026-12-02", "2026-12-06", "2026-12-04"})
        names.push_back(own + day + ".pgr");
    names[2] = "budget" + names[2].substr(6);  // the document opened as "budget.pgr" once
    for (const char* other : {"Budget (00000000) 2020-01-01.pgr", "Budget.pgr", "readme.txt"})
        names.push_back(other);
    names.push_back(DailyBackupName("C:\\Old\\Budget.pgr", {2019, 1, 1}));
    names.push_back(own + "(00000000) 2019-01-01.pgr");  // a document named "Budget (hash)"
    names.push_back(own + "2019-1-1.pgr");

    EXPECT_EQ((std::vector<std::string>{own + "2026-11-29.pgr", own + "2026-11-30.pgr"}),
              DailyBackupsToRemove(names, document));
    names.resize(7);
    EXPECT_TRUE(DailyBackupsToRemove(names, document).empty());
}

TEST(SaveHousekeeping, LeftoverTemporaryFilesAreOursAndOld) {
    const struct {
        const char* name;
        long long ageSeconds;
        bool leftover;
    } cases[] = {
        {"VTR1A2F.tmp", kLeftoverTemporaryFileSeconds, true},
        {"vtr0.TMP", 86400, true},
        {"VTR1A2F.tmp", kLeftoverTemporaryFileSeconds - 1, false},  // a save may still write it
        {"VTR12345.tmp", 86400, false},
        {"VTR.tmp", 86400, false},
        {"VTRG1.tmp", 86400, false},
        {"VTR1.tmp.pgr", 86400, false},
        {"XVTR1.tmp", 86400, false},
        {"rf1A2F.tmp", 86400, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.leftover, IsLeftoverTemporaryFile(c.name, c.ageSeconds)) << c.name << " " << c.ageSeconds;
}

}  // namespace
