#include "RecoveryRules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

const char kNoteHeader[] = "Vantrel! recovery copy";
const char kPathKey[] = "Path=";
const char kTimeKey[] = "Time=";
const char kCopyExtension[] = ".pgr";
const char kNoteExtension[] = ".txt";
const char kLockExtension[] = ".lock";
// "pppppppp-tttttttttttttttt"
const size_t kSessionLength = 8 + 1 + 16;

std::string Hex(uint64_t value, int digits) {
    char text[17];
    std::snprintf(text, sizeof text, "%0*llx", digits, static_cast<unsigned long long>(value));
    return text;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

bool IsSessionName(const std::string& text) {
    if (text.size() != kSessionLength || text[8] != '-') return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != 8 && !IsHexDigit(text[i])) return false;
    return true;
}

bool EndsWith(const std::string& text, const char* tail) {
    const std::string end(tail);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// FNV-1a over the path with ASCII letters in upper case: "C:\Data\a.pgr" and
// "c:\data\A.PGR" are one document to Windows, and so one copy here.
uint64_t PathHash(const std::string& path) {
    uint64_t hash = 14695981039346656037ULL;
    for (char c : path) {
        const unsigned char byte = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        hash = (hash ^ byte) * 1099511628211ULL;
    }
    return hash;
}

// The next line of `text` from `position`, without its CR LF; false at the end.
bool NextLine(const std::string& text, size_t& position, std::string& line) {
    if (position >= text.size()) return false;
    size_t end = text.find('\n', position);
    if (end == std::string::npos) end = text.size();
    line = text.substr(position, end - position);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    position = end + 1;
    return true;
}

}  // namespace

void RecoverySchedule::NoteChange(int64_t now) {
    if (!pending_ && !attempted_) since_ = now;
    pending_ = true;
}

void RecoverySchedule::NoteClean() {
    pending_ = false;
    attempted_ = false;
    since_ = 0;
}

void RecoverySchedule::NoteCopyWritten(int64_t now) {
    pending_ = false;
    attempted_ = true;
    since_ = now;
}

void RecoverySchedule::NoteCopyFailed(int64_t now) {
    attempted_ = true;
    since_ = now;
}

bool RecoverySchedule::Due(int64_t now, bool dialogOpen) const {
    return pending_ && !dialogOpen && now - since_ >= kIntervalMs;
}

std::string RecoverySessionName(uint32_t processId, uint64_t startTime) {
    return Hex(processId, 8) + "-" + Hex(startTime, 16);
}

std::string RecoveryLockFileName(const std::string& session) { return session + kLockExtension; }

std::string RecoveryCopyFileName(const std::string& session, const std::string& documentPath) {
    const std::string document = documentPath.empty() ? "Untitled" : Hex(PathHash(documentPath), 16);
    return session + "-" + document + kCopyExtension;
}

std::string RecoveryNoteFileName(const std::string& copyFileName) {
    if (!EndsWith(copyFileName, kCopyExtension)) return copyFileName + kNoteExtension;
    return copyFileName.substr(0, copyFileName.size() - 4) + kNoteExtension;
}

RecoveryFileKind ClassifyRecoveryFile(const std::string& fileName, std::string& session) {
    // Windows lists names in the case they were made in, and we make them in
    // lower case; anything else is not ours.
    const std::string head = fileName.substr(0, kSessionLength);
    if (!IsSessionName(head)) return RecoveryFileKind::kNotOurs;
    const std::string rest = fileName.substr(kSessionLength);
    RecoveryFileKind kind = RecoveryFileKind::kNotOurs;
    if (rest == kLockExtension) {
        kind = RecoveryFileKind::kLock;
    } else if (rest.size() > 5 && rest[0] == '-') {
        const std::string document = rest.substr(1, rest.size() - 5);
        const bool named = document == "Untitled" ||
                           (document.size() == 16 && std::all_of(document.begin(), document.end(), IsHexDigit));
        if (named && EndsWith(rest, kCopyExtension)) kind = RecoveryFileKind::kCopy;
        if (named && EndsWith(rest, kNoteExtension)) kind = RecoveryFileKind::kNote;
    }
    if (kind != RecoveryFileKind::kNotOurs) session = head;
    return kind;
}

std::string FormatRecoveryNote(const RecoveryNote& note) {
    return std::string(kNoteHeader) + "\r\n" + kPathKey + note.documentPath + "\r\n" + kTimeKey +
           std::to_string(note.unixTime) + "\r\n";
}

bool ParseRecoveryNote(const std::string& text, RecoveryNote& note) {
    size_t position = 0;
    std::string header, path, time;
    if (!NextLine(text, position, header) || header != kNoteHeader) return false;
    if (!NextLine(text, position, path) || path.compare(0, 5, kPathKey) != 0) return false;
    if (!NextLine(text, position, time) || time.compare(0, 5, kTimeKey) != 0) return false;
    // The writer ends every line: a note cut short after "Time=12" would
    // otherwise pass with a wrong time.
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) return false;
    const std::string digits = time.substr(5);
    if (digits.empty() || digits.size() > 18) return false;
    for (size_t i = 0; i < digits.size(); ++i)
        if (!(digits[i] >= '0' && digits[i] <= '9') && !(i == 0 && digits[i] == '-' && digits.size() > 1))
            return false;
    note.documentPath = path.substr(5);
    note.unixTime = std::strtoll(digits.c_str(), nullptr, 10);
    return true;
}

void SortNewestFirst(std::vector<RecoveryLeftover>& leftovers) {
    std::sort(leftovers.begin(), leftovers.end(),
              [](const RecoveryLeftover& a, const RecoveryLeftover& b) {
                  if (a.note.unixTime != b.note.unixTime) return a.note.unixTime > b.note.unixTime;
                  return a.copyFile < b.copyFile;
              });
}

std::string RecoveryQuestion(const std::string& name, const std::string& when) {
    return "Vantrel! did not close normally. Open the changes to " + name + " from " + when +
           " that were not saved?";
}
