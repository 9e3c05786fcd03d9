#include "ContactActions.h"

#include <shellapi.h>

#include <cstring>

namespace {

// Telephony request results (tapi.h): no dialer is running, the dialer's
// queue is full, the number was refused.
constexpr LONG kNoRequestRecipient = -2;
constexpr LONG kRequestQueueFull = -3;
constexpr LONG kInvalidDestAddress = -4;

// Also what the user is told when there is no telephony library at all.
const char* const kUnknownDialFailure = "Unknown error. The call could not be placed.";

const char* DialFailureText(LONG result) {
    switch (result) {
    case kInvalidDestAddress:
        return "The number you have tried to dial is not valid. Please correct it and try again.";
    case kRequestQueueFull:
        return "Your calling queue is full. Please try again later";
    case kNoRequestRecipient:
        return "There is no phone dialer active on your computer. Ifyou have not done so, please "
               "install the phone dialer applet from Windows Setup";
    default:
        return kUnknownDialFailure;
    }
}

// Shell results up to 32 are errors.
constexpr INT_PTR kLastShellError = 32;

void OpenOrComplain(HWND owner, const std::string& target, const ShellOpener& open,
                    const char* complaint, const char* title) {
    if (open(owner, target) <= kLastShellError)
        MessageBoxA(owner, complaint, title, MB_ICONERROR | MB_OK);
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    const size_t length = std::strlen(prefix);
    if (text.size() < length) return false;
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.data(), static_cast<int>(length),
                          prefix, static_cast<int>(length)) == CSTR_EQUAL;
}

}  // namespace

MakeCallEntry LoadMakeCallEntry() {
    // Kept loaded for the rest of the run: the entry is called again later.
    HMODULE library = LoadLibraryA("TAPI32.DLL");
    if (!library) return nullptr;
    FARPROC entry = GetProcAddress(library, "tapiRequestMakeCallA");
    if (!entry) {
        FreeLibrary(library);
        return nullptr;
    }
    return reinterpret_cast<MakeCallEntry>(reinterpret_cast<void*>(entry));
}

void Telephony::Dial(HWND owner, const std::string& number) {
    if (!attempted_) {
        attempted_ = true;
        if (loader_) entry_ = loader_();
    }
    const char* failure = nullptr;
    if (!entry_) {
        failure = kUnknownDialFailure;
    } else {
        const LONG result = entry_(number.c_str(), nullptr, nullptr, nullptr);
        if (result != 0) failure = DialFailureText(result);
    }
    if (failure) MessageBoxA(owner, failure, "Calling Error", MB_ICONERROR | MB_OK);
}

INT_PTR ShellOpen(HWND owner, const std::string& target) {
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

void OpenMailTo(HWND owner, const std::string& address, const ShellOpener& open) {
    OpenOrComplain(owner, "mailto:" + address, open, "Error opening E-mail client", "E-Mail Error");
}

void OpenWebPage(HWND owner, const std::string& page, const ShellOpener& open) {
    // A page stored with its own scheme is opened as it is: "http://https://..."
    // would lead nowhere.
    const bool hasScheme = StartsWithNoCase(page, "http://") || StartsWithNoCase(page, "https://");
    OpenOrComplain(owner, hasScheme ? page : "http://" + page, open, "Error opening web browser",
                   "Web Browser Error");
}
