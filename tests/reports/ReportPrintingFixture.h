// The frame that the printing tests drive, on the private print server's
// PDF queue, and what they share to read its output back. Every printing
// test belongs to the one suite ReportPrintingTest, whatever its file:
// ctest runs a suite as one process, so no other test's file turns up in
// the PDF folder meanwhile.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DialogDriver.h"
#include "DocumentFileDialogs.h"
#include "HelpLibrary.h"
#include "MainFrame.h"
#include "MessageBoxCatcher.h"
#include "MessageLoop.h"
#include "PdfOutput.h"
#include "PrivateUserRegistry.h"
#include "resource.h"

// The font chooser's face and size boxes, Page Setup's left margin.
const int kFontFaceBox = 0x470;
const int kFontSizeBox = 0x472;
const int kLeftMarginEdit = 0x483;

const char kLongText[] = " with every regional manager of the northern branch, about the budget XYZZY";

class NoFiles : public DocumentFileChooser {
public:
    bool ChooseFileToOpen(HWND, std::string&) override { return false; }
    bool ChooseFileToSave(HWND, const std::string&, std::string&) override { return false; }
};

// The pages of a text from pdftotext, each ended by a form feed.
inline std::vector<std::string> Pages(const std::string& text) {
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1)
        pages.push_back(text.substr(start, end - start));
    return pages;
}

// How often `word` stands in `text` not followed by a digit ("task 1" is
// not found in "task 12").
inline int Occurrences(const std::string& text, const std::string& word) {
    int count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const size_t after = at + word.size();
        if (after >= text.size() || !isdigit(static_cast<unsigned char>(text[after]))) ++count;
    }
    return count;
}

// A text of the program's code page as pdftotext gives it back: in UTF-8,
// a '-' read as a soft hyphen.
inline std::string AsRead(const char* ansi) {
    wchar_t wide[256] = L"";
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 256);
    for (wchar_t& c : wide)
        if (c == L'-') c = 0xAD;
    char utf8[512] = "";
    WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

// Picks the face and whole-point size in the font chooser, then OK.
inline void ChooseFont(HWND dialog, const char* face, const char* size) {
    SendDlgItemMessageA(dialog, kFontFaceBox, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(face));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFontFaceBox, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kFontFaceBox)));
    SendDlgItemMessageA(dialog, kFontSizeBox, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetDlgItemTextA(dialog, kFontSizeBox, size);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFontSizeBox, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kFontSizeBox)));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

class ReportPrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (PdfOutput::Folder().empty())
            GTEST_SKIP() << "no print server: run these tests through scripts/test.sh, or "
                            "scripts/print-server.sh start BUILD_DIR first";
        INITCOMMONCONTROLSEX controls = {sizeof(controls), 0x0504};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override {
        frame_.reset();
        // Destroying the frame posts the quit message; later tests run
        // modal loops on this thread, which it would end.
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // A frame whose day shows `tasks` tasks "task 1"... of every priority in
    // turn and `appointments` half-hour appointments "appointment 1"...
    // from 06:00; the first of each has a long text.
    void CreateFrameWithDay(int tasks, int appointments, bool defaultPrinterWorks = true) {
        frame_ = std::make_unique<MainFrame>(loop_, chooser_, help_, "C:\\Vantrel");
        ASSERT_TRUE(frame_->Create());
        ShowWindow(frame_->Handle(), SW_SHOWNOACTIVATE);
        ASSERT_EQ(defaultPrinterWorks, Printing().Printer().HasPrinter())
            << "the print server runs, but Wine sees no printer (is libcups2:i386 installed?)";
        PimDocument& document = frame_->Document();
        const DateTime day = document.SelectedDate;
        for (int i = 1; i <= tasks; ++i) {
            Task task;
            task.ID = document.tasks.IssueID();
            task.Description = "task " + std::to_string(i) + (i == 1 ? kLongText : "");
            task.Priority = (i - 1) % 4;
            task.DueDate = day;
            document.tasks.Insert(task.ID, task);
        }
        for (int i = 1; i <= appointments; ++i) {
            Appointment appointment;
            appointment.ID = document.appointments.IssueID();
            appointment.Description = "appointment " + std::to_string(i) + (i == 1 ? kLongText : "");
            appointment.DueDate = day;
            appointment.StartTime = day + DateSpan::FromParts(0, 6, 30 * (i - 1), 0);
            appointment.EndTime = appointment.StartTime + DateSpan::FromParts(0, 0, 30, 0);
            document.appointments.Insert(appointment.ID, appointment);
        }
        document.SetModified(true, true);
        Idle();
    }

    // Adds `person`, listed in both pages, under the next ID.
    void AddPerson(Person person) {
        PimDocument& document = frame_->Document();
        person.ID = document.persons.IssueID();
        person.RName = person.MakeDisplayName();
        person.WhitePages = person.YellowPages = 1;
        document.persons.Insert(person.ID, person);
    }
    // Report > Phone Book or Envelopes: everybody is picked, then `button`
    // closes "Persons To Include"; OK answers a print dialog that follows.
    int ChoosePersons(UINT command, int button) {
        DialogDriver driver([button](HWND dialog) {
            if (GetDlgItem(dialog, IDC_PERSONS_LIST)) {
                SendDlgItemMessageA(dialog, IDC_PERSONS_SELECT_ALL, BM_CLICK, 0, 0);
                SendDlgItemMessageA(dialog, button, BM_CLICK, 0, 0);
            } else if (!GetDlgItem(dialog, 0xFFFF)) {
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            }
        });
        Command(command);
        Idle();
        return driver.DialogsDriven();
    }
    void ShowPages(UINT radio) {
        SendDlgItemMessageA(frame_->DayView(), radio, BM_CLICK, 0, 0);
        Idle();
    }

    ReportPrinter& Printing() { return frame_->Printing(); }
    void Command(UINT id) { SendMessageA(frame_->Handle(), WM_COMMAND, id, 0); }
    void Idle() {
        PostMessageA(frame_->Handle(), WM_NULL, 0, 0);
        loop_.PumpPending();
    }
    bool MenuChecked(UINT id) const {
        return (GetMenuState(frame_->Menu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    bool PreviewButtonEnabled(UINT id) const {
        return SendMessageA(frame_->PreviewToolbar(), TB_ISBUTTONENABLED, id, 0) != 0;
    }
    // The printer's device mode as `change` leaves it, as if chosen in a dialog.
    void ChangeDeviceMode(const std::function<void(DEVMODEA&)>& change) {
        PrinterSettings& printer = Printing().Printer();
        const BYTE* current = reinterpret_cast<const BYTE*>(printer.DeviceMode());
        std::vector<BYTE> mode(current, current + printer.DeviceModeSize());
        change(*reinterpret_cast<DEVMODEA*>(mode.data()));
        ASSERT_TRUE(printer.Replace(printer.Name(), reinterpret_cast<DEVMODEA*>(mode.data())));
    }

    // Print (or `command`), with OK in its dialogs. Returns the program's own
    // message boxes (caption "Pim"), each answered with OK; `shown`
    // collects the texts of every box, for the failure messages.
    std::vector<CaughtMessageBox> Print(std::string& shown, UINT command = ID_FILE_PRINT) {
        MessageBoxCatcher boxes(IDOK);
        DialogDriver driver([](HWND dialog) {
            // A message box has its text in a static 0xFFFF; the print
            // dialog has none.
            if (!GetDlgItem(dialog, 0xFFFF)) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        Command(command);
        EXPECT_GE(driver.DialogsDriven(), 1);
        std::vector<CaughtMessageBox> ours;
        for (const CaughtMessageBox& box : boxes.Boxes()) {
            shown += "[" + box.caption + ": " + box.text + "] ";
            if (box.caption == "Pim") ours.push_back(box);
        }
        return ours;
    }
    std::string PrintAndRead(PdfOutput& output) {
        std::string shown;
        EXPECT_TRUE(Print(shown).empty()) << shown;
        return output.NextDocumentText();
    }

    MessageLoop loop_;
    NoFiles chooser_;
    HelpLibrary help_{[]() -> HtmlHelpEntry { return nullptr; }};
    std::unique_ptr<MainFrame> frame_;
};
