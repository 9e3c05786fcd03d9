#include "SaveHousekeeping.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& text, size_t at, const char* expected) {
    for (size_t i = 0; expected[i]; ++i)
        if (at + i >= text.size() || LowerAscii(text[at + i]) != expected[i]) return false;
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f'); }

// The part of the backup names that says whose they are: "Budget (3f2a91c0) ".
std::string BackupPrefix(const std::string& documentPath) {
    const size_t slash = documentPath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? documentPath : documentPath.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);

    // FNV-1a over the path as Windows compares paths.
    uint32_t hash = 2166136261u;
    for (char c : documentPath) {
        hash ^= static_cast<unsigned char>(c == '/' ? '\\' : LowerAscii(c));
        hash *= 16777619u;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash));
    return name + " (" + hex + ") ";
}

// "2026-12-07.pgr", the rest of a backup's name after its prefix.
bool IsDayAndExtension(const std::string& name, size_t at) {
    if (name.size() != at + 14) return false;
    for (size_t i = 0; i < 10; ++i) {
        const char c = name[at + i];
        if (i == 4 || i == 7 ? c != '-' : !IsDigit(c)) return false;
    }
    return EqualIgnoringCase(name, at + 10, ".pgr");
}

}  // namespace

std::string DailyBackupName(const std::string& documentPath, const CalendarDay& day) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", day.year, day.month, day.day);
    return BackupPrefix(documentPath) + date + ".pgr";
}

std::vector<std::string> DailyBackupsToRemove(const std::vector<std::string>& namesInFolder,
                                              const std::string& documentPath, size_t keep) {
    // File names compare without regard to case, as the folder does: the
    // document may have been opened as "budget.pgr" one day, "Budget.pgr" the next.
    std::string prefix = BackupPrefix(documentPath);
    std::transform(prefix.begin(), prefix.end(), prefix.begin(), LowerAscii);
    std::vector<std::string> backups;
    for (const std::string& name : namesInFolder) {
        if (EqualIgnoringCase(name, 0, prefix.c_str()) && IsDayAndExtension(name, prefix.size()))
            backups.push_back(name);
    }
    if (backups.size() <= keep) return {};
    const size_t dayAt = prefix.size();
    std::sort(backups.begin(), backups.end(), [dayAt](const std::string& a, const std::string& b) {
        return a.compare(dayAt, std::string::npos, b, dayAt, std::string::npos) < 0;
    });
    backups.resize(backups.size() - keep);
    return backups;
}

bool IsLeftoverTemporaryFile(const std::string& name, long long ageSeconds) {
    if (ageSeconds < kLeftoverTemporaryFileSeconds) return false;
    if (name.size() < 3 + 1 + 4 || name.size() > 3 + 4 + 4) return false;
    if (!EqualIgnoringCase(name, 0, "vtr") || !EqualIgnoringCase(name, name.size() - 4, ".tmp"))
        return false;
    for (size_t i = 3; i < name.size() - 4; ++i)
        if (!IsHexDigit(name[i])) return false;
    return true;
}
