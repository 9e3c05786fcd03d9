#include "ExchangeCommands.h"

#include <cstdio>
#include <string>

#include "DelimitedText.h"
#include "DocumentFiles.h"
#include "PimDocument.h"
#include "resource.h"

namespace {

// The texts of one kind: the wizard's captions and the import's message.
struct KindTexts {
    const char* exportCaption;
    const char* importCaption;
    const char* addedFormat;    // "%d ... added to current database."
    const char* importedTitle;  // the caption of that message
    const char* records;        // what the records are called in a sentence
};

const KindTexts& TextsOf(ExchangeKind kind) {
    static const KindTexts persons = {"Export Person Information To Text File",
                                      "Import Person Information From Text File",
                                      "%d names added to current database.", "Imported Names", "names"};
    static const KindTexts tasks = {"Export Tasks To Text File", "Import Tasks From Text File",
                                    "%d tasks added to current database.", "Imported Tasks", "tasks"};
    static const KindTexts appointments = {
        "Export Appointments To Text File", "Import Appointments From Text File",
        "%d appointments added to current database.", "Imported Appointments",
        "appointments"};
    switch (kind) {
    case ExchangeKind::kTasks: return tasks;
    case ExchangeKind::kAppointments: return appointments;
    default: return persons;
    }
}

std::wstring Wide(const std::string& ansi) {
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], length);
    return wide;
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The box after the count: the file's name, then one line per noted line of
// the file, the first kImportNotesKept of them.
std::wstring ImportReport(const std::string& path, const ImportResult& result) {
    std::wstring text = L"Some lines of " + Wide(FileNameOf(path)) +
                        L" were not imported, or not as they were written:\n";
    for (const ImportNote& note : result.notes)
        text += L"\nLine " + std::to_wstring(note.line) + L": " + Wide(note.text) + L".";
    const int32_t more = result.notedLines - static_cast<int32_t>(result.notes.size());
    if (more > 0) text += L"\n\u2026 and " + std::to_wstring(more) + L" more lines.";
    return text;
}

// The box when the document ran out of IDs during the import. Each record
// gets a number of its own that is never used again; a file may carry the
// last one there is.
std::string NoIDLeftReport(const std::string& path, const ImportResult& result, const char* records) {
    return "This document has no room for more " + std::string(records) +
           ": each one gets a number of its own that is never used again, and every number has been used. "
           "The import stopped at line " + std::to_string(result.stoppedAtLine) + " of " + FileNameOf(path) +
           "; that line and the ones after it were not imported. Compact does not free numbers. To import them, "
           "start a new document and import the file into it.";
}

}  // namespace

ExchangeWizardOptions ExchangeCommands::Options(bool import, ExchangeKind kind) const {
    ExchangeWizardOptions options;
    options.importMode = import;
    options.kind = kind;
    options.caption = import ? TextsOf(kind).importCaption : TextsOf(kind).exportCaption;
    options.help = help_;
    options.chooseFile = chooseFile_;
    return options;
}

bool ExchangeCommands::Run(UINT id) {
    switch (id) {
    case ID_EXPORT_PHONE_BOOK: Export(ExchangeKind::kPersons); return true;
    case ID_EXPORT_TASKS: Export(ExchangeKind::kTasks); return true;
    case ID_EXPORT_APPOINTMENTS: Export(ExchangeKind::kAppointments); return true;
    case ID_IMPORT_PHONE_BOOK: Import(ExchangeKind::kPersons); return true;
    case ID_IMPORT_TASKS: Import(ExchangeKind::kTasks); return true;
    case ID_IMPORT_APPOINTMENTS: Import(ExchangeKind::kAppointments); return true;
    default: return false;
    }
}

void ExchangeCommands::Export(ExchangeKind kind) {
    ExchangeSettings settings = ExportSettingsFor(kind);
    const ExchangeWizardOptions options = Options(false, kind);
    HWND owner = GetActiveWindow() ? GetActiveWindow() : frame_;
    if (!RunExchangeWizard(owner, settings, options)) return;
    // The text goes to a temporary file beside the target a piece at a time
    // as it is made, never held whole in memory; the file takes the target's
    // place only once complete: a failure leaves any old file as it was.
    const auto produce = [this, kind, &settings](const FilePieceWriter& write) {
        return ExportDelimitedText(document_, kind, settings, PlatformExchangeLocale(), write);
    };
    if (ReplaceDocumentFileInPieces(settings.FileName, produce)) return;
    const std::string message = "Unable to write " + settings.FileName +
                                ". Nothing was exported, and a file of that name was left as it was.";
    MessageBoxA(frame_, message.c_str(), options.caption.c_str(), MB_OK | MB_ICONERROR);
}

void ExchangeCommands::Import(ExchangeKind kind) {
    ExchangeSettings settings = ImportSettingsFor(kind);
    const ExchangeWizardOptions options = Options(true, kind);
    HWND owner = GetActiveWindow() ? GetActiveWindow() : frame_;
    if (!RunExchangeWizard(owner, settings, options)) return;
    // A file that cannot be read adds nothing; the count says so.
    std::string bytes;
    ImportResult result;
    if (ReadExchangeFile(settings.FileName, bytes))
        result = ImportDelimitedText(document_, kind, settings, bytes.data(), bytes.size(),
                                     PlatformExchangeLocale());
    const KindTexts& texts = TextsOf(kind);
    char count[128];
    std::snprintf(count, sizeof count, texts.addedFormat, static_cast<int>(result.added));
    MessageBoxA(frame_, count, texts.importedTitle, MB_OK | MB_ICONINFORMATION);
    if (result.stoppedAtLine > 0) {
        const std::string report = NoIDLeftReport(settings.FileName, result, texts.records);
        MessageBoxA(frame_, report.c_str(), texts.importedTitle, MB_OK | MB_ICONERROR);
    }
    // Rows that vanish without a word are what people most hold against an
    // import: the lines not imported, or not as written, are listed.
    if (result.notedLines > 0) {
        const std::wstring report = ImportReport(settings.FileName, result);
        MessageBoxW(frame_, report.c_str(), Wide(texts.importedTitle).c_str(), MB_OK | MB_ICONWARNING);
    }
    // The document notified its views of what was added; the lists are new.
}
