// Trimming a document of finished work.
#pragma once

#include <cstddef>

#include "DateTime.h"

class Tasks;

// Erases every done task due before `day` (today at 00:00 when compacting);
// no other record changes and LastID stays. Returns how many went.
size_t RemoveDoneTasksDueBefore(Tasks& tasks, const DateTime& day);
