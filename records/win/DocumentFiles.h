// Reading a document file whole, and replacing one without ever leaving it
// half written.
#pragma once

#include <string>

// Reads the whole file into `bytes` (a zero byte follows them in the
// string's buffer). The file must exist and is opened without sharing.
bool ReadDocumentFile(const std::string& path, std::string& bytes);

// Writes `text` to a temporary file ("VTR" prefix) in the target's own
// folder, flushes it to the disk and then puts it in the target's place in
// one step. On any failure the target is untouched and the temporary file is
// removed.
bool ReplaceDocumentFile(const std::string& path, const std::string& text);
