// The daily backup of a document: on the first save of each day, before the
// file is replaced, a plain copy of the version being replaced goes to the
// backup folder, where the last seven of each document are kept. A backup is
// an ordinary document that File > Open reads.
#pragma once

#include <string>

// Where backups go: the folder named by the environment variable
// VANTREL_BACKUP_FOLDER when it is set (the tests' own folder), else
// "Vantrel\Backups" in the user's local application-data folder. Empty when
// there is no such folder.
std::string DailyBackupFolder();

// Keeps today's backup of the file at `documentPath` before a save replaces
// it, creating the folder as needed, and removes this document's backups
// beyond the newest seven. Nothing is due when the file does not exist yet
// or today's backup is there already. False, with the reason in `failure`
// (a sentence without its full stop), only when a backup was due and could
// not be written; the save goes on either way.
bool KeepDailyBackup(const std::string& documentPath, std::string& failure);
