// The order of the phone list's rows, worked out by the view itself.
//
// The list once kept its rows sorted by name with its own ascending sort,
// which compares names in the user's locale rather than byte by byte. Its
// rows now live in the view (the list asks for them), so the view orders
// them exactly as that sort showed them.
#pragma once

#include <vector>

#include "DayRows.h"

// Orders `rows` as the list's own sort would show them after inserting them
// in ascending ID order; in the Yellow Pages the rows are then ordered by
// company, byte by byte, rows of one company keeping their name order.
void OrderPhoneBookRows(std::vector<PhoneBookRow>& rows, PhoneBookMode mode);
