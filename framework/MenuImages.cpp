#include "MenuImages.h"

#include <commctrl.h>

#include <cstdint>
#include <map>

#include "GdiHelpers.h"

namespace {

HBITMAP CreatePixelBitmap(HDC dc, SIZE size, uint32_t** bits) {
    void* pixels = nullptr;
    HBITMAP bitmap = CreateTopDown32BitBitmap(dc, size.cx, size.cy, &pixels);
    *bits = static_cast<uint32_t*>(pixels);
    return bitmap;
}

void CollectButtons(HWND toolbar, std::map<UINT, int>& imageOfCommand) {
    const int count = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        TBBUTTON button = {};
        if (!SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)))
            continue;
        if (button.fsStyle & BTNS_SEP || button.iBitmap < 0) continue;
        imageOfCommand[static_cast<UINT>(button.idCommand)] = button.iBitmap;
    }
}

}  // namespace

MenuImages::~MenuImages() {
    for (HBITMAP bitmap : bitmaps_) DeleteObject(bitmap);
}

HBITMAP MenuImages::ImageBitmap(HIMAGELIST images, int image) {
    // The toolbar's images are already the size for the screen's scale.
    int width = 0;
    int height = 0;
    if (!ImageList_GetIconSize(images, &width, &height) || width <= 0 || height <= 0)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    uint32_t* colour = nullptr;
    uint32_t* mask = nullptr;
    HBITMAP result = CreatePixelBitmap(screen, SIZE{width, height}, &colour);
    HBITMAP maskBitmap = CreatePixelBitmap(screen, SIZE{width, height}, &mask);
    ReleaseDC(nullptr, screen);
    if (!result || !maskBitmap) {
        if (result) DeleteObject(result);
        if (maskBitmap) DeleteObject(maskBitmap);
        DeleteDC(dc);
        return nullptr;
    }
    const RECT all = {0, 0, width, height};
    // The mask: black where the image is opaque, on white.
    HGDIOBJ old = SelectObject(dc, maskBitmap);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images, image, dc, 0, 0, ILD_MASK);
    // The colours, on black.
    SelectObject(dc, result);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ImageList_Draw(images, image, dc, 0, 0, ILD_TRANSPARENT);
    GdiFlush();
    // GDI leaves alpha at 0: opaque pixels get 255, the rest stays fully
    // transparent (premultiplied, so black).
    for (int i = 0; i < width * height; ++i) {
        const bool transparent = (mask[i] & 0x00FFFFFF) != 0;
        colour[i] = transparent ? 0 : (colour[i] | 0xFF000000u);
    }
    SelectObject(dc, old);
    DeleteObject(maskBitmap);
    DeleteDC(dc);
    return result;
}

int MenuImages::Apply(HMENU menu, HWND toolbar) {
    HIMAGELIST images =
        reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    if (!menu || !images) return 0;
    std::map<UINT, int> imageOfCommand;
    CollectButtons(toolbar, imageOfCommand);
    // Applied again after a change of scale: the items let go of the old
    // bitmaps only once they hold the new ones.
    std::vector<HBITMAP> previous;
    previous.swap(bitmaps_);

    int applied = 0;
    std::vector<HMENU> pending = {menu};
    while (!pending.empty()) {
        HMENU current = pending.back();
        pending.pop_back();
        const int count = GetMenuItemCount(current);
        for (int position = 0; position < count; ++position) {
            MENUITEMINFOA item = {};
            item.cbSize = sizeof(item);
            item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
            if (!GetMenuItemInfoA(current, position, TRUE, &item)) continue;
            if (item.hSubMenu) {
                pending.push_back(item.hSubMenu);
                continue;
            }
            const auto found = imageOfCommand.find(item.wID);
            if (found == imageOfCommand.end()) continue;
            HBITMAP bitmap = ImageBitmap(images, found->second);
            if (!bitmap) continue;
            bitmaps_.push_back(bitmap);
            MENUITEMINFOA image = {};
            image.cbSize = sizeof(image);
            image.fMask = MIIM_BITMAP;
            image.hbmpItem = bitmap;
            if (SetMenuItemInfoA(current, position, TRUE, &image)) ++applied;
        }
    }
    for (HBITMAP bitmap : previous) DeleteObject(bitmap);
    return applied;
}
