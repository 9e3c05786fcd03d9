// The document's life as the File menu drives it: New, Open, opening a
// recent file, Save, Save As, Compact, the question about unsaved changes
// and the title that names the document.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

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

    // The path, or "Untitled" while there is none.
    std::string DocumentName() const;
    void SetTitle(const std::string& name);

    // Whether the caller may go on: true when nothing is unsaved, or the
    // user chose No, or chose Yes and the document was saved.
    bool AskToSave(const char* caption);

    // The File menu's commands.
    void New();
    void Open();
    void OpenRecent(size_t position);  // 0 is the newest entry
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
    int ShowMessage(const std::string& text, const char* caption, UINT style);
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
};
