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

// The text of the status bar's pane `pane`; empty while the bar has one
// simple pane only. The zoom is named in pane 1.
static std::string Pane(HWND bar, int pane = 1) {
    char text[64] = "";
    if (!SendMessageA(bar, SB_ISSIMPLE, 0, 0))
        SendMessageA(bar, SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(text));
    return text;
}

// The keys, the wheel with Ctrl and a click zoom the preview a level at a
// time, 100% being the paper's size on the screen; the sheet grows past the
// window, which scrolls, and the status bar names the zoom until the
// preview closes. A page turn keeps the zoom; Esc closes.
TEST_F(ReportPrintingTest, ThePreviewZoomsScrollsAndNamesItsZoomInTheStatusBar) {
    CreateFrameWithDay(70, 0);
    Command(ID_REPORT_DAILY_TASKS);
    Command(ID_FILE_PRINT_PREVIEW);
    const HWND preview = Printing().PreviewWindow(), bar = frame_->StatusBarHandle();
    auto send = [preview](UINT message, WPARAM wParam, LPARAM lParam = 0) {
        SendMessageA(preview, message, wParam, lParam);
    };
    auto sheet = [this] { return Printing().Preview()->SheetRect(); };
    auto width = [](const RECT& r) { return r.right - r.left; };
    HDC printer = Printing().Printer().CreateInformationContext(), screen = GetDC(nullptr);
    const int paper = MulDiv(GetDeviceCaps(printer, PHYSICALWIDTH), GetDeviceCaps(screen, LOGPIXELSX),
                             GetDeviceCaps(printer, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    DeleteDC(printer);
    const RECT whole = sheet();
    const WPARAM in = MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), out = MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA);
    const int pageWidth = -1;  // the window's width less the border
    const struct { UINT message; WPARAM wParam; const char* zoom; int width; } steps[] = {
        {WM_NULL, 0, "Whole Page", width(whole)}, {WM_KEYDOWN, VK_OEM_PLUS, "Page Width", pageWidth},
        {WM_MOUSEWHEEL, in, "100%", paper}, {WM_KEYDOWN, VK_ADD, "150%", paper * 3 / 2},
        {WM_KEYDOWN, VK_OEM_PLUS, "200%", paper * 2}, {WM_KEYDOWN, VK_ADD, "200%", paper * 2},
        {WM_MOUSEWHEEL, out, "150%", paper * 3 / 2}, {WM_KEYDOWN, VK_SUBTRACT, "100%", paper},
        {WM_KEYDOWN, VK_OEM_MINUS, "Page Width", pageWidth},
        {WM_KEYDOWN, VK_SUBTRACT, "Whole Page", width(whole)},
        {WM_KEYDOWN, VK_OEM_MINUS, "Whole Page", width(whole)},
    };
    for (const auto& step : steps) {
        send(step.message, step.wParam);
        RECT client = {};
        GetClientRect(preview, &client);
        const bool zoomed = std::string(step.zoom) != "Whole Page";
        EXPECT_EQ(step.zoom, Pane(bar));
        EXPECT_NEAR(step.width == pageWidth ? client.right - 2 * kPreviewBorder : step.width,
                    width(sheet()), 1) << step.zoom;
        EXPECT_EQ(zoomed, (GetWindowLongA(preview, GWL_STYLE) & WS_VSCROLL) != 0) << step.zoom;
    }
    // A click on the sheet's middle goes to 100% with that point under the mouse.
    const POINT click = {(whole.left + whole.right) / 2, (whole.top + whole.bottom) / 2};
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(click.x, click.y));
    const RECT actual = sheet();
    EXPECT_EQ("100%", Pane(bar));
    EXPECT_NEAR(double(click.y - whole.top) / (whole.bottom - whole.top),
                double(click.y - actual.top) / (actual.bottom - actual.top), 0.01);
    send(WM_KEYDOWN, VK_NEXT);
    EXPECT_LT(sheet().top, actual.top);
    Command(ID_PREVIEW_NEXT_PAGE);
    EXPECT_EQ("100%", Pane(bar));
    EXPECT_EQ("Page 2", Pane(bar, 0));
    EXPECT_EQ(width(actual), width(sheet()));
    EXPECT_EQ(kPreviewBorder, sheet().top);
    send(WM_KEYDOWN, VK_ESCAPE);  // closes, as the toolbar's button does
    Idle();
    EXPECT_FALSE(Printing().PreviewOpen());
    EXPECT_EQ("", Pane(bar));
}
