// The pure function behind every menu item's and toolbar button's state.
#include <gtest/gtest.h>

#include "CommandAvailability.h"
#include "ToolbarResource.h"
#include "resource.h"

TEST(CommandAvailability, PrintFollowsTheChosenReportWhichCarriesTheOnlyMark) {
    CommandSnapshot snapshot;
    snapshot.hasTasks = true;
    EXPECT_FALSE(CommandStateFor(ID_FILE_PRINT, snapshot).enabled);
    snapshot.reportKind = ReportKind::kDailyTasks;
    EXPECT_TRUE(CommandStateFor(ID_FILE_PRINT, snapshot).enabled);
    EXPECT_TRUE(CommandStateFor(ID_FILE_PRINT_PREVIEW, snapshot).enabled);
    int marks = 0;
    for (UINT id : {ID_REPORT_DAILY_PLAN, ID_REPORT_DAILY_TASKS, ID_REPORT_DAILY_APPOINTMENTS,
                    ID_REPORT_ENVELOPES, ID_REPORT_PHONE_BOOK, ID_REPORT_FONT}) {
        if (CommandStateFor(id, snapshot).checked) ++marks;
    }
    EXPECT_EQ(1, marks);
    EXPECT_TRUE(CommandStateFor(ID_REPORT_DAILY_TASKS, snapshot).checked);
    snapshot.reportKind = ReportKind::kAddressBook;
    EXPECT_TRUE(CommandStateFor(ID_REPORT_PHONE_BOOK, snapshot).checked);
    EXPECT_FALSE(CommandStateFor(ID_REPORT_PHONE_BOOK, snapshot).enabled);
}

TEST(CommandAvailability, RecordsAndSelectionsEnableTheirCommands) {
    CommandSnapshot snapshot;
    EXPECT_FALSE(CommandStateFor(ID_REPORT_ENVELOPES, snapshot).enabled);
    EXPECT_FALSE(CommandStateFor(ID_TASK_DELETE, snapshot).enabled);
    EXPECT_TRUE(CommandStateFor(ID_TASK_ADD, snapshot).enabled);
    snapshot.hasPersons = true;
    snapshot.hasAppointments = true;
    snapshot.taskSelected = true;
    EXPECT_TRUE(CommandStateFor(ID_REPORT_ENVELOPES, snapshot).enabled);
    EXPECT_TRUE(CommandStateFor(ID_EXPORT_APPOINTMENTS, snapshot).enabled);
    EXPECT_TRUE(CommandStateFor(ID_REPORT_DAILY_PLAN, snapshot).enabled);
    EXPECT_FALSE(CommandStateFor(ID_FILE_COMPACT, snapshot).enabled);
    EXPECT_TRUE(CommandStateFor(ID_TASK_COMPLETE, snapshot).enabled);
    EXPECT_FALSE(CommandStateFor(ID_PERSON_EDIT, snapshot).enabled);
    EXPECT_FALSE(CommandStateFor(ID_APPOINTMENT_DELETE, snapshot).enabled);
}

TEST(CommandAvailability, RecentItemsExistPerEntryAndPreviewPagesPerNeighbour) {
    CommandSnapshot snapshot;
    EXPECT_FALSE(CommandStateFor(ID_FILE_RECENT_FIRST, snapshot).enabled);
    snapshot.recentFileCount = 2;
    EXPECT_TRUE(CommandStateFor(ID_FILE_RECENT_FIRST + 1, snapshot).enabled);
    EXPECT_FALSE(CommandStateFor(ID_FILE_RECENT_FIRST + 2, snapshot).enabled);
    EXPECT_FALSE(CommandStateFor(ID_PREVIEW_NEXT_PAGE, snapshot).enabled);
    snapshot.previewHasNextPage = true;
    EXPECT_TRUE(CommandStateFor(ID_PREVIEW_NEXT_PAGE, snapshot).enabled);
    EXPECT_FALSE(CommandStateFor(ID_PREVIEW_PREVIOUS_PAGE, snapshot).enabled);
    EXPECT_TRUE(CommandStateFor(ID_PREVIEW_CLOSE, snapshot).enabled);
    snapshot.toolbarVisible = false;
    EXPECT_FALSE(CommandStateFor(ID_VIEW_TOOLBAR, snapshot).checked);
    EXPECT_TRUE(CommandStateFor(ID_VIEW_STATUS_BAR, snapshot).checked);
}

TEST(ToolbarResource, ParsesTheButtonListAndRejectsBadData) {
    const WORD good[] = {1, 16, 15, 3, 57600, 0, 57609};
    std::vector<UINT> buttons;
    ASSERT_TRUE(ParseToolbarButtons(good, 7, buttons));
    EXPECT_EQ((std::vector<UINT>{57600, 0, 57609}), buttons);
    EXPECT_FALSE(ParseToolbarButtons(good, 6, buttons));  // shorter than its count
    const WORD wrongVersion[] = {2, 16, 15, 0};
    EXPECT_FALSE(ParseToolbarButtons(wrongVersion, 4, buttons));
    EXPECT_FALSE(ParseToolbarButtons(good, 3, buttons));
}

TEST(ToolbarResource, LoadsTheProgramsToolbars) {
    std::vector<UINT> buttons;
    ASSERT_TRUE(LoadToolbarButtons(IDR_MAIN_FRAME, buttons));
    EXPECT_EQ((std::vector<UINT>{57600, 57601, 57603, 0, 57609, 57607, 0, 57664, 57669}),
              buttons);
    ASSERT_TRUE(LoadToolbarButtons(IDR_PREVIEW_TOOLBAR, buttons));
    EXPECT_EQ((std::vector<UINT>{58115, 58114, 57607, 0, 58112}), buttons);
    EXPECT_FALSE(LoadToolbarButtons(999, buttons));
}
