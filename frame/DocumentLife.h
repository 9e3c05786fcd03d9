// The document's life as the File menu drives it: New, Open, opening a
// recent file, Save, Save As, Compact, the question about unsaved changes
// and the title that names the document.
#pragma once

#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "DocumentFiles.h"

class DocumentFileChooser;
class PimDocument;
class RecentFileList;

class DocumentLife {
public:
    enum class Outcome { kSucceeded, kFailed, kCancelled };

    DocumentLife(PimDocument& document, RecentFileList& recentFiles, DocumentFileChooser& chooser);

    // The frame whose title names the document and which owns the messages.
    void SetFrame(HWND frame) { frame_ = frame; }
    // Called whenever the recent-file list changed, to rebuild its menu.
    void SetRecentFilesChanged(std::function<void()> changed) { recentFilesChanged_ = std::move(changed); }
    // Called when New or a file read in has replaced the document's content,
    // for what was taken from the old one to be let go.
    void SetDocumentReplaced(std::function<void()> replaced) { documentReplaced_ = std::move(replaced); }
    // Shows a passing remark in the frame's status bar (a backup that could
    // not be written, say).
    void SetStatusText(std::function<void(const std::string&)> show) { statusText_ = std::move(show); }
    // Called when the unsaved changes were saved, or the user chose No to
    // keeping them: their recovery copy has nothing left to keep.
    void SetChangesSettled(std::function<void()> settled) { changesSettled_ = std::move(settled); }

    // The path, or "Untitled" while there is none.
    std::string DocumentName() const;
    void SetTitle(const std::string& name);

    // Whether the caller may go on: true when nothing is unsaved, or the
    // user chose No, or chose Yes and the document was saved. Never throws:
    // whatever fails on the way is told to the user and answers false.
    bool AskToSave(const char* caption);

    // When another program changed the document's file and the document
    // holds no unsaved changes, offers to read the file again; each change
    // is offered once. The frame calls it when it becomes active.
    void OfferToReloadChangedFile();

    // For tests: called in the middle of every save, after the document was
    // written into memory; what it throws stands for a failure of the
    // writing (out of memory, say).
    void SetWritingHook(std::function<void()> hook) { writingHook_ = std::move(hook); }

    // The File menu's commands.
    void New();
    void Open();
    void OpenRecent(size_t position);  // 0 is the newest entry
    // Open for a document named outside the File menu (the command line, a
    // file dropped on the window): the same question, messages, recent list
    // and title; a file that does not exist is told as such.
    void OpenNamed(const std::string& path);
    void Save();
    void SaveAs();
    void Compact();

    // The steps the commands are made of.
    bool OpenFrom(const std::string& path);
    Outcome OpenWithDialog();
    bool SaveTo(const std::string& path);
    Outcome SaveDocument();
    Outcome SaveAsWithDialog();

private:
    enum class Overwrite { kWrite, kSaveElsewhere, kStop };

    bool AskToSaveOrThrow(const char* caption);
    // After Open read a file: the views, the recent list and the title.
    void ShowOpenedDocument();
    // SaveTo that turns a throw into a failure kept for TellSaveFailed, and
    // remembers the file it wrote.
    bool SaveGuarded(const std::string& path);
    // Says why the last save failed: the failure's own words when it threw,
    // else "Unable to write file!".
    void TellSaveFailed();
    void TellFailure(const std::exception_ptr& failure);
    // Before writing over `path`: asks when another program changed it.
    Overwrite AskBeforeOverwriting(const std::string& path);
    // Save As in place of a save the user chose not to write over the
    // changed file; the title and recent list follow the new name.
    Outcome SaveElsewhere();
    bool ChangedSinceKnown(const DocumentFileStamp& now);
    void RememberFile(const std::string& path, const DocumentFileStamp& stamp, uint64_t fingerprint);
    int ShowMessage(const std::string& text, const char* caption, UINT style);
    // The first save of a day keeps the version it replaces; when that
    // cannot be done the save goes on and the status bar says why.
    void KeepDailyBackupOf(const std::string& path);
    // Puts the document's own path at the top of the recent list, stores the
    // list and rebuilds its menu. A document without a file has nothing to list.
    void RememberDocumentPath();
    void RecentFilesChanged();

    PimDocument& document_;
    RecentFileList& recentFiles_;
    DocumentFileChooser& chooser_;
    HWND frame_ = nullptr;
    std::function<void()> recentFilesChanged_;
    std::function<void()> documentReplaced_;
    std::function<void()> changesSettled_;
    std::function<void(const std::string&)> statusText_;

    // The file as this program last read or wrote it, to tell another
    // program's changes from ours.
    struct KnownFile {
        bool known = false;
        std::string path;
        DocumentFileStamp stamp;
        uint64_t fingerprint = 0;
    };
    KnownFile knownFile_;
    uint64_t writtenFingerprint_ = 0;  // of the bytes SaveTo wrote last
    DocumentFileStamp declinedReload_;  // the change the user chose not to reload
    bool askingToReload_ = false;
    std::exception_ptr saveFailure_;  // what the last save threw, if it threw
    std::function<void()> writingHook_;
};
