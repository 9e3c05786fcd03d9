#include "DocumentLife.h"

#include "Compact.h"
#include "DailyBackup.h"
#include "DocumentFile.h"
#include "DocumentFileDialogs.h"
#include "DocumentFiles.h"
#include "DocumentLoadMessages.h"
#include "OutsideChanges.h"
#include "PimDocument.h"
#include "RecentFileList.h"
#include "RecentFileRegistry.h"

#include <new>

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
    // A throw must never pass for a yes: the window would close, or let
    // Windows end the session, with the changes unsaved.
    try {
        return AskToSaveOrThrow(caption);
    } catch (...) {
        TellFailure(std::current_exception());
        return false;
    }
}

bool DocumentLife::AskToSaveOrThrow(const char* caption) {
    if (!document_.IsModified()) return true;
    switch (ShowMessage("Save changes to " + DocumentName() + "?", caption,
                        MB_YESNOCANCEL | MB_ICONWARNING)) {
        case IDNO:
            if (changesSettled_) changesSettled_();
            return true;
        case IDYES: break;
        default: return false;
    }
    switch (SaveDocument()) {
        case Outcome::kSucceeded: return true;
        case Outcome::kFailed:
            // The command that asked does not go on; the user learns why.
            TellSaveFailed();
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
    ShowOpenedDocument();
}

void DocumentLife::OpenNamed(const std::string& path) {
    if (!AskToSave("Vantrel")) return;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            ShowMessage("The document " + path + " does not exist.", "Vantrel",
                        MB_OK | MB_ICONERROR);
            return;
        }
    }
    if (!OpenFrom(path)) {
        ShowMessage("Error loading file.", "Vantrel", MB_OK | MB_ICONERROR);
        return;
    }
    document_.SetPath(path);
    ShowOpenedDocument();
}

void DocumentLife::ShowOpenedDocument() {
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
    try {
        if (SaveDocument() == Outcome::kFailed) TellSaveFailed();
    } catch (...) {
        TellFailure(std::current_exception());
    }
}

void DocumentLife::SaveAs() {
    const std::string nameBefore = DocumentName();
    if (SaveAsWithDialog() == Outcome::kFailed) {
        if (saveFailure_) {
            TellSaveFailed();
            return;
        }
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
    // leaves the tasks removed in memory only, as does Cancel to the
    // question about a file another program changed.
    bool written = false;
    bool tried = false;
    if (document_.Path().empty()) {
        std::string path;
        if (chooser_.ChooseFileToSave(frame_, DocumentName(), path)) {
            tried = true;
            written = SaveGuarded(path);
            if (written) document_.SetPath(path);
        }
    } else {
        switch (AskBeforeOverwriting(document_.Path())) {
            case Overwrite::kWrite:
                tried = true;
                written = SaveGuarded(document_.Path());
                break;
            case Overwrite::kSaveElsewhere: {
                const Outcome outcome = SaveElsewhere();
                tried = outcome != Outcome::kCancelled;
                written = outcome == Outcome::kSucceeded;
                break;
            }
            case Overwrite::kStop: break;
        }
    }
    document_.SetModified(written ? false : (document_.IsModified() || removed), true);
    // The removals stay in memory, unsaved: the user must know.
    if (tried && !written) TellSaveFailed();
}

bool DocumentLife::OpenFrom(const std::string& path) {
    // The file is read into a document of its own and taken over only once
    // it loaded: a file that cannot be read, does not parse or is not ours
    // leaves the open document, its path and its modified flag as they were.
    PimDocument loaded;
    DocumentFileStamp stamp;
    uint64_t fingerprint = 0;
    {
        WaitCursor wait;
        std::string bytes;
        // Taken before reading, so that a change made while we read is
        // still seen as one.
        stamp = ReadDocumentFileStamp(path);
        if (!ReadDocumentFile(path, bytes)) return false;
        fingerprint = FingerprintOf(bytes.data(), bytes.size());
        // A syntax error shows its own message.
        if (!LoadDocumentShowingErrors(loaded, bytes.data(), bytes.size(), frame_)) return false;
    }
    RememberFile(path, stamp, fingerprint);
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
    if (writingHook_) writingHook_();
    writtenFingerprint_ = FingerprintOf(text.data(), text.size());
    KeepDailyBackupOf(path);
    if (!ReplaceDocumentFile(path, text)) return false;
    document_.SetModified(false, false);
    if (changesSettled_) changesSettled_();
    return true;
}

DocumentLife::Outcome DocumentLife::SaveDocument() {
    if (document_.Path().empty() || document_.Path() == kUntitled) return SaveAsWithDialog();
    if (!document_.IsModified()) return Outcome::kSucceeded;
    switch (AskBeforeOverwriting(document_.Path())) {
        case Overwrite::kWrite: break;
        case Overwrite::kSaveElsewhere: return SaveElsewhere();
        case Overwrite::kStop: return Outcome::kCancelled;
    }
    return SaveGuarded(document_.Path()) ? Outcome::kSucceeded : Outcome::kFailed;
}

DocumentLife::Outcome DocumentLife::SaveAsWithDialog() {
    std::string path;
    if (!chooser_.ChooseFileToSave(frame_, DocumentName(), path)) return Outcome::kCancelled;
    if (!SaveGuarded(path)) return Outcome::kFailed;
    document_.SetPath(path);
    return Outcome::kSucceeded;
}

void DocumentLife::KeepDailyBackupOf(const std::string& path) {
    std::string failure;
    if (!KeepDailyBackup(path, failure) && statusText_)
        statusText_("The daily backup could not be written: " + failure + ".");
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

bool DocumentLife::SaveGuarded(const std::string& path) {
    saveFailure_ = nullptr;
    try {
        if (!SaveTo(path)) return false;
    } catch (...) {
        // The file is untouched: SaveTo replaces it only once all is written.
        saveFailure_ = std::current_exception();
        return false;
    }
    RememberFile(path, ReadDocumentFileStamp(path), writtenFingerprint_);
    return true;
}

void DocumentLife::TellSaveFailed() {
    if (saveFailure_)
        TellFailure(saveFailure_);
    else
        ShowMessage("Unable to write file!", "Vantrel", MB_OK | MB_ICONERROR);
}

void DocumentLife::TellFailure(const std::exception_ptr& failure) {
    // Short of memory, building the text may fail too: a fixed one serves then.
    const char* fallback = "Unable to write file!";
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        fallback = "Not enough memory to save the document. Close other programs, then save again.";
        try {
            ShowMessage("Not enough memory to save " + DocumentName() +
                            ". Close other programs, then save again.",
                        "Vantrel", MB_OK | MB_ICONERROR);
            return;
        } catch (...) {
        }
    } catch (const std::exception& error) {
        try {
            ShowMessage("Unable to save " + DocumentName() + ".\n\n" + error.what(), "Vantrel",
                        MB_OK | MB_ICONERROR);
            return;
        } catch (...) {
        }
    } catch (...) {
    }
    MessageBoxA(frame_, fallback, "Vantrel", MB_OK | MB_ICONERROR);
}

void DocumentLife::RememberFile(const std::string& path, const DocumentFileStamp& stamp,
                                uint64_t fingerprint) {
    knownFile_.known = stamp.exists;
    knownFile_.path = path;
    knownFile_.stamp = stamp;
    knownFile_.fingerprint = fingerprint;
    declinedReload_ = DocumentFileStamp();
}

bool DocumentLife::ChangedSinceKnown(const DocumentFileStamp& now) {
    switch (CompareFileStamps(knownFile_.stamp, now)) {
        case FileChange::kSame: return false;
        case FileChange::kTimeOnly: break;
        default: return true;
    }
    std::string bytes;
    // A file another program holds open cannot be compared: count it changed.
    if (!ReadDocumentFile(knownFile_.path, bytes)) return true;
    if (FingerprintOf(bytes.data(), bytes.size()) != knownFile_.fingerprint) return true;
    knownFile_.stamp = now;  // the same bytes: the time need not be read again
    return false;
}

DocumentLife::Overwrite DocumentLife::AskBeforeOverwriting(const std::string& path) {
    if (!knownFile_.known || !SameFilePath(knownFile_.path, path)) return Overwrite::kWrite;
    const DocumentFileStamp now = ReadDocumentFileStamp(path);
    // A file that vanished is written again without a question: nothing of
    // another program's is lost by it, and the user asked to save.
    if (!now.exists || !ChangedSinceKnown(now)) return Overwrite::kWrite;
    switch (ShowMessage(DocumentName() +
                            " was changed by another program since you opened it. Save your "
                            "version over it?",
                        "Vantrel", MB_YESNOCANCEL | MB_ICONWARNING)) {
        case IDYES: return Overwrite::kWrite;
        case IDNO: return Overwrite::kSaveElsewhere;
        default: return Overwrite::kStop;
    }
}

DocumentLife::Outcome DocumentLife::SaveElsewhere() {
    const Outcome outcome = SaveAsWithDialog();
    if (outcome == Outcome::kSucceeded) {
        RememberDocumentPath();
        SetTitle(DocumentName());
    }
    return outcome;
}

void DocumentLife::OfferToReloadChangedFile() {
    // Not over a dialog of ours (the frame is disabled then), whose records
    // a reload would pull away, nor over our own question.
    if (askingToReload_ || (frame_ && !IsWindowEnabled(frame_))) return;
    if (!knownFile_.known || document_.IsModified() ||
        !SameFilePath(knownFile_.path, document_.Path()))
        return;
    const DocumentFileStamp now = ReadDocumentFileStamp(knownFile_.path);
    if (!now.exists) return;  // nothing to read; Save writes it again
    if (declinedReload_.exists && CompareFileStamps(declinedReload_, now) == FileChange::kSame)
        return;
    if (!ChangedSinceKnown(now)) return;
    askingToReload_ = true;
    const int answer = ShowMessage(DocumentName() + " was changed by another program. Reload it?",
                                   "Vantrel", MB_YESNO | MB_ICONWARNING);
    askingToReload_ = false;
    if (answer != IDYES) {
        declinedReload_ = now;
        return;
    }
    if (OpenFrom(document_.Path())) {
        SetTitle(DocumentName());
    } else {
        declinedReload_ = now;  // told once, not on every activation
        ShowMessage("Error loading file.", "Vantrel", MB_OK | MB_ICONERROR);
    }
}
