#include "DayViewImages.h"

#include "Dpi.h"
#include "GdiHelpers.h"

namespace DayViewImages {

namespace {

// A 32-bit top-down picture with a memory DC selected into it, so drawing on
// it gives the same pixels whatever the screen's depth.
class Canvas {
public:
    Canvas(int width, int height) {
        bitmap_ = CreateTopDown32BitBitmap(nullptr, width, height, nullptr);
        dc_ = CreateCompatibleDC(nullptr);
        if (bitmap_ && dc_) previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        if (dc_) {
            if (previous_) SelectObject(dc_, previous_);
            DeleteDC(dc_);
        }
        if (bitmap_) DeleteObject(bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Ready() const { return bitmap_ && dc_ && previous_; }
    HDC Dc() const { return dc_; }
    // Hands the picture to the caller; the canvas no longer draws on it.
    HBITMAP Release() {
        SelectObject(dc_, previous_);
        previous_ = nullptr;
        HBITMAP picture = bitmap_;
        bitmap_ = nullptr;
        return picture;
    }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

void FillArea(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    const RECT area = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void Disc(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF edge,
          int penWidth = 1) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, penWidth, edge);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, left, top, right, bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int penWidth) {
    HPEN pen = CreatePen(PS_SOLID, penWidth, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

COLORREF PriorityColour(int priority) {
    switch (priority) {
    case 0: return RGB(255, 0, 0);
    case 1: return RGB(255, 255, 0);
    case 2: return RGB(0, 0, 255);
    default: return RGB(0, 0, 0);
    }
}

SIZE AlarmSize(int dpi) {
    return SIZE{ScaleForDpi(kAlarmWidth, dpi), ScaleForDpi(kAlarmHeight, dpi)};
}

HBITMAP CreateAlarmBitmap(int dpi) {
    const SIZE size = AlarmSize(dpi);
    Canvas canvas(size.cx, size.cy);
    if (!canvas.Ready()) return nullptr;
    HDC dc = canvas.Dc();
    // Coordinates of the 16x15 design, scaled; lines as thick as a pixel
    // of it.
    auto at = [dpi](int value) { return ScaleForDpi(value, dpi); };
    const int pen = at(1);
    FillArea(dc, 0, 0, size.cx, size.cy, kAlarmGround);
    // The face keeps a yellow border of at least one pixel all round.
    Disc(dc, at(2), at(1), at(14), at(14), kAlarmFace, kAlarmHands, pen);
    // The hands show three o'clock, from the centre (8, 7).
    Line(dc, at(8), at(7), at(8), at(3), kAlarmHands, pen);
    Line(dc, at(8), at(7), at(12), at(7), kAlarmHands, pen);
    return canvas.Release();
}

HIMAGELIST CreatePriorityImages(int dpi) {
    const int size = ScaleForDpi(kPriorityImageSize, dpi);
    const int margin = ScaleForDpi(2, dpi);
    Canvas canvas(size * kPriorityImageCount, size);
    if (!canvas.Ready()) return nullptr;
    HDC dc = canvas.Dc();
    FillArea(dc, 0, 0, size * kPriorityImageCount, size, kPriorityGround);
    for (int priority = 0; priority < kPriorityImageCount; ++priority) {
        const COLORREF colour = PriorityColour(priority);
        Disc(dc, priority * size + margin, margin, priority * size + size - margin, size - margin,
             colour, colour);
    }
    HBITMAP strip = canvas.Release();
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32, kPriorityImageCount, 0);
    if (images && ImageList_Add(images, strip, nullptr) < 0) {
        ImageList_Destroy(images);
        images = nullptr;
    }
    DeleteObject(strip);
    return images;
}

}  // namespace DayViewImages
