// Answers the message boxes a piece of code shows on this thread, and keeps
// what they said, so tests can assert on the text, caption, icon and buttons.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

struct CaughtMessageBox {
    std::string text;
    std::string caption;
    bool hasErrorIcon = false;
    bool hasWarningIcon = false;
    std::vector<int> buttons;  // the IDs of the buttons shown (IDYES, IDNO...), in order
};

class MessageBoxCatcher {
public:
    // Every box is answered with `answer` (IDOK, IDYES, IDNO, IDCANCEL...).
    explicit MessageBoxCatcher(int answer = IDOK);
    // The boxes are answered in turn; the last answer serves the rest.
    MessageBoxCatcher(std::initializer_list<int> answers);
    ~MessageBoxCatcher();

    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtMessageBox>& Boxes() const { return boxes_; }
    // The texts of the boxes shown, in order.
    std::vector<std::string> Texts() const;

    // What a message box shows; false when `window` is no message box.
    static bool Read(HWND window, CaughtMessageBox& caught);

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    void Answer(HWND box);

    HHOOK hook_ = nullptr;
    std::vector<int> answers_;
    std::vector<CaughtMessageBox> boxes_;
    std::vector<HWND> pending_;
    // Boxes met and not yet gone: a box activated again (another window
    // took the focus for a moment, as under load) is still one box.
    std::vector<HWND> met_;
};
