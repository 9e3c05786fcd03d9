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

// The same order in two steps, so that switching between the White and the
// Yellow Pages need not compare names again: the IDs of all `persons` by
// name, worked out once per change of the document...
std::vector<int32_t> PersonsByName(const Persons& persons);
// ...and from them the IDs of the persons listed in `mode`, in the order
// OrderPhoneBookRows gives their rows. Persons of `byName` no longer in
// `persons` are left out.
std::vector<int32_t> PhoneBookOrder(const Persons& persons, PhoneBookMode mode,
                                    const std::vector<int32_t>& byName);
