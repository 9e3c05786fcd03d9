#include "DocumentFileDialogs.h"

#include <commdlg.h>

#include <cstring>

namespace {

const char kFilter[] = "Vantrel Files (*.pgr)\0*.pgr\0All Files (*.*)\0*.*\0";

OPENFILENAMEA DialogSettings(HWND owner, char* path) {
    OPENFILENAMEA settings = {};
    settings.lStructSize = sizeof settings;
    settings.hwndOwner = owner;
    settings.lpstrFilter = kFilter;
    settings.lpstrFile = path;
    settings.nMaxFile = MAX_PATH;
    settings.lpstrDefExt = "pgr";
    settings.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    return settings;
}

}  // namespace

bool SystemDocumentFileChooser::ChooseFileToOpen(HWND owner, std::string& path) {
    char chosen[MAX_PATH] = "";
    OPENFILENAMEA settings = DialogSettings(owner, chosen);
    settings.Flags |= OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&settings)) return false;
    path = chosen;
    return true;
}

bool SystemDocumentFileChooser::ChooseFileToSave(HWND owner, const std::string& name,
                                                 std::string& path) {
    char chosen[MAX_PATH] = "";
    std::strncpy(chosen, name.c_str(), MAX_PATH - 1);
    OPENFILENAMEA settings = DialogSettings(owner, chosen);
    settings.Flags |= OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(&settings)) return false;
    path = chosen;
    return true;
}
