// Choosing document files: the system's Open and Save As dialogs, behind an
// interface so that tests can answer in their place.
#pragma once

#include <windows.h>

#include <string>

class DocumentFileChooser {
public:
    virtual ~DocumentFileChooser() = default;
    // False when the user cancels.
    virtual bool ChooseFileToOpen(HWND owner, std::string& path) = 0;
    // Starts with `name` as the file name; false when the user cancels.
    virtual bool ChooseFileToSave(HWND owner, const std::string& name, std::string& path) = 0;
};

// The explorer-style, resizable system dialogs for ".pgr" files.
class SystemDocumentFileChooser : public DocumentFileChooser {
public:
    bool ChooseFileToOpen(HWND owner, std::string& path) override;
    bool ChooseFileToSave(HWND owner, const std::string& name, std::string& path) override;
};
