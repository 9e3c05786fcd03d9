// The contact panel's actions: dialling through a stand-in telephony entry
// (Wine's own accepts everything), opening mail and web targets through a
// stand-in shell, and, end to end, through the real shell with url_recorder
// registered as the handler of the URL schemes.
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "ContactActions.h"
#include "MessageBoxCatcher.h"

namespace {

const char kUnknownDialError[] = "Unknown error. The call could not be placed.";

// Records the owner of every dialog box created on this thread while alive;
// runs before the MessageBoxCatcher's hook, which it passes on to.
class BoxOwners {
public:
    BoxOwners() {
        active_ = this;
        hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    }
    ~BoxOwners() {
        UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    std::vector<HWND> owners;

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && active_) {
            char className[32] = "";
            GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
            if (lstrcmpA(className, "#32770") == 0)
                active_->owners.push_back(reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->hwndParent);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static BoxOwners* active_;
    HHOOK hook_ = nullptr;
};
BoxOwners* BoxOwners::active_ = nullptr;

// The stand-in for tapiRequestMakeCallA: keeps what it was asked and answers
// with `result`.
struct DialRequest {
    std::string destination;
    bool applicationNull, calledPartyNull, commentNull;
};
struct FakeTelephony {
    static LONG result;
    static std::vector<DialRequest> requests;
    static LONG WINAPI MakeCall(LPCSTR destination, LPCSTR application, LPCSTR calledParty,
                                LPCSTR comment) {
        requests.push_back({destination ? destination : "(null)", application == nullptr,
                            calledParty == nullptr, comment == nullptr});
        return result;
    }
};
LONG FakeTelephony::result = 0;
std::vector<DialRequest> FakeTelephony::requests;

class ContactActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        FakeTelephony::result = 0;
        FakeTelephony::requests.clear();
    }
    void TearDown() override { DestroyWindow(owner_); }

    // A telephony whose loader counts its calls and hands out `entry`.
    Telephony CountingTelephony(MakeCallEntry entry) {
        return Telephony([this, entry] {
            ++loads_;
            return entry;
        });
    }

    // Expects exactly one error box with `text` and `caption`, owned by the
    // test's window.
    void ExpectOneErrorBox(const MessageBoxCatcher& boxes, const BoxOwners& owners,
                           const std::string& text, const std::string& caption) {
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, text);
        EXPECT_EQ(boxes.Boxes()[0].caption, caption);
        EXPECT_TRUE(boxes.Boxes()[0].hasErrorIcon);
        EXPECT_EQ(boxes.Boxes()[0].buttons, std::vector<int>{IDOK});
        ASSERT_EQ(owners.owners.size(), 1u);
        EXPECT_EQ(owners.owners[0], owner_);
    }

    HWND owner_ = nullptr;
    int loads_ = 0;
};

using ContactActionsDial = ContactActionsTest;

TEST_F(ContactActionsDial, AnAcceptedRequestPassesTheNumberAloneAndShowsNothing) {
    MessageBoxCatcher boxes;
    Telephony telephony = CountingTelephony(FakeTelephony::MakeCall);
    telephony.Dial(owner_, "555-1234");
    const std::string longNumber(5000, '7');
    telephony.Dial(owner_, longNumber);

    ASSERT_EQ(FakeTelephony::requests.size(), 2u);
    EXPECT_EQ(FakeTelephony::requests[0].destination, "555-1234");
    EXPECT_TRUE(FakeTelephony::requests[0].applicationNull);
    EXPECT_TRUE(FakeTelephony::requests[0].calledPartyNull);
    EXPECT_TRUE(FakeTelephony::requests[0].commentNull);
    EXPECT_EQ(FakeTelephony::requests[1].destination, longNumber);
    EXPECT_EQ(loads_, 1);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ContactActionsDial, EachRefusalIsToldInACallingErrorBox) {
    const struct {
        LONG result;
        const char* text;
    } cases[] = {
        {-4, "The number you have tried to dial is not valid. Please correct it and try again."},
        {-3, "Your calling queue is full. Please try again later"},
        {-2, "There is no phone dialer active on your computer. Ifyou have not done so, please "
             "install the phone dialer applet from Windows Setup"},
        {-1, kUnknownDialError},
        {-5, kUnknownDialError},
        {1, kUnknownDialError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        FakeTelephony::result = c.result;
        MessageBoxCatcher boxes;
        BoxOwners owners;
        Telephony telephony = CountingTelephony(FakeTelephony::MakeCall);
        telephony.Dial(owner_, "555-0100");
        ExpectOneErrorBox(boxes, owners, c.text, "Calling Error");
    }
}

TEST_F(ContactActionsDial, WithoutTheLibraryEveryAttemptFailsAndTheLibraryIsSoughtOnce) {
    MessageBoxCatcher boxes;
    Telephony telephony = CountingTelephony(nullptr);
    for (int attempt = 0; attempt < 3; ++attempt) telephony.Dial(owner_, "555-1234");

    EXPECT_EQ(loads_, 1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(3, kUnknownDialError));
    for (const CaughtMessageBox& box : boxes.Boxes()) {
        EXPECT_EQ(box.caption, "Calling Error");
        EXPECT_TRUE(box.hasErrorIcon);
    }
}

TEST_F(ContactActionsDial, WinesTelephonyLibraryIsFoundAndStaysLoaded) {
    const MakeCallEntry entry = LoadMakeCallEntry();
    ASSERT_NE(entry, nullptr);
    HMODULE library = GetModuleHandleA("tapi32.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(entry),
              reinterpret_cast<void*>(GetProcAddress(library, "tapiRequestMakeCallA")));
}

// --- Opening mail and web targets through a stand-in shell -------------------

class ContactActionsOpen : public ContactActionsTest {
protected:
    // A shell that records its targets and answers with `result_`.
    ShellOpener RecordingShell() {
        return [this](HWND owner, const std::string& target) {
            EXPECT_EQ(owner, owner_);
            targets_.push_back(target);
            return result_;
        };
    }
    INT_PTR result_ = 42;
    std::vector<std::string> targets_;
};

TEST_F(ContactActionsOpen, MailGoesToTheMailtoTargetOfTheAddress) {
    MessageBoxCatcher boxes;
    OpenMailTo(owner_, "a@b.example", RecordingShell());
    const std::string longAddress = std::string(10000, 'x') + "@long.example";
    OpenMailTo(owner_, longAddress, RecordingShell());

    EXPECT_EQ(targets_, (std::vector<std::string>{"mailto:a@b.example", "mailto:" + longAddress}));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ContactActionsOpen, PagesGetTheHttpPrefixUnlessTheyCarryAnHttpScheme) {
    const struct {
        const char* page;
        const char* target;
    } cases[] = {
        {"www.example.com", "http://www.example.com"},
        {"example.com/path?q=1", "http://example.com/path?q=1"},
        {"https://secure.example.com", "https://secure.example.com"},
        {"http://plain.example", "http://plain.example"},
        {"HTTP://X.example", "HTTP://X.example"},
        {"HttpS://Mixed.example", "HttpS://Mixed.example"},
        // Other schemes and look-alikes are not the browser's: prefixed.
        {"ftp://files.example", "http://ftp://files.example"},
        {"http:/one.example", "http://http:/one.example"},
        {"https", "http://https"},
        {"", "http://"},
    };
    MessageBoxCatcher boxes;
    for (const auto& c : cases) OpenWebPage(owner_, c.page, RecordingShell());

    ASSERT_EQ(targets_.size(), std::size(cases));
    for (size_t i = 0; i < targets_.size(); ++i) EXPECT_EQ(targets_[i], cases[i].target) << cases[i].page;
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ContactActionsOpen, AShellResultUpTo32IsToldAndAboveIsSuccess) {
    const struct {
        INT_PTR result;
        bool fails;
    } cases[] = {{2, true}, {0, true}, {32, true}, {33, false}, {42, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        result_ = c.result;
        {
            MessageBoxCatcher boxes;
            BoxOwners owners;
            OpenMailTo(owner_, "a@b.example", RecordingShell());
            if (c.fails)
                ExpectOneErrorBox(boxes, owners, "Error opening E-mail client", "E-Mail Error");
            else
                EXPECT_TRUE(boxes.Boxes().empty());
        }
        {
            MessageBoxCatcher boxes;
            BoxOwners owners;
            OpenWebPage(owner_, "www.example.com", RecordingShell());
            if (c.fails)
                ExpectOneErrorBox(boxes, owners, "Error opening web browser", "Web Browser Error");
            else
                EXPECT_TRUE(boxes.Boxes().empty());
        }
    }
}

// --- End to end: the real shell hands the target to url_recorder ------------

// Points HKCR\<scheme>\shell\open\command at a command for as long as it
// lives, then puts back what was there.
class SchemeHandler {
public:
    SchemeHandler(const std::string& scheme, const std::string& command)
        : key_(scheme + "\\shell\\open\\command") {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
            char value[2048] = "";
            DWORD size = sizeof value;
            DWORD type = 0;
            if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                                 &size) == ERROR_SUCCESS) {
                hadValue_ = true;
                type_ = type;
                previous_.assign(value, size);
            }
            RegCloseKey(key);
        }
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return;
        set_ = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                              static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~SchemeHandler() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        if (hadValue_)
            RegSetValueExA(key, nullptr, 0, type_, reinterpret_cast<const BYTE*>(previous_.data()),
                           static_cast<DWORD>(previous_.size()));
        else
            RegDeleteValueA(key, nullptr);
        RegCloseKey(key);
    }
    bool IsSet() const { return set_; }

private:
    std::string key_;
    bool set_ = false;
    bool hadValue_ = false;
    DWORD type_ = REG_SZ;
    std::string previous_;
};

class ContactActionsShell : public ContactActionsTest {
protected:
    void SetUp() override {
        ContactActionsTest::SetUp();
        char module[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, module, MAX_PATH);
        recorder_ = module;
        recorder_.erase(recorder_.find_last_of("\\/") + 1);
        recorder_ += "url_recorder.exe";
        ASSERT_NE(GetFileAttributesA(recorder_.c_str()), INVALID_FILE_ATTRIBUTES) << recorder_;
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        output_ = std::string(temp) + "vantrel-url-" + std::to_string(GetCurrentProcessId()) + ".txt";
        DeleteFileA(output_.c_str());
    }
    void TearDown() override {
        DeleteFileA(output_.c_str());
        DeleteFileA((output_ + ".part").c_str());
        ContactActionsTest::TearDown();
    }

    // The real shell, keeping its answer for the failure messages.
    ShellOpener RealShell() {
        return [this](HWND owner, const std::string& target) {
            return shellResult_ = ShellOpen(owner, target);
        };
    }

    std::string RecorderCommand() const {
        return "\"" + recorder_ + "\" \"" + output_ + "\" \"%1\"";
    }

    // What url_recorder wrote, once it has; "" after ten seconds without.
    std::string Recorded() const {
        for (int waited = 0; waited < 10000; waited += 50) {
            HANDLE file = CreateFileA(output_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                std::string text(GetFileSize(file, nullptr), '\0');
                DWORD read = 0;
                ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
                CloseHandle(file);
                text.resize(read);
                return text;
            }
            Sleep(50);
        }
        return "";
    }

    std::string recorder_;
    std::string output_;
    INT_PTR shellResult_ = -1;
};

TEST_F(ContactActionsShell, TheBrowserReceivesThePrefixedPage) {
    SchemeHandler handler("http", RecorderCommand());
    ASSERT_TRUE(handler.IsSet());
    MessageBoxCatcher boxes;
    OpenWebPage(owner_, "www.example.com/path?q=1&r=2", RealShell());
    EXPECT_EQ(Recorded(), "http://www.example.com/path?q=1&r=2\r\n") << "shell: " << shellResult_;
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

TEST_F(ContactActionsShell, TheBrowserReceivesAnHttpsPageUnchanged) {
    SchemeHandler handler("https", RecorderCommand());
    ASSERT_TRUE(handler.IsSet());
    MessageBoxCatcher boxes;
    OpenWebPage(owner_, "https://secure.example.com/login", RealShell());
    EXPECT_EQ(Recorded(), "https://secure.example.com/login\r\n") << "shell: " << shellResult_;
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

TEST_F(ContactActionsShell, TheMailProgramReceivesTheMailtoTarget) {
    SchemeHandler handler("mailto", RecorderCommand());
    ASSERT_TRUE(handler.IsSet());
    MessageBoxCatcher boxes;
    OpenMailTo(owner_, "someone@mail.example", RealShell());
    EXPECT_EQ(Recorded(), "mailto:someone@mail.example\r\n") << "shell: " << shellResult_;
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

}  // namespace
