// Reading a document file whole, and replacing one without ever leaving it
// half written.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Reads the whole file into `bytes` (a zero byte follows them in the
// string's buffer). The file must exist and is opened without sharing.
bool ReadDocumentFile(const std::string& path, std::string& bytes);

// Writes `text` to a temporary file ("VTR" prefix) in the target's own
// folder, flushes it to the disk and then puts it in the target's place in
// one step. On any failure the target is untouched and the temporary file is
// removed. An existing target keeps its attributes (and, where the system
// can, its security, streams and identity).
bool ReplaceDocumentFile(const std::string& path, const std::string& text);

// Takes the next piece of a file's bytes; false when it could not be written.
using FilePieceWriter = std::function<bool(const char* bytes, size_t size)>;

// Removes the temporary files of ours in `folder` that saves killed midway
// left behind: named as GetTempFileName names ours ("VTR*.tmp"), not written
// to for some minutes, and held open by no program. Nothing else is touched.
// A successful replacement does this in the target's folder.
void RemoveLeftoverTemporaryFiles(const std::string& folder);

// ReplaceDocumentFile for bytes made a piece at a time, so that a large file
// never has to be held whole in memory: `produce` hands the pieces in order
// to the writer it is given, and returns whether it made them all. They go
// to the temporary file as they come; the temporary file takes the target's
// place only when `produce` returned true and every piece was written. On
// any failure, or when `produce` throws, the target is untouched and the
// temporary file is removed. A read-only target is refused before `produce`
// is called.
bool ReplaceDocumentFileInPieces(const std::string& path,
                                 const std::function<bool(const FilePieceWriter& write)>& produce);

// What tells one version of a file from another cheaply: whether it is
// there, its size and its last-write time (in 100-nanosecond ticks).
struct DocumentFileStamp {
    bool exists = false;
    unsigned long long size = 0;
    unsigned long long lastWrite = 0;
};

// The file's stamp as it is now; `exists` is false when the file is not
// there or cannot be looked at.
DocumentFileStamp ReadDocumentFileStamp(const std::string& path);
