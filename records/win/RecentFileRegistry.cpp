#include "RecentFileRegistry.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

const char kRecentDocumentListKey[] = "Software\\Brennix\\Vantrel!\\Recent Document List";

namespace {

const char kCountValue[] = "DocumentCount";

std::string EntryValueName(size_t number) {
    char name[32];
    std::snprintf(name, sizeof name, "Document%u", static_cast<unsigned>(number));
    return name;
}

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool Open(REGSAM access) {
        return RegOpenKeyExA(HKEY_CURRENT_USER, kRecentDocumentListKey, 0, access, &key_) ==
               ERROR_SUCCESS;
    }
    bool Create() {
        return RegCreateKeyExA(HKEY_CURRENT_USER, kRecentDocumentListKey, 0, nullptr, 0,
                               KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) == ERROR_SUCCESS;
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool ReadString(HKEY key, const std::string& name, std::string& value) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    std::string text(size + 1, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&text[0]),
                         &size) != ERROR_SUCCESS)
        return false;
    // The stored text may or may not carry its terminating zero.
    text.resize(std::min<size_t>(size, text.size()));
    const size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    value = text;
    return true;
}

}  // namespace

bool SameFilePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

void LoadRecentFiles(RecentFileList& list) {
    RegistryKey key;
    if (!key.Open(KEY_READ)) return;
    DWORD type = 0;
    DWORD count = 0;
    DWORD size = sizeof count;
    if (RegQueryValueExA(key.Get(), kCountValue, nullptr, &type, reinterpret_cast<BYTE*>(&count),
                         &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof count)
        list.SetMaximum(count);
    for (size_t number = list.Maximum(); number >= 1; --number) {
        std::string path;
        if (ReadString(key.Get(), EntryValueName(number), path) && !path.empty()) list.Add(path);
    }
}

bool SaveRecentFiles(const RecentFileList& list) {
    RegistryKey key;
    if (!key.Create()) return false;
    bool saved = true;
    const DWORD count = static_cast<DWORD>(list.Maximum());
    saved &= RegSetValueExA(key.Get(), kCountValue, 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&count), sizeof count) == ERROR_SUCCESS;
    const std::vector<std::string>& entries = list.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& path = entries[i];
        saved &= RegSetValueExA(key.Get(), EntryValueName(i + 1).c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(path.c_str()),
                                static_cast<DWORD>(path.size() + 1)) == ERROR_SUCCESS;
    }
    for (size_t number = entries.size() + 1; number <= RecentFileList::kLargestMaximum; ++number)
        RegDeleteValueA(key.Get(), EntryValueName(number).c_str());
    return saved;
}
