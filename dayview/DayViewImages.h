// The small pictures of the day view, drawn with GDI when the view starts
// rather than kept as resources: the clock mark of alarmed appointments and
// the priority discs of the task list. They are drawn for the screen's
// resolution: the sizes below are those at 96 DPI, scaled by ScaleForDpi.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace DayViewImages {

constexpr int kAlarmWidth = 16;
constexpr int kAlarmHeight = 15;
constexpr int kPriorityImageSize = 16;
constexpr int kPriorityImageCount = 4;

// The colours the pictures are made of; the tests look for them.
constexpr COLORREF kAlarmGround = RGB(255, 255, 0);
constexpr COLORREF kAlarmFace = RGB(255, 255, 255);
constexpr COLORREF kAlarmHands = RGB(0, 0, 0);
constexpr COLORREF kPriorityGround = RGB(255, 255, 255);

// The disc colour of a priority: 0 high red, 1 medium yellow, 2 low blue,
// 3 done black.
COLORREF PriorityColour(int priority);

// The clock mark's size at `dpi` (16 by 15 at 96).
SIZE AlarmSize(int dpi);

// `AlarmBitmap`: a white clock face on a yellow square, AlarmSize(dpi). The
// caller owns the bitmap (DeleteObject); null on failure.
HBITMAP CreateAlarmBitmap(int dpi = 96);

// `PriorityImages`: four discs on a white ground, 16x16 at 96 DPI and
// scaled for `dpi`, indexed by priority, without a mask. The caller owns the
// list, null on failure.
HIMAGELIST CreatePriorityImages(int dpi = 96);

}  // namespace DayViewImages
