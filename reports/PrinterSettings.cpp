#include "PrinterSettings.h"

#include <winspool.h>

namespace {

const int kProfileEntryCapacity = 512;

// GetPrinterA at `level` into a buffer of the size the spooler asks for.
std::vector<BYTE> PrinterInfo(HANDLE printer, DWORD level) {
    DWORD needed = 0;
    GetPrinterA(printer, level, nullptr, 0, &needed);
    if (needed == 0) return {};
    std::vector<BYTE> info(needed);
    if (!GetPrinterA(printer, level, info.data(), needed, &needed)) return {};
    return info;
}

std::vector<BYTE> CopyOfDeviceMode(const DEVMODEA* mode) {
    if (!mode) return {};
    const BYTE* bytes = reinterpret_cast<const BYTE*>(mode);
    return std::vector<BYTE>(bytes, bytes + mode->dmSize + mode->dmDriverExtra);
}

}  // namespace

std::string DefaultPrinterName() {
    char entry[kProfileEntryCapacity] = "";
    GetProfileStringA("windows", "device", ",,,", entry, sizeof entry);
    // Stepped through by character, so a double-byte name is never cut
    // inside a character.
    const char* at = entry;
    while (*at && *at != ',') at = CharNextA(at);
    return std::string(static_cast<const char*>(entry), at);
}

std::vector<std::string> InstalledPrinterNames() {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0) return {};
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return {};
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    std::vector<std::string> names;
    for (DWORD i = 0; i < count; ++i)
        if (printers[i].pPrinterName && *printers[i].pPrinterName) names.push_back(printers[i].pPrinterName);
    return names;
}

PrinterSettings::~PrinterSettings() { Close(); }

void PrinterSettings::Close() {
    if (printer_) ClosePrinter(printer_);
    printer_ = nullptr;
    name_.clear();
}

void PrinterSettings::OpenDefaultPrinter() {
    const std::string name = DefaultPrinterName();
    Close();
    deviceMode_.clear();
    unusableName_.clear();
    if (!name.empty()) Replace(name, nullptr);
}

// `name` is a copy: it may be Name() itself, which closing clears.
bool PrinterSettings::Replace(std::string name, const DEVMODEA* mode) {
    std::vector<BYTE> newMode = CopyOfDeviceMode(mode);
    Close();
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSA defaults = {nullptr, reinterpret_cast<DEVMODEA*>(newMode.data()),
                                  PRINTER_ACCESS_USE};
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, mode ? &defaults : nullptr)) {
        deviceMode_.clear();
        unusableName_ = std::move(name);
        return false;
    }
    printer_ = printer;
    unusableName_.clear();

    // The driver's own spelling of the name: level 5 is cheap, level 2
    // answers where it is missing and carries the default device mode.
    const std::vector<BYTE> level5 = PrinterInfo(printer_, 5);
    if (!level5.empty()) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_5A*>(level5.data());
        if (info->pPrinterName) name_ = info->pPrinterName;
    }
    const std::vector<BYTE> level2 = PrinterInfo(printer_, 2);
    const auto* info2 =
        level2.empty() ? nullptr : reinterpret_cast<const PRINTER_INFO_2A*>(level2.data());
    if (name_.empty()) name_ = info2 && info2->pPrinterName ? info2->pPrinterName : name;
    deviceMode_ = mode ? std::move(newMode) : CopyOfDeviceMode(info2 ? info2->pDevMode : nullptr);
    return true;
}

const DEVMODEA* PrinterSettings::DeviceMode() const {
    return deviceMode_.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(deviceMode_.data());
}

HDC PrinterSettings::CreateDeviceContext() const {
    if (!printer_ || name_.empty()) return nullptr;
    return CreateDCA(nullptr, name_.c_str(), nullptr, DeviceMode());
}

HDC PrinterSettings::CreateInformationContext() const {
    if (!printer_ || name_.empty()) return nullptr;
    return CreateICA(nullptr, name_.c_str(), nullptr, DeviceMode());
}
