#include "EditorHelp.h"

#include "HelpLibrary.h"

bool ShowEditorHelp(const EditorHelp& help, const HELPINFO& request,
                    const std::vector<HelpTopic>& topics) {
    if (request.iContextType != HELPINFO_WINDOW) return false;
    DWORD topic = 0;
    for (const HelpTopic& entry : topics)
        if (entry.controlId == request.iCtrlId) topic = entry.topic;
    if (topic == 0) return false;
    if (!help.library) return true;
    const std::string file = help.directory + "\\" + help.fileName;
    // The pop-up command takes pairs of control id and topic number, ended
    // by a pair of zeros.
    const DWORD pairs[] = {static_cast<DWORD>(request.iCtrlId), topic, 0, 0};
    help.library->Show(static_cast<HWND>(request.hItemHandle), file.c_str(), kHelpPopupForRequest,
                       reinterpret_cast<DWORD_PTR>(pairs));
    return true;
}
