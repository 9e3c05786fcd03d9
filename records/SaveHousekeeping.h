// The rules for the files a save leaves around a document: the names of its
// daily backups and which old ones go, and which temporary files are
// leftovers of an earlier save that nobody finished. Names only: the file
// work is the platform layer's.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A calendar day in local time.
struct CalendarDay {
    int year;
    int month;  // 1 to 12
    int day;    // 1 to 31
};

// How many daily backups of one document are kept.
const size_t kDailyBackupsKept = 7;

// The file name of the backup of `documentPath` (a full path) made on `day`:
// the document's name without its extension, a short hash of the whole path
// in parentheses (documents of the same name in different folders must not
// share backups; letter case and the kind of slash do not count), the day,
// and ".pgr" so that the Open dialog lists it: "Budget (3f2a91c0) 2026-12-07.pgr".
std::string DailyBackupName(const std::string& documentPath, const CalendarDay& day);

// Of the file names found in the backup folder, those of backups of
// `documentPath` beyond the newest `keep`, oldest first. Names of other
// documents' backups, or of anything else, are never among them.
std::vector<std::string> DailyBackupsToRemove(const std::vector<std::string>& namesInFolder,
                                              const std::string& documentPath,
                                              size_t keep = kDailyBackupsKept);

// A temporary file of ours ("VTR", one to four hex digits, ".tmp", as
// GetTempFileName makes them with our prefix) is a leftover once nobody has
// written to it for this long; younger ones may belong to a save under way.
const long long kLeftoverTemporaryFileSeconds = 10 * 60;

// Whether a file of this name, last written `ageSeconds` ago, may be a
// leftover of ours (whether a program still holds it open is for the caller
// to find out).
bool IsLeftoverTemporaryFile(const std::string& name, long long ageSeconds);
