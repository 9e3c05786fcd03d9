#include "MessageLoop.h"

#include <algorithm>

namespace {
const UINT kSystemTimerMessage = 0x0118;  // WM_SYSTIMER: the caret's blink
}

bool AcceleratorKeys::PreTranslate(MSG& message) {
    if (!target_ || !table_) return false;
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    return TranslateAcceleratorA(target_, table_, &message) != 0;
}

bool DialogNavigationKeys::PreTranslate(MSG& message) {
    HWND dialog = dialog_ ? dialog_() : nullptr;
    if (!dialog || !IsWindow(dialog)) return false;
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    return IsDialogMessageA(dialog, &message) != 0;
}

bool MessageMakesIdleDue(UINT message) {
    switch (message) {
    case WM_PAINT:
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE:
    case kSystemTimerMessage:
        return false;
    }
    return true;
}

void MessageLoop::AddKeyHandler(KeyHandler* handler) { keyHandlers_.push_back(handler); }

void MessageLoop::RemoveKeyHandler(KeyHandler* handler) {
    keyHandlers_.erase(std::remove(keyHandlers_.begin(), keyHandlers_.end(), handler),
                       keyHandlers_.end());
}

int MessageLoop::AddIdleHandler(IdleHandler handler) {
    idleHandlers_.push_back({nextIdleId_, std::move(handler)});
    return nextIdleId_++;
}

void MessageLoop::RemoveIdleHandler(int id) {
    idleHandlers_.erase(std::remove_if(idleHandlers_.begin(), idleHandlers_.end(),
                                       [id](const IdleEntry& entry) { return entry.id == id; }),
                        idleHandlers_.end());
}

void MessageLoop::RunIdleHandlers() {
    idleDue_ = false;
    // A handler may add or remove handlers: run over a copy.
    const std::vector<IdleEntry> handlers = idleHandlers_;
    for (const IdleEntry& entry : handlers) {
        try {
            entry.handler();
        } catch (...) {
            // One failing update must not end the program's loop.
        }
    }
}

void MessageLoop::Process(MSG& message) {
    bool consumed = false;
    for (KeyHandler* handler : std::vector<KeyHandler*>(keyHandlers_)) {
        if (handler->PreTranslate(message)) {
            consumed = true;
            break;
        }
    }
    if (!consumed) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (MessageMakesIdleDue(message.message)) idleDue_ = true;
}

int MessageLoop::Run() {
    MSG message;
    for (;;) {
        while (idleDue_ && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE))
            RunIdleHandlers();
        const BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == -1) continue;  // retrieval failed: try again
        if (result == 0) {
            quitCode_ = static_cast<int>(message.wParam);
            return quitCode_;
        }
        Process(message);
    }
}

bool MessageLoop::PumpPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitCode_ = static_cast<int>(message.wParam);
            return false;
        }
        Process(message);
    }
    if (idleDue_) RunIdleHandlers();
    return true;
}
