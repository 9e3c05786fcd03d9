// The alarm's wave file as kept in the registry: the string value
// "AlarmSound" of HKEY_CURRENT_USER\Software\Brennix\Vantrel!\Alarm.
#pragma once

#include <cstddef>
#include <string>

extern const char kProgramKey[];      // Software\Brennix\Vantrel!
extern const char kAlarmSubkey[];     // Alarm
extern const char kAlarmSoundValue[];  // AlarmSound
// The sound that rings when nothing else was chosen; found by the sound
// service in its usual places, the program's folder first.
extern const char kDefaultAlarmSound[];  // beep.wav

// The longest path the setting reads back, in characters of the ANSI code
// page. A longer one would be stored but not read: the next run would play
// the default sound instead.
constexpr size_t kLongestAlarmSound = 256;

// Reads the stored sound, a path of up to kLongestAlarmSound characters,
// into `file`. A missing program key or subkey is created with the default
// sound written into it, and the read counts as failed, as does a missing
// value; `file` is then left alone.
bool LoadAlarmSound(std::string& file);

// Stores `file`, creating the keys as needed. Failures are ignored: the
// choice then lasts only for this run.
void StoreAlarmSound(const std::string& file);
