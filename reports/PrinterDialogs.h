// The platform's printing dialogs as the report commands use them: Page
// Setup and Print choose a printer, its device mode and (Page Setup) the
// margins; the font chooser picks the report font. Each returns false on
// Cancel or failure and then changes nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "PreparedReport.h"
#include "PrinterSettings.h"

// What the user chose in Page Setup or Print.
struct PrinterChoice {
    std::string printerName;
    std::vector<BYTE> deviceMode;
    PageMargins margins;

    const DEVMODEA* DeviceMode() const;
};

// Page Setup with the current device mode, the printer's name (driver and
// port left empty) and the margins, all in thousandths of an inch.
bool AskPageSetup(HWND owner, const PrinterSettings& current, PrinterChoice& choice);

// Print, for the whole report: no selection or page range, no print to
// file; copies and collation stay in the device mode.
bool AskPrint(HWND owner, const PrinterSettings& current, PrinterChoice& choice);

// The font chooser, listing the scalable fonts that look the same on screen
// and on `printer` (on screen alone when there is no printer context). Sizes
// come back in whole points (10.5 becomes 10); weight, slant and effects
// chosen there are ignored.
bool AskReportFont(HWND owner, HDC printer, ReportFontSetting& font);
