#include "DocumentLife.h"

#include "Compact.h"
#include "DocumentFile.h"
#include "DocumentFileDialogs.h"
#include "DocumentFiles.h"
#include "DocumentLoadMessages.h"
#include "PimDocument.h"
#include "RecentFileList.h"
#include "RecentFileRegistry.h"

namespace {

const char kApplicationName[] = "Vantrel!";
const char kUntitled[] = "Untitled";

// Shows the wait cursor while a file is read or written.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)))) {}  // IDC_WAIT
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace

DocumentLife::DocumentLife(PimDocument& document, RecentFileList& recentFiles,
                           DocumentFileChooser& chooser)
    : document_(document), recentFiles_(recentFiles), chooser_(chooser) {}

std::string DocumentLife::DocumentName() const {
    return document_.Path().empty() ? kUntitled : document_.Path();
}

void DocumentLife::SetTitle(const std::string& name) {
    if (frame_) SetWindowTextA(frame_, (std::string(kApplicationName) + " [" + name + "]").c_str());
}

int DocumentLife::ShowMessage(const std::string& text, const char* caption, UINT style) {
    return MessageBoxA(frame_, text.c_str(), caption, style);
}

bool DocumentLife::AskToSave(const char* caption) {
    if (!document_.IsModified()) return true;
    switch (ShowMessage("Save changes to " + DocumentName() + "?", caption,
                        MB_YESNOCANCEL | MB_ICONWARNING)) {
        case IDNO: return true;
        case IDYES: break;
        default: return false;
    }
    switch (SaveDocument()) {
        case Outcome::kSucceeded: return true;
        case Outcome::kFailed:
            // The command that asked does not go on; the user learns why.
            ShowMessage("Unable to write file!", "Vantrel", MB_OK | MB_ICONERROR);
            return false;
        default: return false;
    }
}

void DocumentLife::New() {
    if (!AskToSave("Pim")) return;
    document_.SetPath("");
    document_.Clear();  // refreshes the views
    if (documentReplaced_) documentReplaced_();
    SetTitle(kUntitled);
}

void DocumentLife::Open() {
    if (!AskToSave("Vantrel")) return;
    if (OpenWithDialog() == Outcome::kFailed) {
        ShowMessage("Error loading file.", "Vantrel", MB_OK | MB_ICONERROR);
        return;
    }
    document_.NotifyViews();
    RememberDocumentPath();
    SetTitle(DocumentName());
}

void DocumentLife::OpenRecent(size_t position) {
    if (position >= recentFiles_.size()) return;
    const std::string path = recentFiles_.Entries()[position];
    if (!AskToSave("Pim")) return;
    if (OpenFrom(path)) {
        recentFiles_.Add(path);  // to the top
        document_.SetPath(path);
        SetTitle(path);
    } else {
        ShowMessage("Error loading file.", "Pim", MB_OK | MB_ICONERROR);
        recentFiles_.Remove(position);
    }
    RecentFilesChanged();
}

void DocumentLife::Save() {
    if (SaveDocument() == Outcome::kFailed)
        ShowMessage("Unable to write file!", "Vantrel", MB_OK | MB_ICONERROR);
}

void DocumentLife::SaveAs() {
    const std::string nameBefore = DocumentName();
    if (SaveAsWithDialog() == Outcome::kFailed) {
        // Retry is offered, as the box always has, but nothing follows from it.
        ShowMessage("Error saving " + nameBefore + ".", "Pim", MB_RETRYCANCEL | MB_ICONERROR);
        return;
    }
    RememberDocumentPath();
    SetTitle(DocumentName());
}

void DocumentLife::Compact() {
    WaitCursor wait;
    const bool removed = RemoveDoneTasksDueBefore(document_.tasks, DateTime::Today()) > 0;
    // A document without a file is given one through Save As; cancelling it
    // leaves the tasks removed in memory only.
    bool written = false;
    if (document_.Path().empty()) {
        std::string path;
        if (chooser_.ChooseFileToSave(frame_, DocumentName(), path) && SaveTo(path)) {
            document_.SetPath(path);
            written = true;
        }
    } else {
        written = SaveTo(document_.Path());
    }
    document_.SetModified(written ? false : (document_.IsModified() || removed), true);
}

bool DocumentLife::OpenFrom(const std::string& path) {
    // The file is read into a document of its own and taken over only once
    // it loaded: a file that cannot be read, does not parse or is not ours
    // leaves the open document, its path and its modified flag as they were.
    PimDocument loaded;
    {
        WaitCursor wait;
        std::string bytes;
        if (!ReadDocumentFile(path, bytes)) return false;
        // A syntax error shows its own message.
        if (!LoadDocumentShowingErrors(loaded, bytes.data(), bytes.size(), frame_)) return false;
    }
    document_.TakeContentFrom(loaded);
    document_.SetModified(false, true);
    if (documentReplaced_) documentReplaced_();
    return true;
}

DocumentLife::Outcome DocumentLife::OpenWithDialog() {
    std::string path;
    if (!chooser_.ChooseFileToOpen(frame_, path)) return Outcome::kCancelled;
    if (!OpenFrom(path)) return Outcome::kFailed;
    document_.SetPath(path);
    return Outcome::kSucceeded;
}

bool DocumentLife::SaveTo(const std::string& path) {
    WaitCursor wait;
    std::string text;
    WriteDocument(document_, text);
    if (!ReplaceDocumentFile(path, text)) return false;
    document_.SetModified(false, false);
    return true;
}

DocumentLife::Outcome DocumentLife::SaveDocument() {
    if (document_.Path().empty() || document_.Path() == kUntitled) return SaveAsWithDialog();
    if (!document_.IsModified()) return Outcome::kSucceeded;
    return SaveTo(document_.Path()) ? Outcome::kSucceeded : Outcome::kFailed;
}

DocumentLife::Outcome DocumentLife::SaveAsWithDialog() {
    std::string path;
    if (!chooser_.ChooseFileToSave(frame_, DocumentName(), path)) return Outcome::kCancelled;
    if (!SaveTo(path)) return Outcome::kFailed;
    document_.SetPath(path);
    return Outcome::kSucceeded;
}

void DocumentLife::RememberDocumentPath() {
    if (document_.Path().empty()) return;
    recentFiles_.Add(document_.Path());
    RecentFilesChanged();
}

void DocumentLife::RecentFilesChanged() {
    SaveRecentFiles(recentFiles_);
    if (recentFilesChanged_) recentFilesChanged_();
}
