// What the contact panel's buttons do: a phone number is passed to the
// system's telephony request service, which asks the user's dialer to place
// the call; an e-mail address and a web page are opened by the shell. Every
// failure is told in a message box owned by the day view.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// tapiRequestMakeCallA: destination, application name, called party, comment.
using MakeCallEntry = LONG(WINAPI*)(LPCSTR destination, LPCSTR application, LPCSTR calledParty,
                                    LPCSTR comment);

// Loads TAPI32.DLL and returns its tapiRequestMakeCallA; null when the
// library or the function is missing.
MakeCallEntry LoadMakeCallEntry();

class Telephony {
public:
    using Loader = std::function<MakeCallEntry()>;

    explicit Telephony(Loader loader = LoadMakeCallEntry) : loader_(std::move(loader)) {}

    // Requests a call to `number` and tells the user, in a "Calling Error"
    // box owned by `owner`, when the request fails. The library is looked
    // for on the first call only; its absence is remembered.
    void Dial(HWND owner, const std::string& number);

private:
    Loader loader_;
    bool attempted_ = false;
    MakeCallEntry entry_ = nullptr;
};

// Asks the shell to open `target` ("open", no parameters, normal window);
// returns the shell's result (above 32 is success).
using ShellOpener = std::function<INT_PTR(HWND owner, const std::string& target)>;
INT_PTR ShellOpen(HWND owner, const std::string& target);

// Opens a new message to `address` with the mail handler; tells the user
// when that fails.
void OpenMailTo(HWND owner, const std::string& address, const ShellOpener& open = ShellOpen);
// Opens `page` in the browser; tells the user when that fails.
void OpenWebPage(HWND owner, const std::string& page, const ShellOpener& open = ShellOpen);
