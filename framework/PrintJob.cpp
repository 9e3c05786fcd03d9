#include "PrintJob.h"

PrintJobResult RunPrintJob(HDC printerDC, const std::string& documentName, PrintablePages& pages,
                           int first, int last) {
    DOCINFOA document = {};
    document.cbSize = sizeof(document);
    document.lpszDocName = documentName.c_str();
    if (StartDocA(printerDC, &document) <= 0) return PrintJobResult::kRefused;

    bool failed = false;
    for (int index = first; index <= last && index < pages.PageCount(); ++index) {
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
    if (failed) {
        AbortDoc(printerDC);
        return PrintJobResult::kFailed;
    }
    return EndDoc(printerDC) > 0 ? PrintJobResult::kPrinted : PrintJobResult::kFailed;
}
