// Printing from an open preview; the persons chooser and a new document over it.
#include "ReportPrintingFixture.h"

// A portrait preview on page 2, Print on the sheet turned (Print answers with
// the orientation it was given) and back: each print is laid out whole for
// its sheet, and the preview follows, still on page 2. The chooser's Print and
// Preview replace the open preview; File > New forgets the report and closes it.
TEST_F(ReportPrintingTest, ThePreviewFollowsTheSheetPrintChoseTheChooserAndTheDocument) {
    CreateFrameWithDay(70, 0);
    AddPerson(Person());
    frame_->Document().SetModified(false, true);
    Command(ID_REPORT_DAILY_TASKS);
    Command(ID_FILE_PRINT_PREVIEW);
    Command(ID_PREVIEW_NEXT_PAGE);
    for (short turn : {DMORIENT_LANDSCAPE, DMORIENT_PORTRAIT}) {
        ChangeDeviceMode([turn](DEVMODEA& mode) { mode.dmFields |= DM_ORIENTATION, mode.dmOrientation = turn; });
        PdfOutput output;
        const std::string text = PrintAndRead(output);
        EXPECT_EQ(1, Occurrences(text, "Page " + std::to_string(Printing().Prepared()->PageCount()))) << turn;
        const RECT sheet = Printing().Preview()->SheetRect();
        EXPECT_EQ(turn == DMORIENT_LANDSCAPE, sheet.right - sheet.left > sheet.bottom - sheet.top);
        EXPECT_EQ(1, Printing().Preview()->CurrentPage());
    }
    for (int button : {IDC_PERSONS_PRINT, IDC_PERSONS_PREVIEW}) {
        Command(ID_REPORT_DAILY_TASKS);
        if (!Printing().PreviewOpen()) Command(ID_FILE_PRINT_PREVIEW);
        PdfOutput output;
        ChoosePersons(ID_REPORT_PHONE_BOOK, button);
        ASSERT_EQ(button == IDC_PERSONS_PREVIEW, Printing().PreviewOpen());
        const std::string shown = Printing().PreviewOpen() ? Printing().Prepared()->Contents().Title()
                                                           : output.NextDocumentText();
        EXPECT_NE(std::string::npos, shown.find("ADDRESS BOOK")) << shown;
    }
    Command(ID_FILE_NEW);
    Idle();
    EXPECT_FALSE(Printing().PreviewOpen() || MenuChecked(ID_REPORT_PHONE_BOOK));
}
