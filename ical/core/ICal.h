// The calendar as iCalendar (.ics): appointments and tasks added to the
// document from the files web calendars, mail programs and phones write, and
// every appointment and task written as a file they read. Files themselves
// are read and written by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "CalendarZones.h"
#include "DateTime.h"
#include "DelimitedText.h"
#include "VCardCodePages.h"

class ExchangeLocale;
class PimDocument;

// An event or to-do that was left out, or brought in otherwise than as it
// stands: its summary (in the ANSI code page, cut to 80 bytes), the local
// date it begins or is due on (invalid when it has none), and why, in a few
// words ("collides with the appointment of", "a rule we
// cannot read", "a zone we do not know: Mars/Olympus", "more than 1,000
// occurrences").
struct ICalNote {
    std::string summary;
    DateTime date;
    std::string reason;
    // For a collision, the appointment it collides with (the report shows
    // its date and times after the reason); invalid otherwise.
    DateTime heldStart, heldEnd;
};

struct ICalImportResult {
    int32_t appointmentsAdded = 0;
    int32_t tasksAdded = 0;
    std::vector<ICalNote> notes;  // the first kICalNotesKept, in file order
    int32_t notedItems = 0;       // all noted events and to-dos
    // Counted by kind, in the order first met: "all-day events turned into
    // tasks", "already in this document", ...
    std::vector<std::pair<std::string, int32_t>> counted;
    int32_t lostCharacters = 0;  // characters the ANSI code page lacks, each now "?"
    bool stoppedNoID = false;    // the document had no appointment or task ID left
};

constexpr size_t kICalNotesKept = 200;

// Adds the events and to-dos of a file's whole bytes to the document, as
// local appointments and tasks. Recurring events are expanded from their
// start up to two years after today (at most 1,000 occurrences each);
// all-day events become a task for each day they cover. An appointment that
// collides with one in the document (or added earlier from the file) is
// left out; an appointment or task equal to one already there is not added
// again. When anything was added the document is marked modified with one
// notification at the end.
ICalImportResult ImportICalendar(PimDocument& document, const char* bytes, size_t length,
                                 const VCardCodePages& codePages, const CalendarZones& zones);

// iCalendar 2.0 text of every appointment (a VEVENT in UTC, with a VALARM
// when it has an alarm) and every task (a VTODO due on its day), in ID
// order, in pieces of about a megabyte, to `sink`: UTF-8, CR LF line ends,
// lines folded at 75 octets without splitting a character. A record keeps
// its UID from one export of the same document to the next. True when the
// sink took every piece.
bool ExportICalendar(const PimDocument& document, const VCardCodePages& codePages, const CalendarZones& zones,
                     const ExportSink& sink);

// The box after the count, when anything was left out or brought in
// otherwise: the file's name with one line per noted item, then the counts
// by kind, then the characters lost. Empty when there is nothing to say.
std::string ICalImportReport(const std::string& fileName, const ICalImportResult& result,
                             const ExchangeLocale& locale);
