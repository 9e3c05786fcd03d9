#include "AlarmSoundChooser.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "AlarmSoundSetting.h"

namespace {

const char kPathTooLong[] =
    "The path of this wave file is too long for Vantrel! to remember: an alarm sound's full path may have "
    "at most 256 characters. Choose a file whose path is shorter, or move this one to a folder with a "
    "shorter path.";
static_assert(kLongestAlarmSound == 256, "the message names the limit");

}  // namespace

bool ChooseWaveFile(HWND owner, const std::string& current, std::string& chosen) {
    for (;;) {
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
        // Stored, a longer path would not be read back, and the next run would
        // play the default sound without a word.
        if (std::strlen(file.data()) <= kLongestAlarmSound) {
            chosen = file.data();
            return true;
        }
        MessageBoxA(owner, kPathTooLong, "Alarm Sound", MB_OK | MB_ICONERROR);
    }
}
