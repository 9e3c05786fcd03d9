// Printing and previewing the reports through the main window, as the user
// does it, on the private print server's PDF queue: what comes out is
// read back as text. Without the print server (VANTREL_TEST_PDF_DIR unset)
// these tests are skipped; with it, Wine must see its printer. Every test
// that prints is in this one suite: ctest runs a suite as one process, so
// no other test's file turns up in the PDF folder meanwhile.
#include "ReportPrintingFixture.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Seventy tasks and five appointments: the plan and the task list need a
// second sheet, the appointments one.
TEST_F(ReportPrintingTest, EachDailyReportComesOutWithItsTitleHeadingsPagesAndEntries) {
    struct Case {
        UINT command;
        const char* title;
        std::vector<const char*> headings;
        int tasks;
        int appointments;
        size_t pages;
    };
    const Case cases[] = {
        {ID_REPORT_DAILY_PLAN, "DAILY PLAN",
         {"START", "END", "APPOINTMENT", "TASK", "PRIORITY", "DUE DATE"}, 70, 5, 2},
        {ID_REPORT_DAILY_TASKS, "DAILY TASKS", {"TASK", "PRIORITY", "DUE DATE"}, 70, 0, 2},
        {ID_REPORT_DAILY_APPOINTMENTS, "DAILY APPOINTMENTS", {"START", "END", "APPOINTMENT"}, 0,
         5, 1},
    };
    CreateFrameWithDay(70, 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Command(c.command);
        Idle();
        // The mark moves to the report chosen; Print follows it.
        for (UINT report : {ID_REPORT_DAILY_PLAN, ID_REPORT_DAILY_TASKS, ID_REPORT_DAILY_APPOINTMENTS})
            EXPECT_EQ(report == c.command, MenuChecked(report)) << report;

        PdfOutput output;
        const std::string text = PrintAndRead(output);
        const std::vector<std::string> pages = Pages(text);
        ASSERT_EQ(c.pages, pages.size()) << text;
        for (size_t page = 0; page < pages.size(); ++page) {
            EXPECT_EQ(1, Occurrences(pages[page], c.title)) << page;
            for (const char* heading : c.headings) EXPECT_NE(std::string::npos, pages[page].find(heading));
            EXPECT_EQ(1, Occurrences(pages[page], "Page " + std::to_string(page + 1))) << page;
        }
        EXPECT_EQ("Page " + std::to_string(pages.size()), frame_->StatusText());
        for (int i = 1; i <= c.tasks; ++i) EXPECT_EQ(1, Occurrences(text, "task " + std::to_string(i))) << i;
        for (int i = 1; i <= c.appointments; ++i)
            EXPECT_EQ(1, Occurrences(text, "appointment " + std::to_string(i))) << i;
        // Long texts are cut at their column's end; the rest is whole.
        EXPECT_NE(std::string::npos, text.find(" with every"));
        EXPECT_EQ(std::string::npos, text.find("XYZZY"));
        EXPECT_LT(text.find("..."), text.find('\n', text.find(" with every"))) << "cut without \"...\"";
        EXPECT_EQ(c.tasks > 0, text.find("Done") != std::string::npos);
        EXPECT_EQ(c.appointments > 0, text.find("8:30 A") != std::string::npos);
    }
}

// The preview takes the day view's place and the main toolbar's band; its
// buttons follow the page shown; Print there prints what it shows, even
// after another report was chosen; closing gives everything back.
TEST_F(ReportPrintingTest, ThePreviewStepsThroughThePagesPrintsWhatItShowsAndGivesTheDayViewBack) {
    CreateFrameWithDay(70, 1);
    Command(ID_REPORT_DAILY_TASKS);
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(Printing().PreviewOpen());
    HWND preview = Printing().PreviewWindow();
    EXPECT_EQ(frame_->Handle(), GetParent(preview));
    EXPECT_TRUE(IsWindowVisible(preview));
    EXPECT_FALSE(IsWindowVisible(frame_->DayView()));
    EXPECT_TRUE(frame_->Bands().IsBandVisible(IDR_PREVIEW_TOOLBAR));
    EXPECT_FALSE(frame_->Bands().IsBandVisible(ID_VIEW_TOOLBAR));

    struct Step {
        UINT command;
        const char* status;
        bool previous;
        bool next;
    };
    const Step steps[] = {
        {0, "Page 1", false, true},
        {ID_PREVIEW_NEXT_PAGE, "Page 2", true, false},
        {ID_PREVIEW_NEXT_PAGE, "Page 2", true, false},  // no third page: nothing happens
        {ID_PREVIEW_PREVIOUS_PAGE, "Page 1", false, true},
        {ID_PREVIEW_PREVIOUS_PAGE, "Page 1", false, true},
    };
    for (const Step& step : steps) {
        if (step.command) Command(step.command);
        Idle();
        EXPECT_EQ(step.status, frame_->StatusText()) << step.command;
        EXPECT_EQ(step.previous, PreviewButtonEnabled(ID_PREVIEW_PREVIOUS_PAGE)) << step.status;
        EXPECT_EQ(step.next, PreviewButtonEnabled(ID_PREVIEW_NEXT_PAGE)) << step.status;
    }

    Command(ID_REPORT_DAILY_APPOINTMENTS);
    PdfOutput output;
    const std::string text = PrintAndRead(output);
    EXPECT_EQ(2, Occurrences(text, "DAILY TASKS")) << text;
    EXPECT_TRUE(Printing().PreviewOpen());

    // Print Preview again closes it, as the close button does.
    Command(ID_FILE_PRINT_PREVIEW);
    Idle();
    EXPECT_FALSE(Printing().PreviewOpen());
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(nullptr, Printing().Prepared());
    EXPECT_TRUE(IsWindowVisible(frame_->DayView()));
    EXPECT_FALSE(frame_->Bands().IsBandVisible(IDR_PREVIEW_TOOLBAR));
    EXPECT_TRUE(frame_->Bands().IsBandVisible(ID_VIEW_TOOLBAR));
    EXPECT_EQ("Ready", frame_->StatusText());
    Command(ID_FILE_PRINT_PREVIEW);
    Command(ID_PREVIEW_CLOSE);
    EXPECT_FALSE(Printing().PreviewOpen());
}

// Wider left margins from Page Setup: the open preview closes, the next one
// is laid out with them.
TEST_F(ReportPrintingTest, PageSetupMarginsTakeEffectAtTheNextPreparation) {
    CreateFrameWithDay(5, 0);
    Command(ID_REPORT_DAILY_TASKS);
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(nullptr, Printing().Prepared());
    const RECT before = Printing().Prepared()->PrintableRect();
    HDC printer = Printing().Printer().CreateInformationContext();
    const int inch = GetDeviceCaps(printer, LOGPIXELSX);
    DeleteDC(printer);

    DialogDriver driver([](HWND dialog) {
        SetDlgItemTextA(dialog, kLeftMarginEdit, "2");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(ID_FILE_PAGE_SETUP);
    EXPECT_EQ(1, driver.DialogsDriven());
    EXPECT_FALSE(Printing().PreviewOpen());
    EXPECT_EQ(2000, Printing().Printer().margins.left);

    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(nullptr, Printing().Prepared());
    const RECT after = Printing().Prepared()->PrintableRect();
    EXPECT_EQ(before.left + inch, after.left);
    EXPECT_EQ(before.right, after.right);
}

// The report font applies from the next preparation (an open preview keeps
// its type), except on a sheet 5.8 inches wide (A5), where the daily reports
// print in 8-point type whatever the font.
TEST_F(ReportPrintingTest, TheReportFontAppliesFromTheNextPreparationExceptOnASmallSheet) {
    CreateFrameWithDay(3, 0);
    Command(ID_REPORT_DAILY_TASKS);
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(nullptr, Printing().Prepared());
    EXPECT_EQ(10, Printing().Prepared()->PointSize());
    {
        DialogDriver driver([](HWND dialog) { ChooseFont(dialog, "Arial", "12"); });
        Command(ID_REPORT_FONT);
    }
    {
        DialogDriver cancel([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
        Command(ID_REPORT_FONT);
    }
    EXPECT_EQ(12, Printing().ReportFont().pointSize);
    EXPECT_EQ("Arial", Printing().ReportFont().faceName);
    EXPECT_EQ(10, Printing().Prepared()->PointSize());

    for (short paper : {DMPAPER_A5, DMPAPER_A4}) {
        ChangeDeviceMode([paper](DEVMODEA& mode) {
            mode.dmFields |= DM_PAPERSIZE;
            mode.dmPaperSize = paper;
        });
        Command(ID_FILE_PRINT_PREVIEW);
        Command(ID_FILE_PRINT_PREVIEW);
        ASSERT_NE(nullptr, Printing().Prepared());
        EXPECT_EQ(paper == DMPAPER_A5 ? 8 : 12, Printing().Prepared()->PointSize()) << paper;
    }
}

// A day without tasks: the report has no page. The preview shows one empty
// sheet; Print sends nothing and says so.
TEST_F(ReportPrintingTest, AReportWithoutPagesPreviewsAnEmptySheetAndPrintsNothing) {
    CreateFrameWithDay(0, 1);
    Task elsewhere;
    elsewhere.ID = frame_->Document().tasks.IssueID();
    elsewhere.DueDate = frame_->Document().SelectedDate + DateSpan::FromParts(3, 0, 0, 0);
    frame_->Document().tasks.Insert(elsewhere.ID, elsewhere);
    frame_->Document().SetModified(true, true);
    Command(ID_REPORT_DAILY_TASKS);
    Command(ID_FILE_PRINT_PREVIEW);
    Idle();
    ASSERT_TRUE(Printing().PreviewOpen());
    EXPECT_EQ(0, Printing().Prepared()->PageCount());
    EXPECT_NE(nullptr, Printing().Preview()->PageImage());
    EXPECT_FALSE(PreviewButtonEnabled(ID_PREVIEW_NEXT_PAGE));
    EXPECT_FALSE(PreviewButtonEnabled(ID_PREVIEW_PREVIOUS_PAGE));

    PdfOutput output;
    std::string shown;
    const std::vector<CaughtMessageBox> boxes = Print(shown);
    ASSERT_EQ(1u, boxes.size()) << shown;
    EXPECT_EQ("The report has no entries: nothing was printed.", boxes[0].text);
    EXPECT_FALSE(boxes[0].hasErrorIcon);
    Sleep(1500);
    EXPECT_EQ(0u, output.NewFileCount());
}

// A queue that refuses jobs: the user is told, with an error icon, that the
// report was not printed.
TEST_F(ReportPrintingTest, AJobTheSpoolerRefusesIsReportedAsNotPrinted) {
    CreateFrameWithDay(2, 0);
    Command(ID_REPORT_DAILY_TASKS);
    const std::string rejected = PdfOutput::Folder() + "/vantrel-rejected.txt";
    const std::string accepted = PdfOutput::Folder() + "/vantrel-accepted.txt";
    ASSERT_TRUE(PdfOutput::RunShell("/usr/sbin/cupsreject PDF && echo rejected", rejected));
    PdfOutput output;
    std::string shown;
    const std::vector<CaughtMessageBox> boxes = Print(shown);
    EXPECT_TRUE(PdfOutput::RunShell("/usr/sbin/cupsaccept PDF && echo accepted", accepted));
    DeleteFileA(PdfOutput::WindowsPath(rejected).c_str());
    DeleteFileA(PdfOutput::WindowsPath(accepted).c_str());
    ASSERT_EQ(1u, boxes.size()) << shown;
    EXPECT_EQ("The report was not printed: the printer did not accept it, or printing failed part way.",
              boxes[0].text);
    EXPECT_TRUE(boxes[0].hasErrorIcon);
    EXPECT_EQ(0u, output.NewFileCount());
}

// A driver's prompt cancelled (ERROR_CANCELLED; Wine's PDF queue has none) is no failure.
TEST_F(ReportPrintingTest, APrintCancelledInTheDriversPromptIsNotReportedAsAFailure) {
    CreateFrameWithDay(2, 0);
    Command(ID_REPORT_DAILY_TASKS);
    Printing().SetDocumentStarter([](HDC, const DOCINFOA*) { return SetLastError(ERROR_CANCELLED), 0; });
    std::string shown;
    EXPECT_TRUE(Print(shown).empty()) << shown;
}

// What the "Printing" window showed when it reached page 2, where the hook
// below clicked its Cancel button.
struct PrintingWindowAtPageTwo {
    HWND window = nullptr;
    HWND owner = nullptr;
    bool ownerEnabled = true;
    std::string caption, what, page;
};
PrintingWindowAtPageTwo g_atPageTwo;

std::string TextOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LRESULT CALLBACK CancelAtPageTwo(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SETTEXT && !g_atPageTwo.window &&
        GetDlgCtrlID(call->hwnd) == IDC_PRINTING_PAGE && TextOf(call->hwnd).rfind("Page 2 ", 0) == 0) {
        PrintingWindowAtPageTwo& seen = g_atPageTwo;
        seen.window = GetParent(call->hwnd);
        seen.owner = GetWindow(seen.window, GW_OWNER);
        seen.ownerEnabled = IsWindowEnabled(seen.owner) != FALSE;
        seen.caption = TextOf(seen.window);
        seen.what = TextOf(GetDlgItem(seen.window, IDC_PRINTING_WHAT));
        seen.page = TextOf(call->hwnd);
        SendDlgItemMessageA(seen.window, IDCANCEL, BM_CLICK, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Cancel in the "Printing" window (made to come at once) at page 2 of 4:
// the window names the report and counts its pages while the main window
// takes no input; the job stops before page 2, with no message, and the
// main window is usable again.
TEST_F(ReportPrintingTest, CancelInThePrintingWindowStopsTheJobWithoutAMessage) {
    CreateFrameWithDay(200, 0);
    Command(ID_REPORT_DAILY_TASKS);
    Printing().SetPrintingWindowDelay(0);
    g_atPageTwo = PrintingWindowAtPageTwo();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, CancelAtPageTwo, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    PdfOutput output;
    std::string shown;
    const std::vector<CaughtMessageBox> boxes = Print(shown);
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(boxes.empty()) << shown;
    ASSERT_NE(nullptr, g_atPageTwo.window) << "no \"Printing\" window reached page 2";
    EXPECT_EQ("Printing", g_atPageTwo.caption);
    EXPECT_EQ("Printing the report DAILY TASKS", g_atPageTwo.what);
    EXPECT_EQ("Page 2 of 4", g_atPageTwo.page);
    EXPECT_EQ(frame_->Handle(), g_atPageTwo.owner);
    EXPECT_FALSE(g_atPageTwo.ownerEnabled);
    EXPECT_FALSE(IsWindow(g_atPageTwo.window));
    EXPECT_TRUE(IsWindowEnabled(frame_->Handle()));
    EXPECT_EQ("Page 1", frame_->StatusText());
    // An aborted job leaves no PDF file (or at most the page before it
    // stopped); a whole one would be there well within the time given.
    EXPECT_LT(Pages(output.NextDocumentText(10000)).size(), 4u);
}

// A removed default printer, which Wine cannot open, beside the PDF queue: each
// command names it, then its dialog (Page Setup for Preview) offers the queue,
// which OK makes the printer. (Wine makes contexts from the device list.)
TEST_F(ReportPrintingTest, ADefaultPrinterThatCannotBeOpenedIsNamedAndAnotherIsChosenInTheDialog) {
    const char* const keys[] = {"Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices",
                                "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows"};
    char devices[4096] = "";
    DWORD size = sizeof devices;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, keys[0], "PDF", RRF_RT_REG_SZ, nullptr, devices, &size));
    PrivateUserRegistry registry;
    const std::pair<const char*, std::string> values[] = {{"PDF", devices}, {"Device", "Gone Printer,winspool,FILE:"}};
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, keys[i], values[i].first, REG_SZ,
                                                 values[i].second.c_str(), values[i].second.size() + 1));
    for (UINT command : {ID_FILE_PAGE_SETUP, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW}) {
        SCOPED_TRACE(command);
        TearDown();
        CreateFrameWithDay(1, 0, false);
        Command(ID_REPORT_DAILY_TASKS);
        PdfOutput output;
        std::string shown;
        const std::vector<CaughtMessageBox> boxes = Print(shown, command);
        ASSERT_EQ(1u, boxes.size()) << shown;
        EXPECT_EQ("The printer \"Gone Printer\" could not be used: it may be offline or removed, or its "
                  "driver may be broken.\n\nChoose a printer in the dialog that follows.", boxes[0].text);
        EXPECT_EQ("PDF", Printing().Printer().Name());
        EXPECT_EQ(command == ID_FILE_PRINT_PREVIEW, Printing().PreviewOpen());
        EXPECT_TRUE(command != ID_FILE_PRINT || !output.NextDocumentText().empty());
    }
    TearDown();  // the frame goes while the private registry is still there
}

// Ten persons with awkward names, one with every field empty and one whose
// address is 4,000 characters long, picked with "Select All" and printed
// with the chooser's Print button: sorted by display name in the user's
// locale, every label on every entry, each sheet with its title and
// number, and the long line cut at its column.
TEST_F(ReportPrintingTest, TheAddressBookComesOutSortedWithEveryLabelAndLongLinesCut) {
    CreateFrameWithDay(0, 0);
    const std::vector<std::pair<const char*, const char*>> names = {
        {"Zed", "Young"}, {"Pat", "O'Brien"}, {"Al", "Oakley"}, {"Anna", "Van Dyke"},
        {"Anna", "van Dyke"}, {"", "\xC9lan"}, {"", "Ezra"}, {"Bo", "Eagle"}};
    for (const auto& name : names) {
        Person person;
        person.FName = name.first;
        person.LName = name.second;
        person.WkPhone = "5550100";
        person.WkExt = name.second[0] == 'Y' ? "12" : "";
        person.City = "Springfield";
        person.Zip = "62701";
        AddPerson(person);
    }
    AddPerson(Person());
    Person overlong;
    overlong.LName = "Longfellow";
    overlong.Addr1 = std::string(4000, 'w') + " XYZZY";
    AddPerson(overlong);
    frame_->Document().SetModified(true, true);
    Idle();

    PdfOutput output;
    MessageBoxCatcher boxes(IDOK);
    EXPECT_EQ(2, ChoosePersons(ID_REPORT_PHONE_BOOK, IDC_PERSONS_PRINT));
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes().front().text;
    EXPECT_TRUE(MenuChecked(ID_REPORT_PHONE_BOOK));
    EXPECT_FALSE(MenuChecked(ID_REPORT_ENVELOPES));
    const std::string text = output.NextDocumentText();
    const std::vector<std::string> pages = Pages(text);
    ASSERT_EQ(2u, pages.size()) << text;  // seven entries to a sheet of A4
    for (size_t page = 0; page < pages.size(); ++page) {
        EXPECT_EQ(1, Occurrences(pages[page], "ADDRESS BOOK")) << page;
        EXPECT_EQ(1, Occurrences(pages[page], "Page " + std::to_string(page + 1))) << page;
    }
    const int persons = static_cast<int>(frame_->Document().persons.size());
    for (const char* label : {"Home Phone:", "Work Phone:", "Fax:", "E-Mail:", "Pager:", "CelPhone:", "Web Page:",
                              "Company:", "Position:"})
        EXPECT_EQ(persons, Occurrences(text, AsRead(label))) << label;
    EXPECT_EQ(1, Occurrences(text, "Work Phone: 5550100 Ext. 12"));
    EXPECT_NE(std::string::npos, text.find("wwwwwwwwww"));
    EXPECT_EQ(std::string::npos, text.find("XYZZY"));
    // In order of "Last, First" as the locale sorts: Eagle, \xC9lan, Ezra
    // (the accent among the E's), Oakley before O'Brien (the apostrophe
    // passed over), van before Van.
    size_t at = 0;
    for (const char* name : {"Bo Eagle", "\xC9lan", "Ezra", "Longfellow",
                             "Al Oakley", "Pat O'Brien", "Anna van Dyke", "Anna Van Dyke", "Zed Young"}) {
        const std::string written = AsRead(name);
        const size_t found = text.find(written, at);
        ASSERT_NE(std::string::npos, found) << name << " after " << at;
        at = found + 1;
    }
}

// Envelopes for four persons whose names run against their IDs, picked
// with the chooser's Preview button in the Yellow Pages: the preview opens
// at once with one sheet each; printed from there, each sheet holds the
// sender and its own recipient, in ID order, with company lines. Back in
// the White Pages the next preparation prints no company lines.
TEST_F(ReportPrintingTest, EnvelopesComeOutOnePerPersonInIdOrderWithCompaniesOnlyInTheYellowPages) {
    CreateFrameWithDay(0, 0);
    User& owner = frame_->Document().user;
    owner.FName = "Ola";
    owner.LName = "Brennix";
    owner.Company = "Brennix Ltd";
    owner.Addr1 = "4 Harbour Rd";
    owner.City = "Portland";
    owner.State = "ME";
    owner.Zip = "04101";
    const char* const recipients[] = {"Young", "Xu", "Walsh", "Vance"};
    for (const char* name : recipients) {
        Person person;
        person.FName = "Dear";
        person.LName = name;
        person.Company = std::string(name) + " Inc";
        person.Addr1 = "1 " + std::string(name) + " St";
        person.City = "Oslo";
        person.Zip = "0150";
        AddPerson(person);
    }
    frame_->Document().SetModified(true, true);
    ShowPages(IDC_DAY_YELLOW_PAGES);

    EXPECT_EQ(1, ChoosePersons(ID_REPORT_ENVELOPES, IDC_PERSONS_PREVIEW));
    ASSERT_TRUE(Printing().PreviewOpen());
    ASSERT_EQ(4, Printing().Prepared()->PageCount());
    EXPECT_EQ("Page 1", frame_->StatusText());
    EXPECT_TRUE(MenuChecked(ID_REPORT_ENVELOPES));

    {
        PdfOutput output;
        const std::vector<std::string> pages = Pages(PrintAndRead(output));
        ASSERT_EQ(4u, pages.size());
        for (size_t page = 0; page < pages.size(); ++page) {
            const std::string& sheet = pages[page];
            for (const char* sender : {"Ola Brennix", "Brennix Ltd", "4 Harbour Rd", "Portland, ME 04101"})
                EXPECT_EQ(1, Occurrences(sheet, sender)) << page << ": " << sender;
            const std::string name = recipients[page];
            for (const std::string& line : {"Dear " + name, name + " Inc", "1 " + name + " St", std::string("Oslo, 0150")})
                EXPECT_EQ(1, Occurrences(sheet, line)) << page << ": " << line;
            EXPECT_EQ(std::string::npos, sheet.find("Page")) << page;
            // The recipient stands below the sender.
            EXPECT_LT(sheet.find("Portland"), sheet.find("Dear"));
        }
    }
    Command(ID_PREVIEW_CLOSE);

    ShowPages(IDC_DAY_WHITE_PAGES);
    PdfOutput output;
    const std::string text = PrintAndRead(output);
    EXPECT_EQ(4u, Pages(text).size());
    EXPECT_EQ(4, Occurrences(text, "Ola Brennix"));
    EXPECT_EQ(std::string::npos, text.find("Inc")) << text;
    EXPECT_EQ(std::string::npos, text.find("Brennix Ltd"));

    // Cancel in "Persons To Include" keeps the envelopes chosen.
    DialogDriver cancel([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    Command(ID_REPORT_PHONE_BOOK);
    Idle();
    EXPECT_EQ(1, cancel.DialogsDriven());
    EXPECT_TRUE(MenuChecked(ID_REPORT_ENVELOPES));
    EXPECT_FALSE(MenuChecked(ID_REPORT_PHONE_BOOK));
}

// Without any printer the three printing commands say so instead of doing
// nothing. No print server needed: the default printer is read from a
// registry of this test's own, which names none; the printer list is emptied.
TEST(NoPrinter, PrintPreviewAndPageSetupSayThatNoPrinterIsInstalled) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0x0504};
    InitCommonControlsEx(&controls);
    PrivateUserRegistry registry;
    ASSERT_TRUE(registry.Active());
    MessageLoop loop;
    NoFiles chooser;
    HelpLibrary help([]() -> HtmlHelpEntry { return nullptr; });
    {
        MainFrame frame(loop, chooser, help, "C:\\Vantrel");
        ASSERT_TRUE(frame.Create());
        EXPECT_FALSE(frame.Printing().Printer().HasPrinter());
        frame.Printing().SetPrinterLister([] { return std::vector<std::string>(); });
        Task task;
        task.ID = frame.Document().tasks.IssueID();
        task.DueDate = frame.Document().SelectedDate;
        frame.Document().tasks.Insert(task.ID, task);
        frame.Document().SetModified(true, true);
        SendMessageA(frame.Handle(), WM_COMMAND, ID_REPORT_DAILY_TASKS, 0);

        MessageBoxCatcher boxes(IDOK);
        for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PAGE_SETUP})
            SendMessageA(frame.Handle(), WM_COMMAND, id, 0);
        ASSERT_EQ(3u, boxes.Boxes().size());
        for (const CaughtMessageBox& box : boxes.Boxes()) {
            EXPECT_EQ(0u, box.text.find("No printer is installed.")) << box.text;
            EXPECT_TRUE(box.hasWarningIcon);
        }
        EXPECT_FALSE(frame.Printing().PreviewOpen());
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace
