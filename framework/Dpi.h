// The screen resolution a window is shown at, and the arithmetic that turns
// the program's sizes, all drawn for 96 dots per inch (100%), into pixels at
// that resolution. Dialog templates and system fonts scale by themselves;
// whatever the program sizes or draws itself goes through ScaleForDpi.
#pragma once

#include <windows.h>

// The resolution the program's pixel sizes are given for.
const int kDefaultDpi = 96;

// `value` pixels at 96 DPI in pixels at `dpi`, rounded to the nearest
// (MulDiv); a `dpi` of 0 or less counts as 96.
int ScaleForDpi(int value, int dpi);

// The same, rounded down: for pictures drawn at fixed sizes (a 16 by 15
// toolbar image is 24 by 22 at 144 DPI, the size its larger strip is drawn
// at, not 24 by 23).
int ScaleDownForDpi(int value, int dpi);

// Of the resolutions `drawnAt` (count > 0), the one nearest `dpi`; between
// two equally near, the larger, so that a picture shrinks rather than grows
// when it has to be resized.
int NearestDrawnDpi(int dpi, const int* drawnAt, int count);

// The resolution `window` is shown at: GetDpiForWindow where the system has
// it (Windows 10 1607 on; looked up at run time, as older systems lack it),
// otherwise the screen's LOGPIXELSY, the system resolution of the session.
int WindowDpi(HWND window);

// The screen's resolution, for what is sized before its window exists.
int SystemDpi();
