// The rules of the recovery copies, apart from any file system: when the
// next copy of the open document is due, what a program's files in the
// recovery folder are called, and the note beside a copy that says which
// document it holds and from when. recovery/win does the file work.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// When a copy is due: two minutes after the first unsaved change, then every
// two minutes while changes go on, and never while a dialog of ours is open
// (the copy would be written behind the user's back into a state the dialog
// may still change). Times are milliseconds of one steady clock.
class RecoverySchedule {
public:
    static constexpr int64_t kIntervalMs = 2 * 60 * 1000;

    // The records changed and the change is not saved.
    void NoteChange(int64_t now);
    // Nothing unsaved is left (saved, discarded or replaced): no copy is due
    // until the next change.
    void NoteClean();
    // A copy of every change so far was written.
    void NoteCopyWritten(int64_t now);
    // Writing a copy failed: the changes stay pending and the next attempt
    // comes an interval later, not at every tick.
    void NoteCopyFailed(int64_t now);

    bool Due(int64_t now, bool dialogOpen) const;
    // Changes that are in no copy yet.
    bool Pending() const { return pending_; }

private:
    bool pending_ = false;
    bool attempted_ = false;  // a copy was written or tried since the document was clean
    int64_t since_ = 0;       // the first change, or the last attempt once there was one
};

// A running program's mark on its files: its process id and its start time
// (so that a process id Windows gave again later is not taken for the old
// program), as 8 and 16 hexadecimal digits joined by "-".
std::string RecoverySessionName(uint32_t processId, uint64_t startTime);
// The file a running program holds open for its whole run.
std::string RecoveryLockFileName(const std::string& session);
// The copy of a session's document: the session, then a hash of the
// document's path (letter case ignored, as Windows does), or "Untitled" for a
// document without a path; extension ".pgr" so that File > Open reads it too.
std::string RecoveryCopyFileName(const std::string& session, const std::string& documentPath);
// The note beside a copy: the copy's name with ".txt" for ".pgr".
std::string RecoveryNoteFileName(const std::string& copyFileName);

// What a file of the recovery folder is, by its name.
enum class RecoveryFileKind { kNotOurs, kLock, kCopy, kNote };
// The kind, and the session the file belongs to (left alone when not ours).
RecoveryFileKind ClassifyRecoveryFile(const std::string& fileName, std::string& session);

// What the note records: the document's path ("" for an untitled document)
// and when the copy was taken, in Unix time.
struct RecoveryNote {
    std::string documentPath;
    int64_t unixTime = 0;
};
std::string FormatRecoveryNote(const RecoveryNote& note);
// False for a text that is no note of ours (a half-written or foreign file).
bool ParseRecoveryNote(const std::string& text, RecoveryNote& note);

// A copy left by a program that no longer runs.
struct RecoveryLeftover {
    std::string copyFile;  // file names inside the recovery folder
    std::string noteFile;
    RecoveryNote note;
};
// The newest copy first; copies from the same second by name, so the order
// does not depend on the folder's listing.
void SortNewestFirst(std::vector<RecoveryLeftover>& leftovers);

// The start-up question about one leftover copy. `name` is the document's
// path or "Untitled"; `when` the date and time in the user's formats.
std::string RecoveryQuestion(const std::string& name, const std::string& when);
