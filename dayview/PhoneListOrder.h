// The order of the phone list's rows, worked out before the rows go in.
//
// The list keeps its rows sorted by name with its own ascending sort, which
// compares names in the user's locale rather than byte by byte. Letting the list place
// each row costs a walk over the rows already in it, so ten thousand names
// take seconds; instead the rows are put in this order and appended to a
// list whose sorting is switched off while it is filled.
#pragma once

#include <vector>

#include "DayRows.h"

// Orders `rows` as the list's own sort would show them after inserting them
// in ascending ID order; in the Yellow Pages the rows are then ordered by
// company, byte by byte, rows of one company keeping their name order.
void OrderPhoneBookRows(std::vector<PhoneBookRow>& rows, PhoneBookMode mode);
