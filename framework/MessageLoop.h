// The program's message loop: idle processing while the queue is empty, a
// chain of key handlers that see each message before it is translated and
// dispatched, and a retry when a message cannot be retrieved.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Sees every message before translation; returns true when it consumed it.
class KeyHandler {
public:
    virtual ~KeyHandler() = default;
    virtual bool PreTranslate(MSG& message) = 0;
};

// Accelerator table of a window, applied before any other key handling.
class AcceleratorKeys : public KeyHandler {
public:
    AcceleratorKeys(HWND target, HACCEL table) : target_(target), table_(table) {}
    bool PreTranslate(MSG& message) override;

private:
    HWND target_;
    HACCEL table_;
};

// Tab and arrow navigation of a modeless dialog (the form may come later or
// go away, so it is asked for each time).
class DialogNavigationKeys : public KeyHandler {
public:
    explicit DialogNavigationKeys(std::function<HWND()> dialog) : dialog_(std::move(dialog)) {}
    bool PreTranslate(MSG& message) override;

private:
    std::function<HWND()> dialog_;
};

// Whether a message makes idle processing due again. Paint, mouse moves and
// the caret's system timer arrive all the time without changing any state.
bool MessageMakesIdleDue(UINT message);

class MessageLoop {
public:
    using IdleHandler = std::function<void()>;

    // Handlers are consulted in the order they were added. The loop does not
    // own them.
    void AddKeyHandler(KeyHandler* handler);
    void RemoveKeyHandler(KeyHandler* handler);

    // Returns an id for RemoveIdleHandler.
    int AddIdleHandler(IdleHandler handler);
    void RemoveIdleHandler(int id);

    // Runs until WM_QUIT; returns its exit code.
    int Run();

    // Processes the messages waiting now, then runs the idle handlers if
    // idle is due; never waits. Returns false when WM_QUIT was taken (its
    // code is then QuitCode(), and the loop will not run further).
    bool PumpPending();
    int QuitCode() const { return quitCode_; }

    bool IsIdleDue() const { return idleDue_; }
    void RunIdleHandlers();

    // Offers the message to the key handlers, then translates and
    // dispatches it; updates whether idle is due.
    void Process(MSG& message);

private:
    struct IdleEntry {
        int id;
        IdleHandler handler;
    };

    std::vector<KeyHandler*> keyHandlers_;
    std::vector<IdleEntry> idleHandlers_;
    int nextIdleId_ = 1;
    bool idleDue_ = true;
    int quitCode_ = 0;
};
