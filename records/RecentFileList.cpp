#include "RecentFileList.h"

namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

RecentFileList::RecentFileList(SameFile sameFile)
    : sameFile_(sameFile ? sameFile : SameIgnoringAsciiCase) {}

bool RecentFileList::SetMaximum(size_t maximum) {
    if (maximum < 1 || maximum > kLargestMaximum) return false;
    maximum_ = maximum;
    if (entries_.size() > maximum_) entries_.resize(maximum_);
    return true;
}

size_t RecentFileList::Find(const std::string& path) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (sameFile_(entries_[i], path)) return i;
    }
    return size_t(-1);
}

void RecentFileList::Add(const std::string& path) {
    Remove(Find(path));
    if (entries_.size() >= maximum_) entries_.resize(maximum_ - 1);
    entries_.insert(entries_.begin(), path);
}

void RecentFileList::Remove(size_t position) {
    if (position < entries_.size()) entries_.erase(entries_.begin() + std::ptrdiff_t(position));
}
