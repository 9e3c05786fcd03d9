// The printer that reports are laid out for and printed on, its device mode
// (paper, orientation, copies and the driver's other settings) and the page
// margins. Kept by the frame for the run and never saved.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ReportLayout.h"

// The printer named by the "device" entry of the "windows" profile section
// ("name,driver,port"), or "" when none is set.
std::string DefaultPrinterName();

// The names of the printers installed for this user, local and connected,
// as the spooler lists them; empty when there is none.
std::vector<std::string> InstalledPrinterNames();

class PrinterSettings {
public:
    PrinterSettings() = default;
    ~PrinterSettings();
    PrinterSettings(const PrinterSettings&) = delete;
    PrinterSettings& operator=(const PrinterSettings&) = delete;

    // Opens the default printer with its own default device mode; without
    // one (or when it cannot be opened) there is no printer.
    void OpenDefaultPrinter();
    // Opens the printer `name` with `mode` as its default device mode (the
    // printer's own when null), replacing the current one. False, and no
    // printer, when it cannot be opened.
    bool Replace(std::string name, const DEVMODEA* mode);

    bool HasPrinter() const { return printer_ != nullptr; }
    // The printer that was to be opened last and could not be (offline,
    // removed, its driver broken); "" once one opens, and when there was
    // no default printer to open.
    const std::string& UnusableName() const { return unusableName_; }
    // The printer's name as its driver reports it; "" without a printer.
    const std::string& Name() const { return name_; }
    // The current device mode; null without one.
    const DEVMODEA* DeviceMode() const;
    size_t DeviceModeSize() const { return deviceMode_.size(); }

    // A device context, or an information context (for measuring only),
    // for the printer with the current device mode; null without a
    // printer. The caller deletes it.
    HDC CreateDeviceContext() const;
    HDC CreateInformationContext() const;

    // In thousandths of an inch; one inch on every side at start-up.
    PageMargins margins;

private:
    void Close();

    HANDLE printer_ = nullptr;
    std::string name_;
    std::string unusableName_;
    std::vector<BYTE> deviceMode_;
};
