#include "PrintJob.h"

#include <algorithm>

namespace {

// Tells `progress` that the job is over on every way out of RunPrintJob.
class JobEndGuard {
public:
    explicit JobEndGuard(PrintJobProgress* progress) : progress_(progress) {}
    ~JobEndGuard() {
        if (progress_) progress_->JobEnded();
    }
    JobEndGuard(const JobEndGuard&) = delete;
    JobEndGuard& operator=(const JobEndGuard&) = delete;

private:
    PrintJobProgress* progress_;
};

}  // namespace

PrintJobResult RunPrintJob(HDC printerDC, const std::string& documentName, PrintablePages& pages,
                           int first, int last, const DocumentStarter& startDocument,
                           PrintJobProgress* progress) {
    const int end = std::min(last, pages.PageCount() - 1);
    if (progress) progress->JobStarting(printerDC, std::max(0, end - first + 1));
    JobEndGuard ended(progress);
    const auto cancelled = [progress] { return progress && progress->Cancelled(); };

    DOCINFOA document = {};
    document.cbSize = sizeof(document);
    document.lpszDocName = documentName.c_str();
    SetLastError(ERROR_SUCCESS);
    if (startDocument(printerDC, &document) <= 0) {
        // A driver that asks for something first (a PDF printer its file
        // name) fails the start this way when the user cancels the prompt.
        return GetLastError() == ERROR_CANCELLED ? PrintJobResult::kCancelled
                                                 : PrintJobResult::kRefused;
    }

    bool failed = false;
    for (int index = first; index <= last && index < pages.PageCount(); ++index) {
        if (progress) progress->PageStarting(index - first + 1);
        if (cancelled()) break;
        if (StartPage(printerDC) <= 0) {
            failed = true;
            break;
        }
        const int saved = SaveDC(printerDC);
        const bool drawn = pages.PrintPage(printerDC, index);
        RestoreDC(printerDC, saved);
        if (EndPage(printerDC) <= 0 || !drawn) {
            failed = true;
            break;
        }
    }
    // A stop asked for during the last page still stops: the user said the
    // report should not come out.
    if (cancelled()) {
        AbortDoc(printerDC);
        return PrintJobResult::kCancelled;
    }
    if (failed) {
        AbortDoc(printerDC);
        return PrintJobResult::kFailed;
    }
    return EndDoc(printerDC) > 0 ? PrintJobResult::kPrinted : PrintJobResult::kFailed;
}
