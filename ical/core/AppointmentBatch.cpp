#include "AppointmentBatch.h"

#include <algorithm>
#include <unordered_map>

#include "TimeRangeIndex.h"

namespace {

struct Range {
    double start, end;  // linear
    size_t index;       // into the batch, or the held ones
    bool held;
};

bool HoldsEqual(const std::unordered_multimap<double, const Appointment*>& byStart, const Appointment& a) {
    const auto range = byStart.equal_range(a.StartTime.Value());
    for (auto at = range.first; at != range.second; ++at)
        if (at->second->EndTime == a.EndTime && at->second->Description == a.Description.view()) return true;
    return false;
}

}  // namespace

AppointmentBatchResult AddAppointmentBatch(Appointments& appointments, std::vector<Appointment>& batch) {
    AppointmentBatchResult result;
    std::vector<const Appointment*> held;
    std::vector<Range> ranges;
    ranges.reserve(batch.size() + appointments.size());
    for (const auto& entry : appointments) {
        const Appointment& a = entry.second;
        const double start = a.StartTime.Linear(), end = a.EndTime.Linear();
        if (!(start <= end)) continue;  // reversed: holds nothing
        ranges.push_back({start, end, held.size(), true});
        held.push_back(&a);
    }
    for (size_t i = 0; i < batch.size(); ++i)
        ranges.push_back({batch[i].StartTime.Linear(), batch[i].EndTime.Linear(), i, false});
    std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) {
        return a.start != b.start ? a.start < b.start : a.held > b.held;
    });
    // Two ranges collide when they start together or each starts before the
    // other ends; a run holds the ranges chained that way.
    std::vector<bool> inRun(batch.size(), false);
    std::vector<const Appointment*> heldInRuns;
    for (size_t first = 0; first < ranges.size();) {
        size_t last = first + 1;
        double reach = ranges[first].end;
        while (last < ranges.size() && (ranges[last].start < reach || ranges[last].start == ranges[last - 1].start)) {
            reach = std::max(reach, ranges[last].end);
            ++last;
        }
        if (last - first > 1) {
            for (size_t i = first; i < last; ++i) {
                if (ranges[i].held) heldInRuns.push_back(held[ranges[i].index]);
                else inRun[ranges[i].index] = true;
            }
        }
        first = last;
    }
    // The runs, in batch order, against what the document held.
    TimeRangeIndex taken;
    std::unordered_multimap<double, const Appointment*> byStart;
    for (const Appointment* a : heldInRuns) {
        taken.Add(a->StartTime, a->EndTime);
        byStart.emplace(a->StartTime.Value(), a);
    }
    std::vector<bool> accepted(batch.size(), true);
    for (size_t i = 0; i < batch.size(); ++i) {
        if (!inRun[i]) continue;
        const Appointment& a = batch[i];
        BatchRejection rejected;
        if (taken.FindCollision(a.StartTime, a.EndTime, rejected.heldStart, rejected.heldEnd)) {
            accepted[i] = false;
            rejected.index = i;
            rejected.equal = HoldsEqual(byStart, a);
            result.rejected.push_back(rejected);
            continue;
        }
        taken.Add(a.StartTime, a.EndTime);
        byStart.emplace(a.StartTime.Value(), &a);
    }
    for (size_t i = 0; i < batch.size(); ++i) {
        if (!accepted[i]) continue;
        if (!appointments.HasIDLeft()) {
            result.stoppedNoID = true;
            break;
        }
        batch[i].ID = appointments.IssueID();
        appointments.Insert(batch[i].ID, std::move(batch[i]));
        ++result.added;
    }
    return result;
}
