// Choosing the alarm's wave file with the system's Open dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Offers the wave files, starting from `current`; on a pick `chosen` holds
// its full path. False when the user cancels.
using AlarmSoundChooser =
    std::function<bool(HWND owner, const std::string& current, std::string& chosen)>;

bool ChooseWaveFile(HWND owner, const std::string& current, std::string& chosen);
