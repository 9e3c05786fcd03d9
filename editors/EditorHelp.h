// The editors' help: F1 on a control shows a short text from the help file in
// a pop-up beside it, chosen by the control's topic number.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class HelpLibrary;

// Where the pop-up texts come from: the help file `fileName` in `directory`,
// through `library`. Without a library help does nothing.
struct EditorHelp {
    HelpLibrary* library = nullptr;
    std::string directory;
    std::string fileName;
};

struct HelpTopic {
    int controlId;
    DWORD topic;
};

// HTML Help's command that shows the pop-up text of a help request.
const UINT kHelpPopupForRequest = 0x0011;  // HH_TP_HELP_WM_HELP

// Answers a help request (WM_HELP) for a control: when `topics` lists it,
// HTML Help shows the topic's text for the control from the file
// "<directory>\<fileName>". Returns whether the control has a topic.
bool ShowEditorHelp(const EditorHelp& help, const HELPINFO& request,
                    const std::vector<HelpTopic>& topics);
