#include "ReportPrinter.h"

#include <algorithm>
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
const char kNoUsablePrinter[] = "None of the installed printers could be used.";
const char kChooseInDialog[] = "\n\nChoose a printer in the dialog that follows.";
const char kNoOtherPrinter[] = "\n\nNo other installed printer could be used either.";
const char kChooseAnother[] = "\n\nChoose another printer in Page Setup or Print.";

// Names the printer that could not be used, followed by `advice`.
std::string UnusablePrinterText(const std::string& name, const char* advice) {
    return "The printer \"" + name +
           "\" could not be used: it may be offline or removed, or its driver may be broken." +
           advice;
}

// A child id apart from those of the frame's bars.
const UINT kPreviewWindowId = 0xE900;

bool SameDevice(const DeviceGeometry& a, const DeviceGeometry& b) {
    return a.logPixelsX == b.logPixelsX && a.logPixelsY == b.logPixelsY &&
           a.physicalWidth == b.physicalWidth && a.physicalHeight == b.physicalHeight &&
           a.physicalOffsetX == b.physicalOffsetX && a.physicalOffsetY == b.physicalOffsetY;
}

bool SameMargins(const PageMargins& a, const PageMargins& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// What the "Printing" window says is printed: the report by the title on its
// pages; the envelopes carry none.
std::string PrintingWhat(ReportKind kind, const PreparedReport& report) {
    if (kind == ReportKind::kEnvelopes) return "Printing the envelopes";
    return "Printing the report " + report.Contents().Title();
}

}  // namespace

ReportPrinter::~ReportPrinter() {
    // The preview draws through this object: it goes first.
    preview_.reset();
}

void ReportPrinter::SetFrame(HWND frame, FrameHooks hooks) {
    frame_ = frame;
    hooks_ = std::move(hooks);
}

void ReportPrinter::Tell(const std::string& text, UINT icon) const {
    MessageBoxA(frame_, text.c_str(), kCaption, MB_OK | icon);
}

const PrinterSettings* ReportPrinter::ReadyToChoose(PrinterSettings& other) const {
    if (printer_.HasPrinter()) return &printer_;
    const std::vector<std::string> installed = listPrinters_();
    if (installed.empty()) {
        Tell(kNoPrinter, MB_ICONEXCLAMATION);
        return nullptr;
    }
    // The dialogs need a printer's own device mode to start from. Without a
    // default printer nothing failed: the dialog alone asks for one.
    const std::string& failed = printer_.UnusableName();
    other.margins = printer_.margins;
    for (const std::string& name : installed) {
        if (name != failed && other.Replace(name, nullptr)) {
            if (!failed.empty()) Tell(UnusablePrinterText(failed, kChooseInDialog), MB_ICONEXCLAMATION);
            return &other;
        }
    }
    Tell(failed.empty() ? kNoUsablePrinter : UnusablePrinterText(failed, kNoOtherPrinter),
         MB_ICONEXCLAMATION);
    return nullptr;
}

bool ReportPrinter::TakeChoice(const PrinterChoice& choice) {
    printer_.margins = choice.margins;
    if (printer_.Replace(choice.printerName, choice.DeviceMode())) return true;
    Tell(UnusablePrinterText(choice.printerName, kChooseAnother), MB_ICONEXCLAMATION);
    return false;
}

std::unique_ptr<PreparedReport> ReportPrinter::Prepare(const ReportSelection& selection) const {
    std::unique_ptr<Report> report = MakeReport(selection);
    if (!report) return nullptr;
    HDC layout = printer_.CreateInformationContext();
    if (!layout) return nullptr;
    return std::make_unique<PreparedReport>(layout, std::move(report), printer_.margins, font_);
}

ReportPrinter::LaidOutSheet ReportPrinter::CurrentSheet() const {
    LaidOutSheet sheet;
    sheet.printer = printer_.Name();
    sheet.margins = printer_.margins;
    if (HDC information = printer_.CreateInformationContext()) {
        sheet.device = GeometryOf(information);
        DeleteDC(information);
    }
    return sheet;
}

bool ReportPrinter::LayOutPreviewAgain() {
    std::unique_ptr<PreparedReport> fresh = Prepare(previewed_);
    if (!fresh) return false;
    prepared_ = std::move(fresh);
    previewSheet_ = CurrentSheet();
    const int last = prepared_->PageCount() - 1;
    if (last < 0) return preview_->Show(*this, [this] { return printer_.CreateDeviceContext(); });
    return preview_->ShowPage(std::min(preview_->CurrentPage(), last));
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

bool ReportPrinter::PageSetup() {
    PrinterSettings other;
    const PrinterSettings* start = ReadyToChoose(other);
    if (!start) return false;
    PrinterChoice choice;
    if (!AskPageSetup(frame_, *start, choice)) return false;
    // The preview shows the old paper and margins: it closes, and the next
    // preparation takes the new ones.
    ClosePreview();
    return TakeChoice(choice);
}

void ReportPrinter::Print(const ReportSelection& selection) {
    PrinterSettings other;
    const PrinterSettings* start = ReadyToChoose(other);
    if (!start) return;
    PrinterChoice choice;
    if (!AskPrint(frame_, *start, choice)) return;
    if (!TakeChoice(choice)) return;
    // From the preview the report it shows is printed. Laid out for another
    // sheet it would come out cut off or half empty, so a sheet changed in
    // the dialog lays it out again, and the preview shows that too.
    const bool fromPreview = PreviewOpen();
    if (!fromPreview) {
        prepared_ = Prepare(selection);
    } else {
        const LaidOutSheet sheet = CurrentSheet();
        const bool same = sheet.printer == previewSheet_.printer &&
                          SameDevice(sheet.device, previewSheet_.device) &&
                          SameMargins(sheet.margins, previewSheet_.margins);
        if (!same && !LayOutPreviewAgain()) {
            Tell(kNotPrinted, MB_ICONERROR);
            return;
        }
    }
    if (!prepared_) {
        Tell(kNotPrinted, MB_ICONERROR);
        return;
    }
    PrintJobResult result = PrintJobResult::kRefused;
    if (prepared_->PageCount() > 0) {
        if (HDC printer = printer_.CreateDeviceContext()) {
            const ReportKind kind = fromPreview ? previewed_.kind : selection.kind;
            PrintProgress progress(frame_, PrintingWhat(kind, *prepared_), printingWindowDelayMs_);
            result = RunPrintJob(printer, kReportDocumentName, *this, 0, prepared_->PageCount() - 1,
                                 startDocument_, &progress);
            DeleteDC(printer);
        }
    }
    const bool empty = prepared_->PageCount() == 0;
    if (!fromPreview) prepared_.reset();
    if (empty)
        Tell(kNothingToPrint, MB_ICONINFORMATION);
    else if (result != PrintJobResult::kPrinted && result != PrintJobResult::kCancelled)
        Tell(kNotPrinted, MB_ICONERROR);
}

void ReportPrinter::TogglePreview(const ReportSelection& selection) {
    if (PreviewOpen())
        ClosePreview();
    else
        OpenPreview(selection);
}

void ReportPrinter::OpenPreview(const ReportSelection& selection) {
    // Without a usable printer there is nothing to lay the pages out for:
    // Page Setup chooses one without printing.
    if (!printer_.HasPrinter() && !PageSetup()) return;
    auto preview = std::make_unique<PrintPreview>();
    if (!preview->Create(frame_, kPreviewWindowId)) return;
    prepared_ = Prepare(selection);
    if (!prepared_ ||
        !preview->Show(*this, [this] { return printer_.CreateDeviceContext(); })) {
        prepared_.reset();
        Tell(UnusablePrinterText(printer_.Name(), kChooseAnother), MB_ICONEXCLAMATION);
        return;
    }
    preview_ = std::move(preview);
    previewed_ = selection;
    previewSheet_ = CurrentSheet();
    if (hooks_.previewShown) hooks_.previewShown(true);
    if (hooks_.showZoom) {
        hooks_.showZoom(ZoomLevelName(preview_->Zoom()));
        preview_->SetZoomListener([this](ZoomLevel level) { hooks_.showZoom(ZoomLevelName(level)); });
    }
}

void ReportPrinter::ClosePreview() {
    if (!preview_) return;
    // The frame takes the day view back before the window goes.
    std::unique_ptr<PrintPreview> closing = std::move(preview_);
    if (hooks_.previewShown) hooks_.previewShown(false);
    if (hooks_.showZoom) hooks_.showZoom("");
    closing.reset();
    prepared_.reset();
    previewed_ = ReportSelection();
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
