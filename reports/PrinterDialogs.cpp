#include "PrinterDialogs.h"

#include <commdlg.h>

#include <cstring>

namespace {

// The longest face name a LOGFONT holds, without its terminator.
const size_t kFaceNameLength = LF_FACESIZE - 1;

HGLOBAL GlobalCopy(const void* data, size_t size) {
    if (!data || size == 0) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    if (void* target = GlobalLock(block)) {
        std::memcpy(target, data, size);
        GlobalUnlock(block);
    }
    return block;
}

// A device-names block naming only the printer: the driver and the port
// are empty texts.
HGLOBAL DeviceNamesFor(const std::string& printer) {
    const size_t header = sizeof(DEVNAMES);
    const size_t size = header + 1 + printer.size() + 1 + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    if (auto* names = static_cast<DEVNAMES*>(GlobalLock(block))) {
        char* text = reinterpret_cast<char*>(names);
        names->wDriverOffset = static_cast<WORD>(header);
        names->wDeviceOffset = static_cast<WORD>(header + 1);
        names->wOutputOffset = static_cast<WORD>(header + 1 + printer.size() + 1);
        std::memcpy(text + names->wDeviceOffset, printer.c_str(), printer.size() + 1);
        GlobalUnlock(block);
    }
    return block;
}

// Reads what the dialog left in its two blocks, then frees them: the dialog
// may have replaced the ones it was given.
bool ReadChoice(HGLOBAL& deviceMode, HGLOBAL& deviceNames, PrinterChoice& choice) {
    bool read = false;
    if (deviceNames) {
        if (const auto* names = static_cast<const DEVNAMES*>(GlobalLock(deviceNames))) {
            choice.printerName = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
            read = !choice.printerName.empty();
            GlobalUnlock(deviceNames);
        }
    }
    choice.deviceMode.clear();
    if (deviceMode) {
        if (const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(deviceMode))) {
            const BYTE* bytes = reinterpret_cast<const BYTE*>(mode);
            choice.deviceMode.assign(bytes, bytes + mode->dmSize + mode->dmDriverExtra);
            GlobalUnlock(deviceMode);
        }
    }
    return read;
}

void FreeBlocks(HGLOBAL deviceMode, HGLOBAL deviceNames) {
    if (deviceMode) GlobalFree(deviceMode);
    if (deviceNames) GlobalFree(deviceNames);
}

}  // namespace

const DEVMODEA* PrinterChoice::DeviceMode() const {
    return deviceMode.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(deviceMode.data());
}

bool AskPageSetup(HWND owner, const PrinterSettings& current, PrinterChoice& choice) {
    PAGESETUPDLGA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hDevMode = GlobalCopy(current.DeviceMode(), current.DeviceModeSize());
    dialog.hDevNames = DeviceNamesFor(current.Name());
    dialog.Flags = PSD_INTHOUSANDTHSOFINCHES | PSD_MARGINS;
    dialog.rtMargin = {current.margins.left, current.margins.top, current.margins.right,
                       current.margins.bottom};
    bool chosen = PageSetupDlgA(&dialog) != FALSE;
    if (chosen) {
        chosen = ReadChoice(dialog.hDevMode, dialog.hDevNames, choice);
        choice.margins = {static_cast<int>(dialog.rtMargin.left), static_cast<int>(dialog.rtMargin.top),
                          static_cast<int>(dialog.rtMargin.right),
                          static_cast<int>(dialog.rtMargin.bottom)};
    }
    FreeBlocks(dialog.hDevMode, dialog.hDevNames);
    return chosen;
}

bool AskPrint(HWND owner, const PrinterSettings& current, PrinterChoice& choice) {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hDevMode = GlobalCopy(current.DeviceMode(), current.DeviceModeSize());
    dialog.hDevNames = DeviceNamesFor(current.Name());
    dialog.Flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                   PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nFromPage = 1;
    dialog.nToPage = 1;
    dialog.nMinPage = 1;
    dialog.nMaxPage = 1;
    dialog.nCopies = 1;
    bool chosen = PrintDlgA(&dialog) != FALSE;
    if (chosen) {
        chosen = ReadChoice(dialog.hDevMode, dialog.hDevNames, choice);
        choice.margins = current.margins;
    }
    FreeBlocks(dialog.hDevMode, dialog.hDevNames);
    return chosen;
}

bool AskReportFont(HWND owner, HDC printer, ReportFontSetting& font) {
    LOGFONTA description = {};
    HDC screen = GetDC(owner);
    description.lfHeight = -MulDiv(font.pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(owner, screen);
    description.lfWeight = FW_NORMAL;
    std::strncpy(description.lfFaceName, font.faceName.c_str(), kFaceNameLength);

    CHOOSEFONTA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hDC = printer;
    dialog.lpLogFont = &description;
    dialog.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCALABLEONLY |
                   (printer ? CF_BOTH | CF_WYSIWYG : CF_SCREENFONTS);
    if (!ChooseFontA(&dialog)) return false;
    // Tenths of a point; the fraction is dropped.
    font.pointSize = dialog.iPointSize / 10;
    font.faceName = description.lfFaceName;
    return true;
}
