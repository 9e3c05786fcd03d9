#include "PrintPreview.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>

#include "Dpi.h"

const char PrintPreview::kClassName[] = "VantrelPrintPreview";

namespace {

// Hundredths of a millimetre per inch: the unit of a metafile's frame.
const int kFrameUnitsPerInch = 2540;
// Pixels an arrow key or a scroll bar's arrow moves at 100% (scaled with
// the screen); a wheel notch moves three of them, as the system's default
// of three lines.
const LONG kLineStep = 20;

POINT Middle(const RECT& client) {
    return POINT{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
}

}  // namespace

PrintPreview::~PrintPreview() {
    if (image_) DeleteEnhMetaFile(image_);
}

bool PrintPreview::Create(HWND parent, UINT id) {
    WindowClass previewClass;
    previewClass.name = kClassName;
    // The sheet is scaled and centred to the whole window: a change of size
    // repaints all of it, not only the part newly uncovered.
    previewClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    // No background brush: Paint covers every pixel.
    if (!RegisterWindowClass(previewClass)) return false;
    if (HDC screen = GetDC(nullptr)) {
        sheet_.screenDpi = {GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
        ReleaseDC(nullptr, screen);
    }
    // The shadow round the sheet and the scrolling steps follow the
    // window's scale, as the toolbar above it does.
    const int dpi = WindowDpi(parent);
    sheet_.border = ScaleForDpi(kPreviewBorder, dpi);
    lineStep_ = ScaleForDpi(kLineStep, dpi);
    return Window::Create(WS_EX_CLIENTEDGE, kClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                          parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))) != nullptr;
}

bool PrintPreview::Show(PrintablePages& pages, PrinterContextMaker makePrinterContext) {
    pages_ = &pages;
    makePrinterContext_ = std::move(makePrinterContext);
    currentPage_ = 0;
    if (!Record(0)) return false;
    scroll_ = {0, 0};
    UpdateScrollBars();
    if (Handle()) {
        InvalidateRect(Handle(), nullptr, TRUE);
        UpdateWindow(Handle());
    }
    return true;
}

bool PrintPreview::ShowPage(int index) {
    if (!pages_ || index < 0 || index >= pages_->PageCount()) return false;
    if (!Record(index)) return false;
    // A new page is read from its top; the same page laid out again stays
    // where it was.
    if (index != currentPage_) scroll_.y = 0;
    currentPage_ = index;
    UpdateScrollBars();
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
    return true;
}

bool PrintPreview::HasNextPage() const {
    return pages_ && currentPage_ < pages_->PageCount() - 1;
}

bool PrintPreview::HasPreviousPage() const { return pages_ && currentPage_ > 0; }

void PrintPreview::NextPage() {
    if (HasNextPage()) ShowPage(currentPage_ + 1);
}

void PrintPreview::PreviousPage() {
    if (HasPreviousPage()) ShowPage(currentPage_ - 1);
}

bool PrintPreview::Record(int index) {
    HDC printer = makePrinterContext_ ? makePrinterContext_() : nullptr;
    if (!printer) return false;
    const int pixelsX = GetDeviceCaps(printer, LOGPIXELSX);
    const int pixelsY = GetDeviceCaps(printer, LOGPIXELSY);
    const SIZE sheet = {GetDeviceCaps(printer, PHYSICALWIDTH), GetDeviceCaps(printer, PHYSICALHEIGHT)};
    RECT frame = {0, 0, 0, 0};
    if (pixelsX > 0 && pixelsY > 0) {
        frame.right = MulDiv(sheet.cx, kFrameUnitsPerInch, pixelsX);
        frame.bottom = MulDiv(sheet.cy, kFrameUnitsPerInch, pixelsY);
    }
    HDC meta = CreateEnhMetaFileA(printer, nullptr, &frame, nullptr);
    if (!meta) {
        DeleteDC(printer);
        return false;
    }
    if (index < pages_->PageCount()) {
        const int saved = SaveDC(meta);
        pages_->PrintPage(meta, index);
        RestoreDC(meta, saved);
    }
    HENHMETAFILE image = CloseEnhMetaFile(meta);
    offset_ = {GetDeviceCaps(printer, PHYSICALOFFSETX), GetDeviceCaps(printer, PHYSICALOFFSETY)};
    sheet_.pixels = sheet;
    sheet_.printerDpi = {pixelsX, pixelsY};
    DeleteDC(printer);
    if (!image) return false;
    if (image_) DeleteEnhMetaFile(image_);
    image_ = image;
    return true;
}

RECT PrintPreview::SheetRect() const { return PlaceSheet(zoom_, sheet_, ClientRect(), scroll_); }

RECT PrintPreview::ClientRect() const {
    RECT client = {};
    if (Handle()) GetClientRect(Handle(), &client);
    return client;
}

SIZE PrintPreview::ClientSize() const {
    const RECT client = ClientRect();
    return SIZE{client.right - client.left, client.bottom - client.top};
}

void PrintPreview::ZoomAround(ZoomLevel level, POINT anchor) {
    if (level == zoom_) return;
    const RECT before = SheetRect();
    zoom_ = level;
    scroll_ = ScrollKeepingPoint(before, anchor, ZoomedSheetSize(level, sheet_, ClientSize()),
                                 sheet_.border);
    UpdateScrollBars();
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
    if (zoomListener_) zoomListener_(zoom_);
}

void PrintPreview::ScrollTo(POINT scroll) {
    scroll = ClampScroll(scroll, ZoomedSheetSize(zoom_, sheet_, ClientSize()), ClientSize(),
                         sheet_.border);
    if (scroll.x == scroll_.x && scroll.y == scroll_.y) return;
    scroll_ = scroll;
    UpdateScrollBars();
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void PrintPreview::UpdateScrollBars() {
    if (!Handle() || adjustingBars_) return;
    adjustingBars_ = true;
    // A bar that comes or goes narrows or widens the client, which may call
    // for the other bar, or (at the page width) change the sheet's size: a
    // few rounds settle it.
    for (int round = 0; round < 3; ++round) {
        const SIZE client = ClientSize();
        if (client.cx <= 0 || client.cy <= 0) break;
        const SIZE zoomed = ZoomedSheetSize(zoom_, sheet_, client);
        scroll_ = ClampScroll(scroll_, zoomed, client, sheet_.border);
        // A range no larger than the page hides the bar.
        const LONG extents[] = {zoomed.cx + 2 * sheet_.border, zoomed.cy + 2 * sheet_.border};
        const LONG pages[] = {client.cx, client.cy};
        const LONG positions[] = {scroll_.x, scroll_.y};
        const int bars[] = {SB_HORZ, SB_VERT};
        for (int i = 0; i < 2; ++i) {
            SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
            info.nMax = std::max<LONG>(extents[i] - 1, 0);
            info.nPage = static_cast<UINT>(pages[i]);
            info.nPos = positions[i];
            SetScrollInfo(Handle(), bars[i], &info, TRUE);
        }
        const SIZE after = ClientSize();
        if (after.cx == client.cx && after.cy == client.cy) break;
    }
    adjustingBars_ = false;
}

void PrintPreview::OnScroll(int bar, int request) {
    const bool across = bar == SB_HORZ;
    const SIZE client = ClientSize();
    const LONG pageStep = std::max<LONG>((across ? client.cx : client.cy) - lineStep_, lineStep_);
    LONG position = across ? scroll_.x : scroll_.y;
    switch (request) {
    case SB_LINEUP:
        position -= lineStep_;
        break;
    case SB_LINEDOWN:
        position += lineStep_;
        break;
    case SB_PAGEUP:
        position -= pageStep;
        break;
    case SB_PAGEDOWN:
        position += pageStep;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = LONG_MAX / 2;  // clamped to the end
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit position: the message carries only 16 bits.
        SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (!GetScrollInfo(Handle(), bar, &info)) return;
        position = info.nTrackPos;
        break;
    }
    default:
        return;
    }
    ScrollTo(across ? POINT{position, scroll_.y} : POINT{scroll_.x, position});
}

bool PrintPreview::OnKey(WPARAM key) {
    switch (key) {
    case VK_ESCAPE:
        PostMessageA(GetParent(Handle()), WM_COMMAND, kCloseCommand, 0);
        return true;
    case VK_ADD:
    case VK_OEM_PLUS:
    case VK_SUBTRACT:
    case VK_OEM_MINUS: {
        // About the middle of the window; from the whole page about the
        // middle of the sheet's top, where its text starts, rather than
        // the blank middle of a short report.
        const int step = key == VK_ADD || key == VK_OEM_PLUS ? 1 : -1;
        POINT anchor = Middle(ClientRect());
        if (zoom_ == ZoomLevel::kWholePage) anchor.y = SheetRect().top;
        ZoomAround(StepZoom(zoom_, step), anchor);
        return true;
    }
    case VK_UP:
        OnScroll(SB_VERT, SB_LINEUP);
        return true;
    case VK_DOWN:
        OnScroll(SB_VERT, SB_LINEDOWN);
        return true;
    case VK_LEFT:
        OnScroll(SB_HORZ, SB_LINEUP);
        return true;
    case VK_RIGHT:
        OnScroll(SB_HORZ, SB_LINEDOWN);
        return true;
    case VK_PRIOR:
        OnScroll(SB_VERT, SB_PAGEUP);
        return true;
    case VK_NEXT:
        OnScroll(SB_VERT, SB_PAGEDOWN);
        return true;
    case VK_HOME:
        OnScroll(SB_VERT, SB_TOP);
        return true;
    case VK_END:
        OnScroll(SB_VERT, SB_BOTTOM);
        return true;
    }
    return false;
}

// With Ctrl the wheel zooms, one level a notch, about the point under the
// mouse; else it scrolls up and down.
void PrintPreview::OnWheel(WPARAM wParam, LPARAM lParam) {
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    if (!(GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)) {
        ScrollTo(POINT{scroll_.x, scroll_.y - MulDiv(delta, 3 * lineStep_, WHEEL_DELTA)});
        return;
    }
    // A fine wheel sends parts of a notch; a turn the other way starts over.
    if ((wheelZoom_ > 0 && delta < 0) || (wheelZoom_ < 0 && delta > 0)) wheelZoom_ = 0;
    wheelZoom_ += delta;
    const int notches = wheelZoom_ / WHEEL_DELTA;
    if (notches == 0) return;
    wheelZoom_ -= notches * WHEEL_DELTA;
    const RECT client = ClientRect();
    POINT mouse = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(Handle(), &mouse);
    ZoomAround(StepZoom(zoom_, notches), PtInRect(&client, mouse) ? mouse : Middle(client));
}

// Everything outside the sheet is shadow, the sheet white, then the page
// image on it. Composed off screen, so a page turn does not flicker.
void PrintPreview::Paint(HDC dc, const RECT& client) const {
    const RECT sheet = PlaceSheet(zoom_, sheet_, client, scroll_);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (!image_ || sheet_.pixels.cx <= 0 || sheet_.pixels.cy <= 0) return;
    // The image's frame is the whole sheet; what the page drew at the
    // printable area's origin belongs that far into the sheet.
    const int width = sheet.right - sheet.left;
    const int height = sheet.bottom - sheet.top;
    RECT target = sheet;
    OffsetRect(&target, MulDiv(offset_.x, width, sheet_.pixels.cx),
               MulDiv(offset_.y, height, sheet_.pixels.cy));
    PlayEnhMetaFile(dc, image_, &target);
}

// The buffer is the client's size, never the zoomed sheet's: the page image
// is played into it at its offset and the rest falls outside.
void PrintPreview::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    const RECT client = ClientRect();
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1),
                                            std::max<LONG>(client.bottom, 1));
    if (buffer && bitmap) {
        HGDIOBJ previous = SelectObject(buffer, bitmap);
        Paint(buffer, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, previous);
    } else {
        Paint(dc, client);
    }
    if (bitmap) DeleteObject(bitmap);
    if (buffer) DeleteDC(buffer);
    EndPaint(Handle(), &paint);
}

LRESULT PrintPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) UpdateScrollBars();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        OnScroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        if (OnKey(wParam)) return 0;
        break;
    case WM_MOUSEWHEEL:
        OnWheel(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus(Handle());
        const POINT click = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ZoomAround(zoom_ == ZoomLevel::kWholePage ? ZoomLevel::kActualSize : ZoomLevel::kWholePage,
                   click);
        return 0;
    }
    }
    return DefaultProcessing(message, wParam, lParam);
}
