#include "Compact.h"

#include <vector>

#include "Collections.h"

size_t RemoveDoneTasksDueBefore(Tasks& tasks, const DateTime& day) {
    // Erase after the walk: erasing from the map being walked would invalidate it.
    std::vector<int32_t> finished;
    for (const auto& entry : tasks) {
        const Task& task = entry.second;
        if (task.Priority == kPriorityDone && task.DueDate.IsBefore(day)) finished.push_back(entry.first);
    }
    for (int32_t id : finished) tasks.Erase(id);
    return finished.size();
}
