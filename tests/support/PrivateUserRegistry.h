// Gives this test process a registry of its own under HKEY_CURRENT_USER:
// while it lives, HKEY_CURRENT_USER is redirected to a fresh empty key, so
// tests that write the program's settings cannot meet test processes running
// beside them. The key is deleted afterwards.
#pragma once

#include <windows.h>

#include <string>

class PrivateUserRegistry {
public:
    PrivateUserRegistry();
    ~PrivateUserRegistry();
    PrivateUserRegistry(const PrivateUserRegistry&) = delete;
    PrivateUserRegistry& operator=(const PrivateUserRegistry&) = delete;

    bool Active() const { return key_ != nullptr; }

private:
    std::string path_;
    HKEY key_ = nullptr;
};
