#include "FormatFile.h"

#include <commdlg.h>

#include "ExchangeWizard.h"
#include "HelpLibrary.h"

namespace {

const UINT kDisplayTopic = 0;

// What the dialog's hook needs to open the help page.
struct HelpRequest {
    const EditorHelp* help;
    const char* page;
};

// The file dialog's hook: only its Help button is ours.
UINT_PTR CALLBACK FileDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* settings = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        SetWindowLongPtrA(dialog, GWLP_USERDATA, static_cast<LONG_PTR>(settings->lCustData));
        return 0;
    }
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_HELP) {
        const auto* request = reinterpret_cast<const HelpRequest*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        if (request && request->help->library) {
            const EditorHelp& help = *request->help;
            const std::string topic = help.directory + "\\" + help.fileName + request->page;
            help.library->Show(GetParent(dialog), topic.c_str(), kDisplayTopic, 0);
        }
        return 1;
    }
    return 0;
}

}  // namespace

bool ChooseFormatFile(HWND owner, bool save, const FormatFileDialog& format, const EditorHelp& help,
                      std::string& path) {
    char file[MAX_PATH] = {};
    if (save) lstrcpynA(file, format.saveName, MAX_PATH);
    const HelpRequest request{&help, format.helpPage};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = format.filter;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = format.extension;
    dialog.lpstrTitle = save ? format.saveTitle : format.openTitle;
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_SHOWHELP |
                   OFN_ENABLEHOOK | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    dialog.lpfnHook = FileDialogHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(&request);
    const BOOL picked = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!picked) return false;
    path = file;
    return true;
}

bool ReadFormatFile(HWND frame, const std::string& path, const char* caption, std::string& bytes) {
    if (ReadExchangeFile(path, bytes)) return true;
    const std::string message = "Unable to read " + path + ". Nothing was imported.";
    MessageBoxA(frame, message.c_str(), caption, MB_OK | MB_ICONERROR);
    return false;
}

void WriteFormatFile(HWND frame, const std::string& path, const char* caption,
                     const std::function<bool(const FilePieceWriter& write)>& produce) {
    if (ReplaceDocumentFileInPieces(path, produce)) return;
    const std::string message =
        "Unable to write " + path + ". Nothing was exported, and a file of that name was left as it was.";
    MessageBoxA(frame, message.c_str(), caption, MB_OK | MB_ICONERROR);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
