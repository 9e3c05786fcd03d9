// The exchange wizard: three pages that fill one export's or import's
// settings. "Select Document" names the file (and, for an import, reads its
// first line), "Document Structure" chooses the separator, the encloser and
// whether the first line holds the field names, and "Fields To Import"
// checks the fields to export or assigns a field to each column of the file.
// The wizard only fills the settings; the command writes or reads after it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "EditorHelp.h"
#include "ExchangeSettings.h"

// The browse button's file dialog: Open for an import, Save for an export,
// starting from `current`; false when the user cancels.
using ExchangeFileChooser =
    std::function<bool(HWND owner, bool import, const std::string& current, std::string& chosen)>;
bool ChooseExchangeFile(HWND owner, bool import, const std::string& current, std::string& chosen);

struct ExchangeWizardOptions {
    bool importMode = false;
    ExchangeKind kind = ExchangeKind::kPersons;
    std::string caption;  // the command's, e.g. "Export Tasks To Text File"
    EditorHelp help;
    ExchangeFileChooser chooseFile = ChooseExchangeFile;
};

// Runs the wizard modally over `owner`; true when the user finished it,
// with `settings` filled.
bool RunExchangeWizard(HWND owner, ExchangeSettings& settings, const ExchangeWizardOptions& options);

// A text file read whole; false when it cannot be opened or read. A
// spreadsheet that has the file open holds it for writing, so the file is
// opened sharing both reading and writing.
bool ReadExchangeFile(const std::string& path, std::string& bytes);
// The file's first line as the wizard shows it; false when the file cannot
// be opened or read.
bool ReadExchangeFirstLine(const std::string& path, std::string& line);
