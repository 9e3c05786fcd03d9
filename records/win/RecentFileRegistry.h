// The recent-file list as kept in the registry, under
// HKEY_CURRENT_USER\Software\Brennix\Vantrel!\Recent Document List:
// "DocumentCount" (REG_DWORD, the list's maximum) and "Document1" (newest)
// to "DocumentN" (REG_SZ).
#pragma once

#include "RecentFileList.h"

extern const char kRecentDocumentListKey[];

// Paths compared as the file system does: without regard to letter case.
bool SameFilePath(const std::string& a, const std::string& b);

// Adds the stored entries to `list`, oldest first so that "Document1" ends
// up newest. A "DocumentCount" from 1 to 15 becomes the maximum; any other
// value or type is ignored.
void LoadRecentFiles(RecentFileList& list);

// Writes the maximum and the entries, and deletes "Document%i" values
// beyond them up to 15. Returns whether every write succeeded.
bool SaveRecentFiles(const RecentFileList& list);
