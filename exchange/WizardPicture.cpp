#include "WizardPicture.h"

#include <cstdint>
#include <cstring>

#include "Window.h"
#include "resource.h"

namespace {

// The header a placeable metafile carries before the metafile proper: the
// picture's bounds in its own units.
#pragma pack(push, 2)
struct PlaceableHeader {
    uint32_t key;  // 0x9AC6CDD7
    uint16_t handle;
    int16_t left, top, right, bottom;
    uint16_t unitsPerInch;
    uint32_t reserved;
    uint16_t checksum;
};
#pragma pack(pop)
const uint32_t kPlaceableKey = 0x9AC6CDD7;

// The metafile, made once and kept for the rest of the run.
struct Picture {
    HMETAFILE metafile = nullptr;
    int width = 0;
    int height = 0;
};

Picture Load() {
    Picture picture;
    HMODULE module = ModuleInstance();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_WIZARD_PICTURE), RESOURCE_TYPE_METAFILE);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    PlaceableHeader header = {};
    if (!bytes || size <= sizeof(header)) return picture;
    std::memcpy(&header, bytes, sizeof(header));
    if (header.key != kPlaceableKey) return picture;
    picture.width = header.right - header.left;
    picture.height = header.bottom - header.top;
    if (picture.width <= 0 || picture.height <= 0) return picture;
    picture.metafile = SetMetaFileBitsEx(size - sizeof(header), bytes + sizeof(header));
    return picture;
}

const Picture& ThePicture() {
    static const Picture picture = Load();
    return picture;
}

}  // namespace

void WizardPicture::Draw(HDC dc, const RECT& area) {
    const Picture& picture = ThePicture();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (!picture.metafile || width <= 0 || height <= 0) return;
    // The largest size of the picture's proportions that fits the area.
    int shownWidth = width;
    int shownHeight = MulDiv(width, picture.height, picture.width);
    if (shownHeight > height) {
        shownHeight = height;
        shownWidth = MulDiv(height, picture.width, picture.height);
    }
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    // The picture's own units fill the viewport; the metafile sets the same
    // window again as it plays.
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, picture.width, picture.height, nullptr);
    SetViewportOrgEx(dc, area.left + (width - shownWidth) / 2, area.top + (height - shownHeight) / 2,
                     nullptr);
    SetViewportExtEx(dc, shownWidth, shownHeight, nullptr);
    IntersectClipRect(dc, 0, 0, picture.width, picture.height);
    PlayMetaFile(dc, picture.metafile);
    RestoreDC(dc, saved);
}
