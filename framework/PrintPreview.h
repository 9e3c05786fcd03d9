// The print preview: a child window that shows one page of a printable
// document at a time, the whole sheet, as it will come out of the printer.
//
// Use:
//  1. Create() it as a child of the frame, which then gives it the client
//     area in place of its usual content.
//  2. Show() a document with a maker of printer contexts: page 0 is shown.
//     A document without pages shows one empty sheet.
//  3. NextPage() and PreviousPage() step through the pages;
//     HasNextPage() and HasPreviousPage() say whether they would move, for
//     the frame's command states.
//  4. Destroy the window to leave the preview; the document stays the
//     caller's.
//
// A page is recorded once, when it is shown: an enhanced metafile against a
// fresh context for the printer, drawn by the document's own PrintPage, its
// frame the whole physical sheet. Painting scales that into the largest
// rectangle of the sheet's proportions that fits the window less a border,
// on the button-shadow colour, and shifts it by the printer's physical
// offsets: the document draws relative to the printable area, which starts
// that far into the sheet.
#pragma once

#include <windows.h>

#include <functional>

#include "PrintJob.h"
#include "Window.h"

// Pixels of shadow around the sheet on every side.
const int kPreviewBorder = 10;

// The client rectangle less the border, never of negative size.
RECT PreviewArea(const RECT& client);

// The largest rectangle with the proportions of `sheet` that fits `area`,
// centred: full height when the area is relatively wider than the sheet,
// else full width.
RECT FitSheet(const RECT& area, SIZE sheet);

class PrintPreview : public Window {
public:
    // Makes a context for the printer the pages are for; null when there is
    // none. The preview deletes it.
    using PrinterContextMaker = std::function<HDC()>;

    static const char kClassName[];

    PrintPreview() = default;
    ~PrintPreview() override;

    // A visible child of `parent` with a sunken edge; false on failure.
    bool Create(HWND parent, UINT id);

    // Shows page 0 of `pages`, which must outlive the preview. False when no
    // printer context could be made.
    bool Show(PrintablePages& pages, PrinterContextMaker makePrinterContext);

    // Records page `index` and repaints; false (and nothing changes) when it
    // is not a page of the document.
    bool ShowPage(int index);
    int CurrentPage() const { return currentPage_; }
    bool HasNextPage() const;
    bool HasPreviousPage() const;
    void NextPage();
    void PreviousPage();

    // The image of the page shown, and where the sheet lies in the client
    // area (empty before the first page).
    HENHMETAFILE PageImage() const { return image_; }
    RECT SheetRect() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Records `index` into a new page image; a page past the end records an
    // empty sheet.
    bool Record(int index);
    void Paint(HDC dc, const RECT& client) const;

    PrintablePages* pages_ = nullptr;
    PrinterContextMaker makePrinterContext_;
    int currentPage_ = 0;
    HENHMETAFILE image_ = nullptr;
    // The sheet in printer pixels and where the printable area starts on
    // it, read when the image was recorded.
    SIZE sheet_ = {0, 0};
    POINT offset_ = {0, 0};
};
