#include "VCardCommands.h"

#include <cstdio>

#include "DelimitedText.h"
#include "PimDocument.h"
#include "VCard.h"
#include "VCardCodePages.h"
#include "resource.h"

namespace {

const char kImportedCaption[] = "Imported Names";
const char kExportCaption[] = "Export Phone Book as vCard";
const char kImportTitle[] = "Import Phone Book from vCard";
// Pairs of shown text and pattern, ended by an empty pair.
const FormatFileDialog kDialog = {"vCard Files (*.vcf)\0*.vcf\0All Files (*.*)\0*.*\0", "vcf",
                                  "Phone Book.vcf", kImportTitle, kExportCaption,
                                  "::/html/vcard.htm>topic"};

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
    return ChooseFormatFile(owner, save, kDialog, help, path);
}

void VCardCommands::Import() {
    std::string path;
    if (!Choose(false, path)) return;
    std::string bytes;
    if (!ReadFormatFile(frame_, path, kImportedCaption, bytes)) return;
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
    WriteFormatFile(frame_, path, kExportCaption, produce);
}
