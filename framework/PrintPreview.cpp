#include "PrintPreview.h"

#include <algorithm>

const char PrintPreview::kClassName[] = "VantrelPrintPreview";

namespace {

// Hundredths of a millimetre per inch: the unit of a metafile's frame.
const int kFrameUnitsPerInch = 2540;

}  // namespace

RECT PreviewArea(const RECT& client) {
    RECT area = client;
    InflateRect(&area, -kPreviewBorder, -kPreviewBorder);
    if (area.right < area.left) area.right = area.left;
    if (area.bottom < area.top) area.bottom = area.top;
    return area;
}

RECT FitSheet(const RECT& area, SIZE sheet) {
    const LONG width = area.right - area.left;
    const LONG height = area.bottom - area.top;
    if (sheet.cx <= 0 || sheet.cy <= 0) return RECT{area.left, area.top, area.left, area.top};
    RECT fitted = area;
    // Wider than the sheet, relatively: width / height > sheet.cx / sheet.cy.
    if (static_cast<long long>(width) * sheet.cy > static_cast<long long>(height) * sheet.cx) {
        const LONG fittedWidth = static_cast<LONG>(static_cast<long long>(height) * sheet.cx / sheet.cy);
        fitted.left = area.left + (width - fittedWidth) / 2;
        fitted.right = fitted.left + fittedWidth;
    } else {
        const LONG fittedHeight = static_cast<LONG>(static_cast<long long>(width) * sheet.cy / sheet.cx);
        fitted.top = area.top + (height - fittedHeight) / 2;
        fitted.bottom = fitted.top + fittedHeight;
    }
    return fitted;
}

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
    return Window::Create(WS_EX_CLIENTEDGE, kClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                          parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))) != nullptr;
}

bool PrintPreview::Show(PrintablePages& pages, PrinterContextMaker makePrinterContext) {
    pages_ = &pages;
    makePrinterContext_ = std::move(makePrinterContext);
    currentPage_ = 0;
    if (!Record(0)) return false;
    if (Handle()) {
        InvalidateRect(Handle(), nullptr, TRUE);
        UpdateWindow(Handle());
    }
    return true;
}

bool PrintPreview::ShowPage(int index) {
    if (!pages_ || index < 0 || index >= pages_->PageCount()) return false;
    if (!Record(index)) return false;
    currentPage_ = index;
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
    sheet_ = sheet;
    DeleteDC(printer);
    if (!image) return false;
    if (image_) DeleteEnhMetaFile(image_);
    image_ = image;
    return true;
}

RECT PrintPreview::SheetRect() const {
    RECT client = {};
    if (Handle()) GetClientRect(Handle(), &client);
    return FitSheet(PreviewArea(client), sheet_);
}

// Everything outside the sheet is shadow, the sheet white, then the page
// image on it. Composed off screen, so a page turn does not flicker.
void PrintPreview::Paint(HDC dc, const RECT& client) const {
    const RECT sheet = FitSheet(PreviewArea(client), sheet_);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (!image_ || sheet_.cx <= 0 || sheet_.cy <= 0) return;
    // The image's frame is the whole sheet; what the page drew at the
    // printable area's origin belongs that far into the sheet.
    const int width = sheet.right - sheet.left;
    const int height = sheet.bottom - sheet.top;
    RECT target = sheet;
    OffsetRect(&target, MulDiv(offset_.x, width, sheet_.cx), MulDiv(offset_.y, height, sheet_.cy));
    PlayEnhMetaFile(dc, image_, &target);
}

LRESULT PrintPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(Handle(), &paint);
        RECT client = {};
        GetClientRect(Handle(), &client);
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
        return 0;
    }
    }
    return DefaultProcessing(message, wParam, lParam);
}
