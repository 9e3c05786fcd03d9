#include "PrintJob.h"

PrintJobResult RunPrintJob(HDC printerDC, const std::string& documentName, PrintablePages& pages,
                           int first, int last, const DocumentStarter& startDocument) {
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
