// Appointments added to the document together, after a whole file is read:
// each one in order unless it collides with one the document holds or one
// added before it (ranges are half-open, so one that ends as another begins
// does not collide; an empty one is its moment). Most collide with nothing,
// which one sort of all the ranges shows; only those in a run of ranges that
// overlap are checked one by one against an index, so that a large calendar
// is not added range by range in the order of its series, which jumps back
// and forth in time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Collections.h"

// One left out: its place in the batch, and whether it is equal (start, end
// and description) to the one it collides with, which is given.
struct BatchRejection {
    size_t index = 0;
    bool equal = false;
    DateTime heldStart, heldEnd;
};

struct AppointmentBatchResult {
    int32_t added = 0;
    bool stoppedNoID = false;  // no ID was left for the rest
    std::vector<BatchRejection> rejected;  // in batch order
};

// Gives each appointment added the next ID, in batch order; the batch's
// records are moved from.
AppointmentBatchResult AddAppointmentBatch(Appointments& appointments, std::vector<Appointment>& batch);
