#include "RecoveryKeeper.h"

#include <ctime>

#include "DateText.h"

namespace {

const char kUntitled[] = "Untitled";
const char kCaption[] = "Vantrel";

}  // namespace

RecoveryKeeper::RecoveryKeeper(PimDocument& document) : document_(document) {}

RecoveryKeeper::~RecoveryKeeper() {
    if (started_) document_.DetachView(this);
    // The store lets go of the lock; a copy that is left stays to be offered
    // at the next start (the program did not end through the question).
}

void RecoveryKeeper::Start() {
    if (started_) return;
    started_ = true;
    lastTick_ = GetTickCount();
    store_.Open();
    document_.AttachView(this);
}

int64_t RecoveryKeeper::SteadyNow() {
    if (steadyMs_) return steadyMs_();
    // GetTickCount wraps after 49 days; the differences do not.
    const DWORD tick = GetTickCount();
    elapsed_ += static_cast<DWORD>(tick - lastTick_);
    lastTick_ = tick;
    return elapsed_;
}

void RecoveryKeeper::OnDocumentChanged() {
    if (document_.IsModified()) {
        schedule_.NoteChange(SteadyNow());
    } else {
        // New or an open replaced the content, or it was saved: the copy
        // holds nothing the file does not.
        OnChangesSettled();
    }
}

void RecoveryKeeper::OnChangesSettled() {
    schedule_.NoteClean();
    store_.RemoveCopy();
}

void RecoveryKeeper::OnTick(bool dialogOpen) {
    if (!started_) return;
    if (!document_.IsModified()) {
        if (store_.HasCopy() || schedule_.Pending()) OnChangesSettled();
        return;
    }
    if (schedule_.Due(SteadyNow(), dialogOpen)) WriteCopy();
}

void RecoveryKeeper::WriteNowIfPending() {
    if (started_ && document_.IsModified() && schedule_.Pending()) WriteCopy();
}

void RecoveryKeeper::WriteCopy() {
    const bool written = store_.WriteCopy(document_, static_cast<int64_t>(std::time(nullptr)));
    if (written) schedule_.NoteCopyWritten(SteadyNow());
    else schedule_.NoteCopyFailed(SteadyNow());
}

void RecoveryKeeper::OfferLeftovers(
    HWND owner, const std::function<bool(const std::string& copy, const std::string& path)>& open) {
    if (!store_.IsOpen()) return;
    for (const RecoveryLeftover& leftover : store_.FindLeftovers()) {
        const DateTime when = DateTime::FromUnixTime(leftover.note.unixTime);
        const std::string whenText = DateText::FormatDate(when, LOCALE_USER_DEFAULT, DATE_SHORTDATE) + " " +
                                     DateText::FormatTime(when, LOCALE_USER_DEFAULT, TIME_NOSECONDS);
        const std::string& path = leftover.note.documentPath;
        const std::string question = RecoveryQuestion(path.empty() ? kUntitled : path, whenText);
        if (MessageBoxA(owner, question.c_str(), kCaption, MB_YESNO | MB_ICONWARNING) != IDYES) {
            store_.Discard(leftover);
            continue;
        }
        if (!open(store_.PathOf(leftover.copyFile), path)) {
            MessageBoxA(owner, "Error loading file.", kCaption, MB_OK | MB_ICONERROR);
            continue;
        }
        // The copy is this run's own now: removed when the changes are
        // saved or discarded, offered again if this run ends badly too.
        store_.Adopt(leftover, path);
        schedule_.NoteClean();
        schedule_.NoteCopyWritten(SteadyNow());
        return;
    }
}
