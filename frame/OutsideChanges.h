// Telling whether another program changed the document's file since this
// one last read or wrote it: a fingerprint of the bytes, and the decision
// made from the file's stamps.
#pragma once

#include <cstddef>
#include <cstdint>

#include "DocumentFiles.h"

// A cheap fingerprint of a file's bytes (64-bit FNV-1a): equal bytes give
// equal fingerprints; a change of any byte almost surely changes it.
uint64_t FingerprintOf(const char* bytes, size_t size);

enum class FileChange {
    kSame,      // size and time as we left them
    kChanged,   // another size, or a file where we left none
    kTimeOnly,  // same size, other time: only the bytes' fingerprint can tell
    kVanished,  // the file is gone
};

// Compares the file as we last read or wrote it (`then`) with the file as
// it is now.
FileChange CompareFileStamps(const DocumentFileStamp& then, const DocumentFileStamp& now);
