#include "PreviewZoom.h"

#include <algorithm>

namespace {

const ZoomLevel kLevels[] = {ZoomLevel::kWholePage, ZoomLevel::kPageWidth, ZoomLevel::kActualSize,
                             ZoomLevel::kOneAndHalf, ZoomLevel::kDouble};
const int kLevelCount = sizeof kLevels / sizeof kLevels[0];

LONG Scale(LONG value, LONG numerator, LONG denominator) {
    if (denominator <= 0) return 0;
    return static_cast<LONG>((static_cast<long long>(value) * numerator + denominator / 2) /
                             denominator);
}

// One direction of PlaceSheet: the sheet's first pixel for a sheet of
// `zoomed` pixels in a client of `client` pixels starting at `origin`.
LONG PlaceAlong(LONG origin, LONG client, LONG zoomed, LONG scroll, int border) {
    if (zoomed + 2 * border <= client) return origin + (client - zoomed) / 2;
    return origin + border - scroll;
}

// One direction of ScrollKeepingPoint, before clamping.
LONG KeepAlong(LONG beforeStart, LONG beforeLength, LONG mouse, LONG zoomed, int border) {
    if (beforeLength <= 0) return 0;
    return border + Scale(mouse - beforeStart, zoomed, beforeLength) - mouse;
}

}  // namespace

RECT PreviewArea(const RECT& client, int border) {
    RECT area = client;
    InflateRect(&area, -border, -border);
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

ZoomLevel StepZoom(ZoomLevel level, int steps) {
    const int index = static_cast<int>(level) + steps;
    return kLevels[std::clamp(index, 0, kLevelCount - 1)];
}

const char* ZoomLevelName(ZoomLevel level) {
    switch (level) {
    case ZoomLevel::kWholePage:
        return "Whole Page";
    case ZoomLevel::kPageWidth:
        return "Page Width";
    case ZoomLevel::kActualSize:
        return "100%";
    case ZoomLevel::kOneAndHalf:
        return "150%";
    case ZoomLevel::kDouble:
        return "200%";
    }
    return "";
}

SIZE ZoomedSheetSize(ZoomLevel level, const SheetMeasure& sheet, SIZE client) {
    if (sheet.pixels.cx <= 0 || sheet.pixels.cy <= 0) return SIZE{0, 0};
    int percent = 100;
    switch (level) {
    case ZoomLevel::kWholePage: {
        const RECT fitted =
            FitSheet(PreviewArea(RECT{0, 0, client.cx, client.cy}, sheet.border), sheet.pixels);
        return SIZE{fitted.right - fitted.left, fitted.bottom - fitted.top};
    }
    case ZoomLevel::kPageWidth: {
        const LONG width = std::max<LONG>(client.cx - 2 * sheet.border, 0);
        return SIZE{width, Scale(width, sheet.pixels.cy, sheet.pixels.cx)};
    }
    case ZoomLevel::kActualSize:
        break;
    case ZoomLevel::kOneAndHalf:
        percent = 150;
        break;
    case ZoomLevel::kDouble:
        percent = 200;
        break;
    }
    if (sheet.printerDpi.cx <= 0 || sheet.printerDpi.cy <= 0) return SIZE{0, 0};
    return SIZE{Scale(sheet.pixels.cx, sheet.screenDpi.cx * percent, sheet.printerDpi.cx * 100),
                Scale(sheet.pixels.cy, sheet.screenDpi.cy * percent, sheet.printerDpi.cy * 100)};
}

SIZE ScrollLimit(SIZE zoomed, SIZE client, int border) {
    return SIZE{std::max<LONG>(zoomed.cx + 2 * border - client.cx, 0),
                std::max<LONG>(zoomed.cy + 2 * border - client.cy, 0)};
}

POINT ClampScroll(POINT scroll, SIZE zoomed, SIZE client, int border) {
    const SIZE limit = ScrollLimit(zoomed, client, border);
    return POINT{std::clamp<LONG>(scroll.x, 0, limit.cx), std::clamp<LONG>(scroll.y, 0, limit.cy)};
}

RECT PlaceSheet(ZoomLevel level, const SheetMeasure& sheet, const RECT& client, POINT scroll) {
    const SIZE size = {client.right - client.left, client.bottom - client.top};
    if (level == ZoomLevel::kWholePage)
        return FitSheet(PreviewArea(client, sheet.border), sheet.pixels);
    const SIZE zoomed = ZoomedSheetSize(level, sheet, size);
    scroll = ClampScroll(scroll, zoomed, size, sheet.border);
    const LONG left = PlaceAlong(client.left, size.cx, zoomed.cx, scroll.x, sheet.border);
    const LONG top = PlaceAlong(client.top, size.cy, zoomed.cy, scroll.y, sheet.border);
    return RECT{left, top, left + zoomed.cx, top + zoomed.cy};
}

POINT ScrollKeepingPoint(const RECT& before, POINT mouse, SIZE zoomed, int border) {
    return POINT{KeepAlong(before.left, before.right - before.left, mouse.x, zoomed.cx, border),
                 KeepAlong(before.top, before.bottom - before.top, mouse.y, zoomed.cy, border)};
}
