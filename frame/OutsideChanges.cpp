#include "OutsideChanges.h"

uint64_t FingerprintOf(const char* bytes, size_t size) {
    uint64_t hash = 14695981039346656037ULL;
    for (size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(bytes[i]);
        hash *= 1099511628211ULL;
    }
    return hash;
}

FileChange CompareFileStamps(const DocumentFileStamp& then, const DocumentFileStamp& now) {
    if (!now.exists) return FileChange::kVanished;
    if (!then.exists || then.size != now.size) return FileChange::kChanged;
    // A copy, a restore or a touch can change the time alone; some file
    // systems keep it coarsely. The bytes decide then.
    if (then.lastWrite != now.lastWrite) return FileChange::kTimeOnly;
    return FileChange::kSame;
}
