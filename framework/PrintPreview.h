// The print preview: a child window that shows one page of a printable
// document at a time, as it will come out of the printer: the whole sheet,
// or larger, scrolled in the window.
//
// Use:
//  1. Create() it as a child of the frame, which then gives it the client
//     area in place of its usual content.
//  2. Show() a document with a maker of printer contexts: page 0 is shown.
//     A document without pages shows one empty sheet.
//  3. NextPage() and PreviousPage() step through the pages;
//     HasNextPage() and HasPreviousPage() say whether they would move, for
//     the frame's command states.
//  4. The zoom steps through the levels of PreviewZoom.h with Ctrl+wheel
//     and the + and - keys; a click toggles the whole page and 100%, the
//     point clicked staying under the mouse. The scroll bars, the wheel
//     and the arrow, page and Home/End keys scroll a sheet larger than the
//     window. A page turn keeps the zoom. Esc closes the preview.
//  5. Destroy the window to leave the preview; the document stays the
//     caller's.
//
// A page is recorded once, when it is shown: an enhanced metafile against a
// fresh context for the printer, drawn by the document's own PrintPage, its
// frame the whole physical sheet. Painting scales that into the sheet's
// place for the zoom and scroll position (at the whole page the largest
// rectangle of the sheet's proportions that fits the window less a border),
// on the button-shadow colour, and shifts it by the printer's physical
// offsets: the document draws relative to the printable area, which starts
// that far into the sheet. Only the window's own size is painted, whatever
// the zoom, so a page turn costs the same at every level.
#pragma once

#include <windows.h>

#include <functional>

#include "PreviewZoom.h"
#include "PrintJob.h"
#include "Window.h"

class PrintPreview : public Window {
public:
    // Makes a context for the printer the pages are for; null when there is
    // none. The preview deletes it.
    using PrinterContextMaker = std::function<HDC()>;
    // Told the new level whenever the zoom changes.
    using ZoomListener = std::function<void(ZoomLevel)>;

    static const char kClassName[];
    // Esc asks the parent to close the preview with this command, as the
    // preview toolbar's close button does.
    static constexpr UINT kCloseCommand = 58112;

    PrintPreview() = default;
    ~PrintPreview() override;

    // A visible child of `parent` with a sunken edge; false on failure.
    bool Create(HWND parent, UINT id);

    // Shows page 0 of `pages`, which must outlive the preview. False when no
    // printer context could be made.
    bool Show(PrintablePages& pages, PrinterContextMaker makePrinterContext);

    // Records page `index` and repaints at the same zoom, from the top of
    // the sheet when the page changes; false (and nothing changes) when it
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

    ZoomLevel Zoom() const { return zoom_; }
    void SetZoomListener(ZoomListener listener) { zoomListener_ = std::move(listener); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Records `index` into a new page image; a page past the end records an
    // empty sheet.
    bool Record(int index);
    void Paint(HDC dc, const RECT& client) const;
    void OnPaint();

    RECT ClientRect() const;
    SIZE ClientSize() const;
    // Changes the zoom keeping the sheet's point under `anchor` (client
    // coordinates) where it is, as far as the scroll range allows.
    void ZoomAround(ZoomLevel level, POINT anchor);
    void ScrollTo(POINT scroll);
    // Scroll bars where the sheet overhangs the window, the scroll position
    // kept within their range.
    void UpdateScrollBars();
    // A scroll bar's request (SB_LINEUP...) on `bar` (SB_HORZ, SB_VERT).
    void OnScroll(int bar, int request);
    bool OnKey(WPARAM key);
    void OnWheel(WPARAM wParam, LPARAM lParam);

    PrintablePages* pages_ = nullptr;
    PrinterContextMaker makePrinterContext_;
    int currentPage_ = 0;
    HENHMETAFILE image_ = nullptr;
    // The sheet in printer pixels with the printer's and the screen's
    // resolutions, and where the printable area starts on the sheet, read
    // when the image was recorded.
    SheetMeasure sheet_;
    POINT offset_ = {0, 0};

    ZoomLevel zoom_ = ZoomLevel::kWholePage;
    POINT scroll_ = {0, 0};
    ZoomListener zoomListener_;
    // Wheel turns with Ctrl not yet a whole notch.
    int wheelZoom_ = 0;
    // Pixels a line of scrolling moves, for the screen's scale.
    LONG lineStep_ = 20;
    bool adjustingBars_ = false;
};
