// The frame's printing commands: Page Setup, Print, Print Preview with its
// page buttons, and Report Font. They print or preview the report chosen
// last (the day view's ReportSelection) on the current printer, preparing a
// fresh report each time: for one print job, or for as long as the preview
// stays open. Owned by the frame for the whole run, with the printer
// settings and the report font.
//
// Where the text leaves it open:
//  - With no printer installed at all, Page Setup, Print and Print Preview
//    say so in a message box rather than do nothing.
//  - When the default or chosen printer cannot be used (offline, removed,
//    its driver broken) while others are installed, the three commands
//    name it and open their dialog (Print Preview opens Page Setup) with
//    another installed printer, so one that works can be chosen; the
//    settings then use it. Without a default printer the dialog opens
//    without a message.
//  - A print the user cancels in the driver's own prompt (a PDF printer
//    asking for a file name) is not reported as a failure.
//  - A print job that runs for more than a moment shows a "Printing"
//    window with the page it has reached and Cancel; the main window takes
//    no input meanwhile. A job cancelled there is aborted, not reported.
//  - A report without pages previews as one empty sheet; Print then sends
//    no job and says that there was nothing to print.
//  - A print job that the spooler refuses or that fails part way is
//    reported as not printed, with an error icon.
//  - Print from the preview prints the report the preview shows; when the
//    Print dialog chose another sheet (printer, paper, orientation), that
//    report is laid out again for it first, and the preview shows the new
//    layout, on the same page where the report still has it.
//  - A new or opened document ends the preview: nothing prepared from the
//    old one can be printed any more.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PreparedReport.h"
#include "PrintJob.h"
#include "PrintPreview.h"
#include "PrintProgress.h"
#include "PrinterSettings.h"
#include "ReportSelection.h"

// The print job's document name: "%s Document" filled with "Pim".
extern const char kReportDocumentName[];

class ReportPrinter : private PrintablePages {
public:
    // What the commands ask of the frame.
    struct FrameHooks {
        // The status bar's text ("Page %d" while a page is drawn).
        std::function<void(const std::string&)> showStatus;
        // The preview window has just become (true) or stopped being
        // (false) the frame's content: the frame swaps its bands, shows or
        // hides the day view and lays itself out again.
        std::function<void(bool open)> previewShown;
        // The preview's zoom by name ("Whole Page", "100%"...) when it
        // opens and whenever it changes; empty when the preview closes.
        std::function<void(const std::string&)> showZoom;
    };

    ReportPrinter() = default;
    ~ReportPrinter() override;

    // Opens the default printer; done once, at the frame's construction.
    void OpenDefaultPrinter() { printer_.OpenDefaultPrinter(); }
    // The frame owns the dialogs and the preview window.
    void SetFrame(HWND frame, FrameHooks hooks);

    // The installed printers' names and the start of a print job: the
    // spooler's, unless a test puts a stand-in here for what the platform
    // will not produce on demand (no printer at all, a cancelled prompt).
    void SetPrinterLister(std::function<std::vector<std::string>()> lister) {
        listPrinters_ = std::move(lister);
    }
    void SetDocumentStarter(DocumentStarter starter) { startDocument_ = std::move(starter); }
    // How long a print job runs before its "Printing" window with Cancel
    // appears (PrintProgress.h); tests make it 0.
    void SetPrintingWindowDelay(DWORD ms) { printingWindowDelayMs_ = ms; }

    // True when a printer was chosen in the dialog and could be opened.
    bool PageSetup();
    // Prints the report the preview shows, or else a fresh one of `selection`.
    void Print(const ReportSelection& selection);
    // Opens the preview of `selection`, or closes an open one.
    void TogglePreview(const ReportSelection& selection);
    void ClosePreview();
    // The document was replaced (New, Open): the preview closes and its
    // report goes with it.
    void ForgetDocument() { ClosePreview(); }
    void NextPage();
    void PreviousPage();
    void ChooseReportFont();

    bool PreviewOpen() const { return preview_ != nullptr; }
    bool PreviewHasNextPage() const { return preview_ && preview_->HasNextPage(); }
    bool PreviewHasPreviousPage() const { return preview_ && preview_->HasPreviousPage(); }
    const PrintPreview* Preview() const { return preview_.get(); }
    HWND PreviewWindow() const { return preview_ ? preview_->Handle() : nullptr; }

    PrinterSettings& Printer() { return printer_; }
    const PrinterSettings& Printer() const { return printer_; }
    const ReportFontSetting& ReportFont() const { return font_; }
    // The report held for the open preview or the running job.
    const PreparedReport* Prepared() const { return prepared_.get(); }

private:
    // What a report's layout depends on: the printer, its sheet as the
    // driver reports it (size, orientation, resolution, unprintable edges)
    // and the margins. Copies, collation and other settings move nothing.
    struct LaidOutSheet {
        std::string printer;
        DeviceGeometry device;
        PageMargins margins;
    };

    // The pages the print job and the preview draw: the prepared report's.
    int PageCount() const override;
    bool PrintPage(HDC dc, int index) override;

    // A report of `selection` laid out for the current printer; null when
    // nothing is chosen or there is no printer context.
    std::unique_ptr<PreparedReport> Prepare(const ReportSelection& selection) const;
    void OpenPreview(const ReportSelection& selection);
    // The sheet the current settings give; an empty device without a
    // printer context.
    LaidOutSheet CurrentSheet() const;
    // Lays the previewed report out again for the current sheet and shows
    // it in the preview, on the page shown before or the last one; false
    // (the preview as it was) when it cannot be prepared.
    bool LayOutPreviewAgain();
    // The settings a dialog that chooses the printer starts from: the
    // current ones while their printer is usable. Otherwise `other` opened
    // on another installed printer with the current margins, after naming
    // the printer that could not be used (if a default was set at all);
    // null, after saying why, when no printer is installed or none opens.
    const PrinterSettings* ReadyToChoose(PrinterSettings& other) const;
    // The printer, device mode and margins chosen in a dialog; false (and
    // no printer) after naming the chosen printer when it cannot be opened.
    bool TakeChoice(const struct PrinterChoice& choice);
    void Tell(const std::string& text, UINT icon) const;

    HWND frame_ = nullptr;
    FrameHooks hooks_;
    PrinterSettings printer_;
    ReportFontSetting font_;
    std::unique_ptr<PreparedReport> prepared_;
    std::unique_ptr<PrintPreview> preview_;
    // While the preview is open: what its report was made from (it may
    // differ from the report chosen since) and the sheet it is laid out for.
    ReportSelection previewed_;
    LaidOutSheet previewSheet_;
    std::function<std::vector<std::string>()> listPrinters_ = InstalledPrinterNames;
    DocumentStarter startDocument_ = StartDocA;
    DWORD printingWindowDelayMs_ = PrintProgress::kDefaultDelayMs;
};
