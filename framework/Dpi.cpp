#include "Dpi.h"

#include <cstdlib>

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction FindGetDpiForWindow() {
    HMODULE user = GetModuleHandleA("user32.dll");
    if (!user) return nullptr;
    return reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
}

}  // namespace

int ScaleForDpi(int value, int dpi) {
    if (dpi <= 0) dpi = kDefaultDpi;
    return MulDiv(value, dpi, kDefaultDpi);
}

int ScaleDownForDpi(int value, int dpi) {
    if (dpi <= 0) dpi = kDefaultDpi;
    return static_cast<int>(static_cast<long long>(value) * dpi / kDefaultDpi);
}

int NearestDrawnDpi(int dpi, const int* drawnAt, int count) {
    int best = drawnAt[0];
    for (int i = 1; i < count; ++i) {
        const int distance = std::abs(drawnAt[i] - dpi);
        const int bestDistance = std::abs(best - dpi);
        if (distance < bestDistance || (distance == bestDistance && drawnAt[i] > best))
            best = drawnAt[i];
    }
    return best;
}

int WindowDpi(HWND window) {
    static const GetDpiForWindowFunction getDpiForWindow = FindGetDpiForWindow();
    if (window && getDpiForWindow) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int SystemDpi() {
    int dpi = kDefaultDpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : kDefaultDpi;
}
