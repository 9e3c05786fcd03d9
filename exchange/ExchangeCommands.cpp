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
};

const KindTexts& TextsOf(ExchangeKind kind) {
    static const KindTexts persons = {"Export Person Information To Text File",
                                      "Import Person Information From Text File",
                                      "%d names added to current database.", "Imported Names"};
    static const KindTexts tasks = {"Export Tasks To Text File", "Import Tasks From Text File",
                                    "%d tasks added to current database.", "Imported Tasks"};
    static const KindTexts appointments = {
        "Export Appointments To Text File", "Import Appointments From Text File",
        "%d appointments added to current database.", "Imported Appointments"};
    switch (kind) {
    case ExchangeKind::kTasks: return tasks;
    case ExchangeKind::kAppointments: return appointments;
    default: return persons;
    }
}

// A text file read whole; others may go on reading it meanwhile.
bool ReadTextFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 && size.QuadPart < 0x7fffffff;
    if (ok) {
        bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
              read == bytes.size());
    }
    CloseHandle(file);
    return ok;
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
    const ExportText text = BuildExportText(document_, kind, settings, PlatformExchangeLocale());
    // The text goes to a temporary file beside the target, which takes the
    // target's place only once complete: a failure leaves any old file as
    // it was.
    if (ReplaceDocumentFile(settings.FileName, text.text)) return;
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
    if (ReadTextFile(settings.FileName, bytes))
        result = ImportDelimitedText(document_, kind, settings, bytes.data(), bytes.size(),
                                     PlatformExchangeLocale());
    const KindTexts& texts = TextsOf(kind);
    char count[128];
    std::snprintf(count, sizeof count, texts.addedFormat, static_cast<int>(result.added));
    MessageBoxA(frame_, count, texts.importedTitle, MB_OK | MB_ICONINFORMATION);
    if (result.stoppedAtLine > 0) {
        // The count reads like a complete import; it was not.
        const std::string message =
            "Line " + std::to_string(result.stoppedAtLine) + " of " + settings.FileName +
            " is longer than a record can be. The import stopped there: that line and the lines "
            "after it were not imported.";
        MessageBoxA(frame_, message.c_str(), texts.importedTitle, MB_OK | MB_ICONERROR);
    }
    // The document notified its views of what was added; the lists are new.
}
