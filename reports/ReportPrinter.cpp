#include "ReportPrinter.h"

#include <cstdio>

#include "PrinterDialogs.h"

const char kReportDocumentName[] = "Pim Document";

namespace {

const char kCaption[] = "Pim";
const char kNoPrinter[] =
    "No printer is installed.\n\nInstall a printer to print reports or to preview them.";
const char kNotPrinted[] =
    "The report was not printed: the printer did not accept it, or printing failed part way.";
const char kNothingToPrint[] = "The report has no entries: nothing was printed.";

// A child id apart from those of the frame's bars.
const UINT kPreviewWindowId = 0xE900;

}  // namespace

ReportPrinter::~ReportPrinter() {
    // The preview draws through this object: it goes first.
    preview_.reset();
}

void ReportPrinter::SetFrame(HWND frame, FrameHooks hooks) {
    frame_ = frame;
    hooks_ = std::move(hooks);
}

void ReportPrinter::Tell(const char* text, UINT icon) const {
    MessageBoxA(frame_, text, kCaption, MB_OK | icon);
}

bool ReportPrinter::TellWhenNoPrinter() const {
    if (printer_.HasPrinter()) return false;
    Tell(kNoPrinter, MB_ICONEXCLAMATION);
    return true;
}

bool ReportPrinter::TakeChoice(const PrinterChoice& choice) {
    printer_.margins = choice.margins;
    return printer_.Replace(choice.printerName, choice.DeviceMode());
}

std::unique_ptr<PreparedReport> ReportPrinter::Prepare(const ReportSelection& selection) const {
    std::unique_ptr<Report> report = MakeReport(selection);
    if (!report) return nullptr;
    HDC layout = printer_.CreateInformationContext();
    if (!layout) return nullptr;
    return std::make_unique<PreparedReport>(layout, std::move(report), printer_.margins, font_);
}

int ReportPrinter::PageCount() const { return prepared_ ? prepared_->PageCount() : 0; }

bool ReportPrinter::PrintPage(HDC dc, int index) {
    if (index >= PageCount()) return false;
    char status[32];
    std::snprintf(status, sizeof status, "Page %d", index + 1);
    if (hooks_.showStatus) hooks_.showStatus(status);
    prepared_->DrawPage(dc, index);
    return true;
}

// --- Commands -------------------------------------------------------------------------

void ReportPrinter::PageSetup() {
    if (TellWhenNoPrinter()) return;
    PrinterChoice choice;
    if (!AskPageSetup(frame_, printer_, choice)) return;
    // The preview shows the old paper and margins: it closes, and the next
    // preparation takes the new ones.
    ClosePreview();
    if (!TakeChoice(choice)) TellWhenNoPrinter();
}

void ReportPrinter::Print(const ReportSelection& selection) {
    if (TellWhenNoPrinter()) return;
    PrinterChoice choice;
    if (!AskPrint(frame_, printer_, choice)) return;
    if (!TakeChoice(choice)) {
        TellWhenNoPrinter();
        return;
    }
    // From the preview the report it shows is printed, as it was prepared.
    const bool fromPreview = PreviewOpen();
    if (!fromPreview) prepared_ = Prepare(selection);
    if (!prepared_) {
        Tell(kNotPrinted, MB_ICONERROR);
        return;
    }
    PrintJobResult result = PrintJobResult::kRefused;
    if (prepared_->PageCount() > 0) {
        if (HDC printer = printer_.CreateDeviceContext()) {
            result = RunPrintJob(printer, kReportDocumentName, *this, 0, prepared_->PageCount() - 1);
            DeleteDC(printer);
        }
    }
    const bool empty = prepared_->PageCount() == 0;
    if (!fromPreview) prepared_.reset();
    if (empty)
        Tell(kNothingToPrint, MB_ICONINFORMATION);
    else if (result != PrintJobResult::kPrinted)
        Tell(kNotPrinted, MB_ICONERROR);
}

void ReportPrinter::TogglePreview(const ReportSelection& selection) {
    if (PreviewOpen())
        ClosePreview();
    else
        OpenPreview(selection);
}

void ReportPrinter::OpenPreview(const ReportSelection& selection) {
    if (TellWhenNoPrinter()) return;
    auto preview = std::make_unique<PrintPreview>();
    if (!preview->Create(frame_, kPreviewWindowId)) return;
    prepared_ = Prepare(selection);
    if (!prepared_ ||
        !preview->Show(*this, [this] { return printer_.CreateDeviceContext(); })) {
        prepared_.reset();
        Tell(kNoPrinter, MB_ICONEXCLAMATION);
        return;
    }
    preview_ = std::move(preview);
    if (hooks_.previewShown) hooks_.previewShown(true);
}

void ReportPrinter::ClosePreview() {
    if (!preview_) return;
    // The frame takes the day view back before the window goes.
    std::unique_ptr<PrintPreview> closing = std::move(preview_);
    if (hooks_.previewShown) hooks_.previewShown(false);
    closing.reset();
    prepared_.reset();
}

void ReportPrinter::NextPage() {
    if (preview_) preview_->NextPage();
}

void ReportPrinter::PreviousPage() {
    if (preview_) preview_->PreviousPage();
}

// An open preview keeps the fonts it was prepared with; the next
// preparation takes the new setting.
void ReportPrinter::ChooseReportFont() {
    HDC printer = printer_.CreateDeviceContext();
    AskReportFont(frame_, printer, font_);
    if (printer) DeleteDC(printer);
}
