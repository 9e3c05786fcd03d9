#include "VCardCommands.h"

#include <commdlg.h>

#include <cstdio>

#include "DelimitedText.h"
#include "DocumentFiles.h"
#include "ExchangeWizard.h"
#include "HelpLibrary.h"
#include "PimDocument.h"
#include "VCard.h"
#include "VCardCodePages.h"
#include "resource.h"

namespace {

const char kImportedCaption[] = "Imported Names";
const char kExportCaption[] = "Export Phone Book as vCard";
const char kImportTitle[] = "Import Phone Book from vCard";
const char kHelpPage[] = "::/html/vcard.htm>topic";
const UINT kDisplayTopic = 0;

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file dialog's hook: only its Help button is ours.
UINT_PTR CALLBACK FileDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* settings = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        SetWindowLongPtrA(dialog, GWLP_USERDATA, static_cast<LONG_PTR>(settings->lCustData));
        return 0;
    }
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_HELP) {
        const auto* help = reinterpret_cast<const EditorHelp*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        if (help && help->library) {
            const std::string topic = help->directory + "\\" + help->fileName + kHelpPage;
            help->library->Show(GetParent(dialog), topic.c_str(), kDisplayTopic, 0);
        }
        return 1;
    }
    return 0;
}

std::string Plural(int32_t count, const std::string& one) {
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

}  // namespace

std::string VCardImportReport(const std::string& fileName, const VCardImportResult& result) {
    std::string text;
    if (result.notedCards > 0) {
        text = "Some cards of " + fileName + " were not imported, or not whole:\n";
        for (const VCardNote& note : result.notes)
            text += "\nCard " + std::to_string(note.card) + " (line " + std::to_string(note.line) +
                    (note.firstLine.empty() ? "" : ", " + note.firstLine) + "): " + note.reason + ".";
        const int32_t more = result.notedCards - static_cast<int32_t>(result.notes.size());
        if (more > 0) text += "\n... and " + Plural(more, "more card") + ".";
    }
    if (!result.leftOut.empty()) {
        if (!text.empty()) text += "\n\n";
        text += "Not imported, counted by kind:";
        for (const auto& kind : result.leftOut)
            text += "\n" + kind.first + ": " + std::to_string(kind.second);
    }
    if (result.lostCharacters > 0) {
        if (!text.empty()) text += "\n\n";
        text += Plural(result.lostCharacters, "character") +
                " that Windows cannot show in this program's text became \"?\".";
    }
    return text;
}

VCardCommands::VCardCommands(PimDocument& document, EditorHelp help)
    : document_(document), help_(std::move(help)) {}

bool VCardCommands::Choose(bool save, std::string& path) {
    HWND owner = GetActiveWindow() ? GetActiveWindow() : frame_;
    return chooseFile_ ? chooseFile_(owner, save, path) : ChooseFile(owner, save, help_, path);
}

bool VCardCommands::Run(UINT id) {
    switch (id) {
    case ID_IMPORT_VCARD: Import(); return true;
    case ID_EXPORT_VCARD: Export(); return true;
    default: return false;
    }
}

bool VCardCommands::ChooseFile(HWND owner, bool save, const EditorHelp& help, std::string& path) {
    char file[MAX_PATH] = {};
    if (save) lstrcpynA(file, "Phone Book.vcf", MAX_PATH);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    // Pairs of shown text and pattern, ended by an empty pair.
    dialog.lpstrFilter = "vCard Files (*.vcf)\0*.vcf\0All Files (*.*)\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = "vcf";
    dialog.lpstrTitle = save ? kExportCaption : kImportTitle;
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_SHOWHELP |
                   OFN_ENABLEHOOK | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    dialog.lpfnHook = FileDialogHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(&help);
    const BOOL picked = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!picked) return false;
    path = file;
    return true;
}

void VCardCommands::Import() {
    std::string path;
    if (!Choose(false, path)) return;
    std::string bytes;
    if (!ReadExchangeFile(path, bytes)) {
        const std::string message = "Unable to read " + path + ". Nothing was imported.";
        MessageBoxA(frame_, message.c_str(), kImportedCaption, MB_OK | MB_ICONERROR);
        return;
    }
    const VCardImportResult result =
        ImportVCards(document_, bytes.data(), bytes.size(), PlatformVCardCodePages());
    char count[128];
    std::snprintf(count, sizeof count, "%d names added to current database.",
                  static_cast<int>(result.added));
    MessageBoxA(frame_, count, kImportedCaption, MB_OK | MB_ICONINFORMATION);
    if (result.stoppedAtCard > 0) {
        const std::string message =
            "This document has no room for more names: each one gets a number of its own that is "
            "never used again, and every number has been used. The import stopped at card " +
            std::to_string(result.stoppedAtCard) + " of " + FileNameOf(path) +
            "; that card and the ones after it were not imported. To import them, start a new "
            "document and import the file into it.";
        MessageBoxA(frame_, message.c_str(), kImportedCaption, MB_OK | MB_ICONERROR);
    }
    // Cards that vanish without a word are what people most hold against an
    // import: what was skipped or left out is listed.
    const std::string report = VCardImportReport(FileNameOf(path), result);
    if (!report.empty()) MessageBoxA(frame_, report.c_str(), kImportedCaption, MB_OK | MB_ICONWARNING);
}

void VCardCommands::Export() {
    std::string path;
    if (!Choose(true, path)) return;
    // Written beside the target and put in its place only once complete: a
    // failure leaves any old file as it was.
    const auto produce = [this](const FilePieceWriter& write) {
        return ExportVCards(document_, PlatformVCardCodePages(), write);
    };
    if (ReplaceDocumentFileInPieces(path, produce)) return;
    const std::string message =
        "Unable to write " + path + ". Nothing was exported, and a file of that name was left as it was.";
    MessageBoxA(frame_, message.c_str(), kExportCaption, MB_OK | MB_ICONERROR);
}
