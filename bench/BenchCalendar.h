// The iCalendar part of bench_exchange.
#pragma once

// Reads and expands 10,000 events, half of them weekly for a year, against
// the delimited import of the same appointments; prints one table row.
void CalendarTable(int rounds);
