// Answers the message boxes a piece of code shows on this thread, and keeps
// what they said, so tests can assert on the text, caption and icon.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct CaughtMessageBox {
    std::string text;
    std::string caption;
    bool hasErrorIcon = false;
};

class MessageBoxCatcher {
public:
    // Every box is answered with `answer` (IDOK, IDYES, IDNO, IDCANCEL...).
    explicit MessageBoxCatcher(int answer = IDOK);
    ~MessageBoxCatcher();

    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtMessageBox>& Boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    void Answer(HWND box);

    HHOOK hook_ = nullptr;
    int answer_;
    std::vector<CaughtMessageBox> boxes_;
    std::vector<HWND> pending_;
};
