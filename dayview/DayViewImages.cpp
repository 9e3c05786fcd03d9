#include "DayViewImages.h"

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

void Disc(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF edge) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, left, top, right, bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
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

HBITMAP CreateAlarmBitmap() {
    Canvas canvas(kAlarmWidth, kAlarmHeight);
    if (!canvas.Ready()) return nullptr;
    HDC dc = canvas.Dc();
    FillArea(dc, 0, 0, kAlarmWidth, kAlarmHeight, kAlarmGround);
    // The face keeps a yellow border of at least one pixel all round.
    Disc(dc, 2, 1, 14, 14, kAlarmFace, kAlarmHands);
    // The hands show three o'clock, from the centre (8, 7).
    Line(dc, 8, 7, 8, 3, kAlarmHands);
    Line(dc, 8, 7, 12, 7, kAlarmHands);
    return canvas.Release();
}

HIMAGELIST CreatePriorityImages() {
    const int size = kPriorityImageSize;
    Canvas canvas(size * kPriorityImageCount, size);
    if (!canvas.Ready()) return nullptr;
    HDC dc = canvas.Dc();
    FillArea(dc, 0, 0, size * kPriorityImageCount, size, kPriorityGround);
    for (int priority = 0; priority < kPriorityImageCount; ++priority) {
        const COLORREF colour = PriorityColour(priority);
        Disc(dc, priority * size + 2, 2, priority * size + size - 2, size - 2, colour, colour);
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
