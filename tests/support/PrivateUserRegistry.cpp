#include "PrivateUserRegistry.h"

PrivateUserRegistry::PrivateUserRegistry()
    : path_("Software\\Vantrel Tests\\" + std::to_string(GetCurrentProcessId())) {
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr) != ERROR_SUCCESS) {
        key_ = nullptr;
        return;
    }
    if (RegOverridePredefKey(HKEY_CURRENT_USER, key_) != ERROR_SUCCESS) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

PrivateUserRegistry::~PrivateUserRegistry() {
    if (!key_) return;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
}
