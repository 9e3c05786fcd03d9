// Sending pages to a printer. A document that prints gives one function that
// draws a page into a context; the print job calls it between StartPage and
// EndPage, and the print preview (PrintPreview.h) calls the same function
// into a metafile, so what is previewed is what is printed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class PrintablePages {
public:
    virtual ~PrintablePages() = default;

    virtual int PageCount() const = 0;
    // Draws page `index` (0-based) into `dc`: a printer context, or a
    // metafile context recorded against one. The caller saves the context's
    // state before and restores it after. False stops a print job.
    virtual bool PrintPage(HDC dc, int index) = 0;
};

enum class PrintJobResult {
    kPrinted,   // every page went to the spooler and the document was ended
    kCancelled, // the user cancelled the driver's own prompt (a file name, say),
                // or stopped the job while it ran (the document was aborted)
    kRefused,   // the spooler would not start the document
    kFailed,    // a page or the end of the document failed, or drawing stopped
};

// Starts the document on a printer context as StartDocA does, leaving the
// reason for a refusal in GetLastError(). Tests put a stand-in here for the
// refusals the platform will not produce on demand.
using DocumentStarter = std::function<int(HDC, const DOCINFOA*)>;

// Follows a running print job for the user and tells it when the user wants
// it stopped (PrintProgress.h shows a window for it). Every call comes from
// RunPrintJob, on its thread.
class PrintJobProgress {
public:
    virtual ~PrintJobProgress() = default;

    // Before the document starts on `printerDC`, which will get `pageCount`
    // pages: the time to install an abort procedure.
    virtual void JobStarting(HDC printerDC, int pageCount) = 0;
    // Before page `pageNumber` (1 to pageCount) of the job is started.
    virtual void PageStarting(int pageNumber) = 0;
    // True once the user asked to stop: the job aborts its document before
    // the next page (or instead of ending it) and answers kCancelled.
    virtual bool Cancelled() const = 0;
    // The document was ended, aborted or never started.
    virtual void JobEnded() = 0;
};

// Prints pages `first` to `last` of `pages` as one document named
// `documentName` on `printerDC` (which stays the caller's). The job stops
// before the first page that is not below PageCount(); that ends it
// normally. A job that fails after it started is aborted, and so is one
// that `progress` (if any) reports cancelled.
PrintJobResult RunPrintJob(HDC printerDC, const std::string& documentName, PrintablePages& pages,
                           int first, int last, const DocumentStarter& startDocument = StartDocA,
                           PrintJobProgress* progress = nullptr);
