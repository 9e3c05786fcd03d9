// Images of the main toolbar beside the menu items with the same command
// ids: each such item gets a bitmap of its button's image, at the toolbar's
// image size (16 by 15 at 100%), with the mask as alpha so that the menu's
// background shows through.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

class MenuImages {
public:
    MenuImages() = default;
    ~MenuImages();
    MenuImages(const MenuImages&) = delete;
    MenuImages& operator=(const MenuImages&) = delete;

    // Sets the image of every item of `menu` (popups included, at any depth)
    // whose id is a button of `toolbar`. Returns how many items got one.
    // Applying again (the toolbar's images changed) replaces the images.
    int Apply(HMENU menu, HWND toolbar);

private:
    HBITMAP ImageBitmap(HIMAGELIST images, int image);

    std::vector<HBITMAP> bitmaps_;
};
