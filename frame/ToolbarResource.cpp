#include "ToolbarResource.h"

#include "Window.h"
#include "resource.h"

bool ParseToolbarButtons(const WORD* words, size_t wordCount, std::vector<UINT>& buttons) {
    const size_t kHeaderWords = 4;
    if (!words || wordCount < kHeaderWords || words[0] != TOOLBAR_DATA_VERSION) return false;
    const size_t count = words[3];
    if (wordCount < kHeaderWords + count) return false;
    buttons.assign(words + kHeaderWords, words + kHeaderWords + count);
    return true;
}

bool LoadToolbarButtons(UINT id, std::vector<UINT>& buttons) {
    HINSTANCE module = ModuleInstance();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id),
                                MAKEINTRESOURCEA(RESOURCE_TYPE_TOOLBAR));
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    return ParseToolbarButtons(static_cast<const WORD*>(data),
                               SizeofResource(module, found) / sizeof(WORD), buttons);
}
