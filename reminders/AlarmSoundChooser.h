// Choosing the alarm's wave file with the system's Open dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Offers the wave files, starting from `current`; on a pick `chosen` holds
// its full path. False when the user cancels. A file whose path is longer
// than the setting can read back (kLongestAlarmSound) is refused with a
// message, and the dialog opens again.
using AlarmSoundChooser =
    std::function<bool(HWND owner, const std::string& current, std::string& chosen)>;

bool ChooseWaveFile(HWND owner, const std::string& current, std::string& chosen);
