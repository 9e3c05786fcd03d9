// The File menu's Export and Import commands: each runs the exchange wizard
// for one kind of record, then writes the file or adds the file's records to
// the document and says how many.
#pragma once

#include <windows.h>

#include "ExchangeWizard.h"

class PimDocument;

class ExchangeCommands {
public:
    // `frame` owns the messages; the document and the help must outlive
    // this object.
    ExchangeCommands(PimDocument& document, EditorHelp help) : document_(document), help_(help) {}

    void SetFrame(HWND frame) { frame_ = frame; }
    // Where the wizard's browse button asks for a file.
    void SetFileChooser(ExchangeFileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Whether `id` is one of the six commands; carries it out.
    bool Run(UINT id);

    void Export(ExchangeKind kind);
    void Import(ExchangeKind kind);

private:
    ExchangeWizardOptions Options(bool import, ExchangeKind kind) const;

    PimDocument& document_;
    EditorHelp help_;
    HWND frame_ = nullptr;
    ExchangeFileChooser chooseFile_ = ChooseExchangeFile;
};
