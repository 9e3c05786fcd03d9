#include "AlarmSoundChooser.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

bool ChooseWaveFile(HWND owner, const std::string& current, std::string& chosen) {
    // Room for a long path; the current file is the starting name.
    std::vector<char> file(32768, '\0');
    current.copy(file.data(), std::min(current.size(), file.size() - 1));
    static const char kFilter[] = "Wave Files (*.wav)\0*.wav\0";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = "wav";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog)) return false;
    chosen = file.data();
    return true;
}
