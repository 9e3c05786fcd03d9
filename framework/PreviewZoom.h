// The geometry of the print preview: how large the sheet is at each zoom
// level, where it lies in the window for a scroll position, how far the
// window can scroll, and which scroll position keeps a point of the sheet
// under the mouse when the zoom changes. Plain arithmetic on rectangles, so
// it is tested without a window.
//
// Coordinates are the preview window's client pixels. A scroll position is
// how far the sheet with its border has been moved up and left; it is 0 in
// a direction where the sheet and its border fit the window, and the sheet
// is then centred in that direction, as the whole page always is.
#pragma once

#include <windows.h>

// Pixels of shadow around the sheet on every side at 100%; the preview
// scales it with the screen (SheetMeasure::border).
const int kPreviewBorder = 10;

// The client rectangle less the border, never of negative size.
RECT PreviewArea(const RECT& client, int border = kPreviewBorder);

// The largest rectangle with the proportions of `sheet` that fits `area`,
// centred: full height when the area is relatively wider than the sheet,
// else full width.
RECT FitSheet(const RECT& area, SIZE sheet);

// The zoom levels in the order the keys and the wheel step through them.
enum class ZoomLevel { kWholePage, kPageWidth, kActualSize, kOneAndHalf, kDouble };

// The level `steps` away from `level` (positive: larger), stopping at the
// first and last.
ZoomLevel StepZoom(ZoomLevel level, int steps);

// The level's name for the status bar: "Whole Page", "Page Width", "100%"...
const char* ZoomLevelName(ZoomLevel level);

// The sheet as the printer sees it and the resolutions that turn its
// pixels into the screen's: at 100% an inch of paper is an inch of screen.
struct SheetMeasure {
    SIZE pixels = {0, 0};      // the whole sheet in printer pixels
    SIZE printerDpi = {0, 0};  // the printer's LOGPIXELSX, LOGPIXELSY
    SIZE screenDpi = {96, 96};
    int border = kPreviewBorder;  // the shadow round the sheet, in screen pixels
};

// The sheet's size on the screen at `level` in a client area of `client`.
// The whole page fits the area less the border; the page width fills the
// client's width less the border. Empty for an unknown sheet.
SIZE ZoomedSheetSize(ZoomLevel level, const SheetMeasure& sheet, SIZE client);

// The largest scroll position in each direction: how far the sheet of size
// `zoomed` with its border overhangs `client`; 0 where it fits.
SIZE ScrollLimit(SIZE zoomed, SIZE client, int border = kPreviewBorder);

// `scroll` brought within 0 and ScrollLimit.
POINT ClampScroll(POINT scroll, SIZE zoomed, SIZE client, int border = kPreviewBorder);

// Where the sheet lies in `client` at `level` and `scroll` (which is
// clamped first). At the whole page it is FitSheet of the area, unscrolled.
RECT PlaceSheet(ZoomLevel level, const SheetMeasure& sheet, const RECT& client, POINT scroll);

// The scroll position at which the point of the sheet now under `mouse`,
// the sheet lying at `before`, comes under `mouse` again once the sheet is
// `zoomed` large and overhangs the window. Not clamped: the window clamps
// it once its scroll bars have come or gone, which changes its size; the
// point is then as near as the scroll range allows.
POINT ScrollKeepingPoint(const RECT& before, POINT mouse, SIZE zoomed,
                         int border = kPreviewBorder);
