// Keeps the open document's recovery copy: watches its changes, writes the
// copy when the schedule says so, removes it once the changes are saved or
// deliberately discarded, and at start-up offers the copies a program that
// did not close normally left behind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "PimDocument.h"
#include "RecoveryRules.h"
#include "RecoveryStore.h"

class RecoveryKeeper : public PimDocumentView {
public:
    // The document must outlive the keeper.
    explicit RecoveryKeeper(PimDocument& document);
    ~RecoveryKeeper() override;
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    // Before Start: another folder than the user's (tests), another clock
    // (milliseconds, steady; tests), another wall clock (Unix time).
    void SetFolder(std::string folder) { store_.SetFolder(std::move(folder)); }
    void SetClock(std::function<int64_t()> steadyMs) { steadyMs_ = std::move(steadyMs); }

    // Takes the lock in the recovery folder and watches the document. When
    // the folder cannot be used, the program runs on without copies.
    void Start();

    // The frame's periodic tick: writes a copy when one is due and no dialog
    // of ours is open (`dialogOpen`).
    void OnTick(bool dialogOpen);
    // Writes a copy at once if there are changes in none yet (Windows is
    // ending the session and may not wait for the answer to our question).
    void WriteNowIfPending();
    // The unsaved changes were saved, or the user chose not to keep them.
    void OnChangesSettled();

    // Asks about each copy left by a program that no longer runs, newest
    // first, until one is accepted: Yes hands it to `open` (the copy's path,
    // the document's own path, "" for untitled), which loads it as the
    // modified document; No deletes it. Copies not asked about stay for the
    // next start. A copy that `open` could not load stays where it is.
    void OfferLeftovers(HWND owner,
                        const std::function<bool(const std::string& copy, const std::string& path)>& open);

    RecoveryStore& Store() { return store_; }

    void OnDocumentChanged() override;

private:
    int64_t SteadyNow();
    void WriteCopy();

    PimDocument& document_;
    RecoveryStore store_;
    RecoverySchedule schedule_;
    std::function<int64_t()> steadyMs_;
    DWORD lastTick_ = 0;
    int64_t elapsed_ = 0;
    bool started_ = false;
};
