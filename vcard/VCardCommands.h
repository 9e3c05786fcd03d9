// The File menu's vCard commands. "Phone Book from vCard..." adds the cards
// of a .vcf file (from a phone, web mail or another address book) to the
// phone book and says what it added and what it left out; "Phone Book as
// vCard..." writes every person as a card such programs read.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "EditorHelp.h"
#include "FormatFile.h"

class PimDocument;
struct VCardImportResult;

// Asks for the file to read (`save` false) or to write; true with `path`
// when one was chosen. The dialog's Help button opens the vCard page.
using VCardFileChooser = FormatFileChooser;

class VCardCommands {
public:
    // The document and the help must outlive this object.
    VCardCommands(PimDocument& document, EditorHelp help);

    void SetFrame(HWND frame) { frame_ = frame; }
    void SetFileChooser(VCardFileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Whether `id` is one of the two commands; carries it out.
    bool Run(UINT id);

    void Import();
    void Export();

    // The standard file dialog for .vcf files.
    static bool ChooseFile(HWND owner, bool save, const EditorHelp& help, std::string& path);

private:
    bool Choose(bool save, std::string& path);

    PimDocument& document_;
    EditorHelp help_;
    HWND frame_ = nullptr;
    VCardFileChooser chooseFile_;  // none: ChooseFile
};

// The box after the count, when anything was skipped or left out: the
// file's name, one line per noted card, then what was not imported by kind.
// Empty when there is nothing to say.
std::string VCardImportReport(const std::string& fileName, const VCardImportResult& result);
