#include "ICalCommands.h"

#include <cstdio>

#include "CalendarZones.h"
#include "ExchangeLocale.h"
#include "ICal.h"
#include "PimDocument.h"
#include "VCardCodePages.h"
#include "resource.h"

namespace {

const char kImportedCaption[] = "Imported Calendar";
const char kExportCaption[] = "Export Calendar as iCalendar";
const char kImportTitle[] = "Import Calendar from iCalendar";
// Pairs of shown text and pattern, ended by an empty pair.
const FormatFileDialog kDialog = {"iCalendar Files (*.ics)\0*.ics\0All Files (*.*)\0*.*\0", "ics",
                                  "Calendar.ics", kImportTitle, kExportCaption,
                                  "::/html/icalendar.htm>topic"};

}  // namespace

ICalCommands::ICalCommands(PimDocument& document, EditorHelp help)
    : document_(document), help_(std::move(help)) {}

bool ICalCommands::Choose(bool save, std::string& path) {
    HWND owner = GetActiveWindow() ? GetActiveWindow() : frame_;
    return chooseFile_ ? chooseFile_(owner, save, path) : ChooseFile(owner, save, help_, path);
}

bool ICalCommands::Run(UINT id) {
    switch (id) {
    case ID_IMPORT_ICALENDAR: Import(); return true;
    case ID_EXPORT_ICALENDAR: Export(); return true;
    default: return false;
    }
}

bool ICalCommands::ChooseFile(HWND owner, bool save, const EditorHelp& help, std::string& path) {
    return ChooseFormatFile(owner, save, kDialog, help, path);
}

void ICalCommands::Import() {
    std::string path;
    if (!Choose(false, path)) return;
    std::string bytes;
    if (!ReadFormatFile(frame_, path, kImportedCaption, bytes)) return;
    // The document tells its views once at the end, and the planner and the
    // task list are filled again from it.
    const ICalImportResult result =
        ImportICalendar(document_, bytes.data(), bytes.size(), PlatformVCardCodePages(), PlatformCalendarZones());
    char count[128];
    std::snprintf(count, sizeof count, "%d appointments and %d tasks added to current database.",
                  static_cast<int>(result.appointmentsAdded), static_cast<int>(result.tasksAdded));
    MessageBoxA(frame_, count, kImportedCaption, MB_OK | MB_ICONINFORMATION);
    if (result.stoppedNoID) {
        const std::string message =
            "This document has no room for more appointments or tasks: each one gets a number of its own "
            "that is never used again, and every number has been used. The rest of " + FileNameOf(path) +
            " was not imported. To import it, start a new document and import the file into it.";
        MessageBoxA(frame_, message.c_str(), kImportedCaption, MB_OK | MB_ICONERROR);
    }
    // Events that vanish without a word are what people most hold against an
    // import: what was left out or brought in otherwise is listed.
    const std::string report = ICalImportReport(FileNameOf(path), result, PlatformExchangeLocale());
    if (!report.empty()) MessageBoxA(frame_, report.c_str(), kImportedCaption, MB_OK | MB_ICONWARNING);
}

void ICalCommands::Export() {
    std::string path;
    if (!Choose(true, path)) return;
    const auto produce = [this](const FilePieceWriter& write) {
        return ExportICalendar(document_, PlatformVCardCodePages(), PlatformCalendarZones(), write);
    };
    WriteFormatFile(frame_, path, kExportCaption, produce);
}
