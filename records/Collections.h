// The keyed collections of a document: records by ID in ascending order, and
// the highest ID ever issued. IDs are never reused within a document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>

#include "Records.h"

template <typename Record>
class RecordCollection {
public:
    using Map = std::map<int32_t, Record>;
    using const_iterator = typename Map::const_iterator;
    using iterator = typename Map::iterator;

    RecordCollection() = default;
    virtual ~RecordCollection() = default;
    // A document taking over what a load built moves whole collections.
    RecordCollection(const RecordCollection&) = default;
    RecordCollection(RecordCollection&&) noexcept = default;
    RecordCollection& operator=(const RecordCollection&) = default;
    RecordCollection& operator=(RecordCollection&&) noexcept = default;

    // Whether a new record can still be given an ID. IDs only grow and are
    // never reused, so once LastID is the largest int32 (a file may carry it)
    // the collection takes no new record: callers tell the user instead.
    bool HasIDLeft() const { return lastID_ != INT32_MAX; }
    // The next identifier for a new record. Callers check HasIDLeft first;
    // without one left this returns the largest int32 again and LastID
    // stays: going round to negative IDs would reuse IDs of the file and make
    // the collection look as if it had room again.
    int32_t IssueID() {
        if (HasIDLeft()) ++lastID_;
        return lastID_;
    }
    int32_t LastID() const { return lastID_; }
    void SetLastID(int32_t id) { lastID_ = id; }

    // Stores a copy under `id`; an ID already present keeps its record and
    // the new one is dropped. Returns whether the record was stored.
    bool Insert(int32_t id, const Record& record) { return Emplace(id, record) != nullptr; }
    bool Insert(int32_t id, Record&& record) { return Emplace(id, std::move(record)) != nullptr; }

    // Stores a copy of `record` under `id` and returns the stored record for
    // filling in place; null (and nothing stored) when `id` is present.
    Record* InsertCopy(int32_t id, const Record& record) { return Emplace(id, record); }

    const Record* Find(int32_t id) const {
        auto found = records_.find(id);
        return found == records_.end() ? nullptr : &found->second;
    }
    Record* Find(int32_t id) {
        auto found = records_.find(id);
        return found == records_.end() ? nullptr : &found->second;
    }
    // For callers that know the ID is present.
    Record& operator[](int32_t id) { return records_.at(id); }
    const Record& operator[](int32_t id) const { return records_.at(id); }

    // LastID stays: a deleted record's ID is not issued again.
    void Erase(int32_t id) { records_.erase(id); }
    void Clear() {
        records_.clear();
        lastID_ = 0;
    }

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }
    iterator begin() { return records_.begin(); }
    iterator end() { return records_.end(); }

    // The largest ID present, 0 when empty.
    int32_t LargestID() const { return records_.empty() ? 0 : records_.rbegin()->first; }

private:
    // Where a record with `id` goes, or end() with `present` set when the ID
    // is taken. Files and new records arrive in ascending ID order, so the end
    // is tried first.
    iterator PlaceFor(int32_t id, bool& present) {
        present = false;
        if (records_.empty() || id > records_.rbegin()->first) return records_.end();
        auto place = records_.lower_bound(id);
        present = place != records_.end() && place->first == id;
        return place;
    }

    template <typename Value>
    Record* Emplace(int32_t id, Value&& record) {
        bool present = false;
        auto place = PlaceFor(id, present);
        if (present) return nullptr;
        return &records_.emplace_hint(place, id, std::forward<Value>(record))->second;
    }

    Map records_;
    int32_t lastID_ = 0;
};

class Persons : public RecordCollection<Person> {};
class Tasks : public RecordCollection<Task> {};
class Appointments : public RecordCollection<Appointment> {};
