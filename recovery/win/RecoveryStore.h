// The recovery folder on disk: one program's copy of its document, written
// as a save writes, and the copies that programs which no longer run left
// behind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RecoveryRules.h"

class PimDocument;

// %LOCALAPPDATA%\Vantrel\Recovery, made when missing; "" when there is no
// such folder and none can be made.
std::string DefaultRecoveryFolder();

// Asks Windows to start the program again (without arguments) when it
// restarts it for an update; nothing on a Windows that cannot.
void RegisterForRestart();

class RecoveryStore {
public:
    // `folder` "" stands for DefaultRecoveryFolder().
    explicit RecoveryStore(std::string folder = "");
    // Lets go of the lock; the copy, if any, stays.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Before Open: the folder to use instead.
    void SetFolder(std::string folder) { folder_ = std::move(folder); }

    // Makes the folder and takes this run's lock: a file held open without
    // sharing (and gone with the process), which tells other programs that
    // this one's copies are still in use. False when neither can be done;
    // the store then writes nothing.
    bool Open();
    bool IsOpen() const { return lock_ != INVALID_HANDLE_VALUE; }
    const std::string& Folder() const { return folder_; }
    std::string PathOf(const std::string& fileName) const { return folder_ + "\\" + fileName; }

    // Writes the document as this program's copy, the note first (so a copy
    // never lies there without one) and then the copy, each replaced in one
    // step as a save replaces a document. A copy under another name (the
    // document's path changed) is removed once the new one is there.
    bool WriteCopy(const PimDocument& document, int64_t unixTime);
    // Removes this program's copy and its note, if there are any.
    void RemoveCopy();
    bool HasCopy() const { return !copyFile_.empty(); }

    // The copies whose program no longer runs, newest first. On the way it
    // removes what such programs left that holds nothing to offer: notes
    // without a copy, locks, and temporary files that nobody writes.
    std::vector<RecoveryLeftover> FindLeftovers();
    // Deletes a leftover copy and its note.
    void Discard(const RecoveryLeftover& leftover);
    // Takes a leftover over as this program's copy of a document at
    // `documentPath` (its content is now the open document's).
    bool Adopt(const RecoveryLeftover& leftover, const std::string& documentPath);

private:
    // Whether the session's program still holds its lock.
    bool SessionRuns(const std::string& session) const;

    std::string folder_;
    std::string session_;
    HANDLE lock_ = INVALID_HANDLE_VALUE;
    std::string copyFile_;
    std::string lastNote_;  // the note of copyFile_
};
