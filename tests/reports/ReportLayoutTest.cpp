// Report pages laid out without a device: the printable rectangle, the page
// table and where the daily reports put their texts and rules. Widths come
// from a stand-in measure (ten pixels a character), the metrics from a
// made-up frame, so every position here is the layout's own arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "DailyReports.h"
#include "ReportLayout.h"

namespace {

const int kLine = 50;   // line height of the made-up frame
const int kChar = 20;   // its average character width

int TenPixelsACharacter(ReportFace, const std::string& text) {
    return 10 * static_cast<int>(text.size());
}

// A sheet of 2000 by 3000 pixels, a 100-pixel margin inside the printable
// area, and `bottom` as the printable bottom.
PageFrame FrameWithBottom(int bottom) {
    PageFrame frame;
    frame.printable = {100, 100, 1900, bottom};
    frame.lineHeight = kLine;
    frame.charWidth = kChar;
    frame.inch = 300;
    return frame;
}

// "task 1"... and "meeting 1"...
template <typename Record>
std::vector<Record> Numbered(int count, const char* name) {
    std::vector<Record> records(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) records[static_cast<size_t>(i)].Description = name + std::to_string(i + 1);
    return records;
}
std::vector<Task> NumberedTasks(int count) { return Numbered<Task>(count, "task "); }
std::vector<Appointment> NumberedAppointments(int count) {
    return Numbered<Appointment>(count, "meeting ");
}

const PageText* FindText(const PageLayout& page, const std::string& text) {
    for (const PageText& item : page.texts) {
        if (item.text == text) return &item;
    }
    return nullptr;
}

// The texts standing on line `y`, in drawing order.
std::vector<std::string> TextsAt(const PageLayout& page, int y) {
    std::vector<std::string> texts;
    for (const PageText& item : page.texts) {
        if (item.y == y) texts.push_back(item.text);
    }
    return texts;
}

// The entries of a page: its clipped texts (one per entry in every daily
// report).
std::vector<const PageText*> Entries(const PageLayout& page) {
    std::vector<const PageText*> entries;
    for (const PageText& item : page.texts) {
        if (item.clipped) entries.push_back(&item);
    }
    return entries;
}

TEST(PrintableRect, MarginsAreMeasuredFromTheSheetsEdgesNotThePrintableArea) {
    struct Case {
        const char* sheet;
        DeviceGeometry device;
        PageMargins margins;
        RECT expected;
    };
    const Case cases[] = {
        // 600 dpi letter, printable area a quarter inch in: one-inch margins
        // begin 450 pixels into the printable area.
        {"letter, offsets", {600, 600, 5100, 6600, 150, 150}, {1000, 1000, 1000, 1000},
         {450, 450, 5100 - 600 - 150, 6600 - 600 - 150}},
        // No offsets: the margins are the rectangle's distance from the edges.
        {"A4 at 300 dpi", {300, 300, 2479, 3508, 0, 0}, {500, 250, 750, 2000},
         {150, 75, 2479 - 225, 3508 - 600}},
        // Different resolutions across and down; fractions truncate toward
        // zero, also below zero.
        {"anisotropic", {200, 100, 1700, 1100, 35, 20}, {101, 133, 0, 5}, {-14, -6, 1665, 1079}},
    };
    for (const Case& c : cases) {
        const RECT r = PrintableRectFor(c.device, c.margins);
        EXPECT_EQ(c.expected.left, r.left) << c.sheet;
        EXPECT_EQ(c.expected.top, r.top) << c.sheet;
        EXPECT_EQ(c.expected.right, r.right) << c.sheet;
        EXPECT_EQ(c.expected.bottom, r.bottom) << c.sheet;
    }
}

TEST(PrintableRect, SheetsSixWholeInchesWideOrLessAreSmall) {
    // Widths in hundredths of an inch at 600 dpi: A6, A5, 6 and 6.99 inches
    // are small; 7 inches, A4 and letter are not.
    for (int hundredths : {413, 583, 600, 699, 700, 827, 850})
        EXPECT_EQ(hundredths < 700, IsSmallSheet({600, 600, hundredths * 6, 8000, 0, 0})) << hundredths;
}

// Sweeps the printable bottom across two lines: the entries of every page
// end above the footer's line (so strictly above the bottom), the first page
// takes every entry that fits there, and later pages hold as many.
TEST(DailyPagination, EntriesEndAboveTheFooterAndLaterPagesHoldAsManyAsTheFirst) {
    for (int bottom = 1000; bottom <= 1000 + 2 * kLine; ++bottom) {
        const PageFrame frame = FrameWithBottom(bottom);
        DailyTasksReport report(NumberedTasks(60));
        report.Paginate(frame);
        ASSERT_GT(report.PageCount(), 1) << bottom;

        size_t first = 0;
        size_t total = 0;
        for (int page = 0; page < report.PageCount(); ++page) {
            const PageLayout layout = report.LayOutPage(frame, page, TenPixelsACharacter);
            const int footer = FindText(layout, "Page " + std::to_string(page + 1))->y;
            const std::vector<const PageText*> entries = Entries(layout);
            for (const PageText* entry : entries) {
                EXPECT_LE(entry->y + kLine, footer) << bottom;
                EXPECT_LT(entry->y, bottom) << bottom;
            }
            if (page == 0) {
                first = entries.size();
                // One more line would have reached into the footer.
                EXPECT_GT(entries.back()->y + 2 * kLine, footer) << bottom;
            } else if (page + 1 < report.PageCount()) {
                EXPECT_EQ(first, entries.size()) << bottom << " page " << page;
            }
            total += entries.size();
        }
        EXPECT_EQ(60u, total) << bottom;
    }
}

// Five appointments and forty tasks, twenty lines to a sheet: the halves are
// paginated apart, both from the first sheet.
TEST(DailyPagination, ThePlansHalvesHaveTheirOwnPageCounts) {
    const PageFrame frame = FrameWithBottom(100 + 3 * kLine + 20 * kLine + kLine);
    DailyPlanReport plan(NumberedTasks(40), NumberedAppointments(5));
    plan.Paginate(frame);
    EXPECT_EQ(1, plan.AppointmentPageCount());
    EXPECT_EQ(2, plan.TaskPageCount());
    ASSERT_EQ(2, plan.PageCount());

    struct Sheet {
        size_t appointments;
        size_t tasks;
        int firstTask;
    };
    const Sheet expected[] = {{5, 20, 1}, {0, 20, 21}};
    for (int page = 0; page < 2; ++page) {
        size_t appointments = 0;
        std::vector<const PageText*> tasks;
        for (const PageText* entry : Entries(plan.LayOutPage(frame, page, TenPixelsACharacter))) {
            // Appointments stay left of the divider, tasks right of it.
            if (entry->text.rfind("meeting", 0) == 0) {
                EXPECT_LT(entry->x, frame.RightColumnX());
                ++appointments;
            } else {
                EXPECT_GT(entry->x, frame.RightColumnX());
                tasks.push_back(entry);
            }
        }
        const Sheet& sheet = expected[page];
        EXPECT_EQ(sheet.appointments, appointments) << page;
        ASSERT_EQ(sheet.tasks, tasks.size()) << page;
        EXPECT_EQ("task " + std::to_string(sheet.firstTask), tasks.front()->text) << page;
    }
    // Both halves begin a line below the headings.
    const PageLayout first = plan.LayOutPage(frame, 0, TenPixelsACharacter);
    EXPECT_EQ(FindText(first, "meeting 1")->y, FindText(first, "task 1")->y);
    EXPECT_EQ(FindText(first, "START")->y + kLine, FindText(first, "meeting 1")->y);
}

// No entries, no page; an index past the end still lays out the frame of
// a page: title, headings, page number and the six corner rules.
TEST(DailyPagination, AnEmptyListHasNoPageYetItsSheetStillCarriesTheFrame) {
    const PageFrame frame = FrameWithBottom(1000);
    DailyAppointmentsReport report(std::vector<Appointment>{});
    report.Paginate(frame);
    EXPECT_EQ(0, report.PageCount());
    const PageLayout page = report.LayOutPage(frame, 0, TenPixelsACharacter);
    EXPECT_TRUE(Entries(page).empty());
    EXPECT_NE(nullptr, FindText(page, "DAILY APPOINTMENTS"));
    EXPECT_NE(nullptr, FindText(page, "Page 1"));
    EXPECT_EQ(6u, page.lines.size());
}

// The title and the footer are centred on the printable width; the title
// stands at the top, the footer one line above the bottom.
TEST(DailyPages, TitleAndFooterAreCentredOnThePrintableWidth) {
    const PageFrame frame = FrameWithBottom(1000);
    DailyTasksReport report(NumberedTasks(3));
    report.Paginate(frame);
    const PageLayout page = report.LayOutPage(frame, 0, TenPixelsACharacter);
    for (const char* text : {"DAILY TASKS", "Page 1"}) {
        const PageText* item = FindText(page, text);
        ASSERT_NE(nullptr, item) << text;
        EXPECT_EQ(ReportFace::kTitle, item->face) << text;
        const int leftGap = item->x - frame.printable.left;
        const int rightGap = frame.printable.right - (item->x + TenPixelsACharacter(item->face, text));
        EXPECT_LE(std::abs(leftGap - rightGap), 1) << text;
    }
    EXPECT_EQ(frame.printable.top, FindText(page, "DAILY TASKS")->y);
    EXPECT_EQ(frame.printable.bottom - kLine, FindText(page, "Page 1")->y);
}

// Each report's long texts stop where the next thing begins: the plan's
// appointments at the divider, its tasks half a character before PRIORITY;
// the daily appointments at the right margin.
TEST(DailyPages, ClippedTextsEndAtTheDividerTheNextColumnOrTheMargin) {
    const PageFrame frame = FrameWithBottom(1000);
    DailyPlanReport plan(NumberedTasks(1), NumberedAppointments(1));
    DailyTasksReport tasks(NumberedTasks(1));
    DailyAppointmentsReport appointments(NumberedAppointments(1));
    for (Report* report : std::vector<Report*>{&plan, &tasks, &appointments}) report->Paginate(frame);

    const PageLayout planPage = plan.LayOutPage(frame, 0, TenPixelsACharacter);
    const PageLine& divider = planPage.lines.back();
    ASSERT_EQ(divider.from.x, divider.to.x);
    EXPECT_EQ(FindText(planPage, "DUE DATE")->y, divider.from.y);
    EXPECT_EQ(frame.printable.bottom - kLine, divider.to.y);
    EXPECT_EQ(divider.from.x, FindText(planPage, "meeting 1")->clip.right);
    EXPECT_EQ(FindText(planPage, "PRIORITY")->x - kChar / 2, FindText(planPage, "task 1")->clip.right);

    const PageLayout taskPage = tasks.LayOutPage(frame, 0, TenPixelsACharacter);
    EXPECT_EQ(FindText(taskPage, "PRIORITY")->x - kChar / 2, FindText(taskPage, "task 1")->clip.right);

    const PageLayout appointmentPage = appointments.LayOutPage(frame, 0, TenPixelsACharacter);
    const PageText* description = FindText(appointmentPage, "meeting 1");
    EXPECT_EQ(frame.printable.right, description->clip.right);
    EXPECT_EQ(FindText(appointmentPage, "APPOINTMENT")->x, description->clip.left);
    // One line tall, from the entry's own position.
    EXPECT_EQ(description->y, description->clip.top);
    EXPECT_EQ(description->y + kLine, description->clip.bottom);
}

TEST(CutTexts, EndInAnEllipsisWithinTheColumnAfterTheLastNonSpace) {
    const auto measure = [](const std::string& text) { return 10 * static_cast<int>(text.size()); };
    EXPECT_EQ("abc...", FitWithEllipsis("abcdefg", 69, measure));
    EXPECT_EQ("ab...", FitWithEllipsis("ab  defgh", 60, measure));
    EXPECT_EQ("...", FitWithEllipsis("abcdefg", 25, measure));  // the clip cuts the dots
}

TEST(DailyPages, EntriesPrintTheirTimesPriorityNamesAndDatesAsTheUserReadsThem) {
    EXPECT_EQ("High", PriorityName(0));
    EXPECT_EQ("Done", PriorityName(3));
    // Only a file can carry other values; they print as nothing.
    EXPECT_EQ("", PriorityName(4));
    EXPECT_EQ("", PriorityName(-1));

    std::vector<Appointment> appointments(2);
    appointments[0].Description = "dentist";
    appointments[0].StartTime = DateTime::FromFields(2024, 3, 4, 9, 30, 0);
    appointments[0].EndTime = DateTime::FromFields(2024, 3, 4, 13, 5, 0);
    appointments[1].Description = "no times";
    appointments[1].StartTime = appointments[1].EndTime = DateTime();
    std::vector<Task> tasks(1);
    tasks[0].Description = "taxes";
    tasks[0].Priority = 7;
    tasks[0].DueDate = DateTime::FromFields(2024, 3, 4, 0, 0, 0);

    const PageFrame frame = FrameWithBottom(1000);
    DailyPlanReport plan(tasks, appointments);
    plan.Paginate(frame);
    const PageLayout page = plan.LayOutPage(frame, 0, TenPixelsACharacter);
    const int firstLine = FindText(page, "dentist")->y;
    EXPECT_EQ((std::vector<std::string>{"9:30 A", "1:05 P", "dentist", "taxes", "", "3/4/2024"}),
              TextsAt(page, firstLine));
    // An invalid time is an empty text.
    EXPECT_EQ((std::vector<std::string>{"", "", "no times"}), TextsAt(page, firstLine + kLine));
}

TEST(Trimming, RemovesTheSpacesTheLocaleKnowsAtEitherEnd) {
    struct Case {
        const char* text;
        const char* right;
        const char* left;
        const char* both;
    };
    const Case cases[] = {
        {"  Main St \t", "  Main St", "Main St \t", "Main St"},
        {"\r\n", "", "", ""},
        {"", "", "", ""},
        {"a b", "a b", "a b", "a b"},
        // A non-breaking space (0xA0 in code page 1252) is a space as well.
        {"\xA0x\xA0", "\xA0x", "x\xA0", "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.right, TrimRight(c.text)) << c.text;
        EXPECT_EQ(c.left, TrimLeft(c.text)) << c.text;
        EXPECT_EQ(c.both, TrimBoth(c.text)) << c.text;
    }
}

}  // namespace
