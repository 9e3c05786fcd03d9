// The recently used document files, newest first, as the File menu lists
// them. Paths are compared without regard to letter case, as the file
// system does.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class RecentFileList {
public:
    static constexpr size_t kDefaultMaximum = 4;
    static constexpr size_t kLargestMaximum = 15;

    // Whether two paths name the same file; the Windows side passes the
    // system's comparison, the default folds ASCII letters only.
    using SameFile = bool (*)(const std::string&, const std::string&);

    explicit RecentFileList(SameFile sameFile = nullptr);

    size_t Maximum() const { return maximum_; }
    // Values outside 1 to 15 are ignored; a smaller maximum drops the oldest
    // entries. Returns whether the value was taken.
    bool SetMaximum(size_t maximum);

    // Puts the path at the newest place: an entry naming the same file goes,
    // and when the list is full the oldest entry goes.
    void Add(const std::string& path);
    // Position 0 is the newest; a position past the end is ignored.
    void Remove(size_t position);
    // The position of the entry naming the same file, or -1 (as size_t).
    size_t Find(const std::string& path) const;

    // Newest first.
    const std::vector<std::string>& Entries() const { return entries_; }
    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

private:
    SameFile sameFile_;
    size_t maximum_ = kDefaultMaximum;
    std::vector<std::string> entries_;
};
