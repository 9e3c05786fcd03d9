// Enabled and checked states of commands, applied to menus and toolbars from
// one lookup (the frame's pure function of its state).
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

using CommandStateLookup = std::function<CommandState(UINT id)>;

// Every command item of `menu` and of its popups, at any depth. Items whose
// state already matches are not touched, so nothing flickers.
void ApplyCommandStatesToMenu(HMENU menu, const CommandStateLookup& lookup);

// Every button of `toolbar` except separators, likewise.
void ApplyCommandStatesToToolbar(HWND toolbar, const CommandStateLookup& lookup);

// The toolbars and menus kept current at idle time.
class CommandStateTargets {
public:
    void AddToolbar(HWND toolbar) { toolbars_.push_back(toolbar); }
    void AddMenu(HMENU menu) { menus_.push_back(menu); }
    void Apply(const CommandStateLookup& lookup) const;

private:
    std::vector<HWND> toolbars_;
    std::vector<HMENU> menus_;
};
