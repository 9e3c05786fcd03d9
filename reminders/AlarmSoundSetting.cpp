#include "AlarmSoundSetting.h"

#include <windows.h>

const char kProgramKey[] = "Software\\Brennix\\Vantrel!";
const char kAlarmSubkey[] = "Alarm";
const char kAlarmSoundValue[] = "AlarmSound";
const char kDefaultAlarmSound[] = "beep.wav";

namespace {

// Up to kLongestAlarmSound characters and the terminating zero.
const DWORD kSoundValueSize = kLongestAlarmSound + 1;

class Key {
public:
    Key() = default;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool Open(HKEY parent, const char* name) {
        return RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, &key_) == ERROR_SUCCESS;
    }
    bool Create(HKEY parent, const char* name) {
        return RegCreateKeyExA(parent, name, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                               nullptr) == ERROR_SUCCESS;
    }
    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
};

void WriteSound(HKEY alarm, const std::string& file) {
    // The value keeps its terminating zero.
    RegSetValueExA(alarm, kAlarmSoundValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                   static_cast<DWORD>(file.size() + 1));
}

void CreateWithDefault(HKEY parent, const char* name) {
    Key alarm;
    if (alarm.Create(parent, name)) WriteSound(alarm.Handle(), kDefaultAlarmSound);
}

}  // namespace

bool LoadAlarmSound(std::string& file) {
    Key program;
    if (!program.Open(HKEY_CURRENT_USER, kProgramKey)) {
        if (program.Create(HKEY_CURRENT_USER, kProgramKey))
            CreateWithDefault(program.Handle(), kAlarmSubkey);
        return false;
    }
    Key alarm;
    if (!alarm.Open(program.Handle(), kAlarmSubkey)) {
        CreateWithDefault(program.Handle(), kAlarmSubkey);
        return false;
    }
    // The whole 257 bytes are offered to the read: a 256-character path
    // stored with its zero fits. The byte past them is room for a zero the
    // value may lack.
    char value[kSoundValueSize + 1] = {};
    DWORD type = 0;
    DWORD size = kSoundValueSize;
    if (RegQueryValueExA(alarm.Handle(), kAlarmSoundValue, nullptr, &type,
                         reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    value[size < kSoundValueSize ? size : kSoundValueSize] = '\0';
    file = value;
    return true;
}

void StoreAlarmSound(const std::string& file) {
    Key program;
    if (!program.Create(HKEY_CURRENT_USER, kProgramKey)) return;
    Key alarm;
    if (!alarm.Create(program.Handle(), kAlarmSubkey)) return;
    WriteSound(alarm.Handle(), file);
}
