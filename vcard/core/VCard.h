// The phone book as vCards: persons added to the document from a file of
// cards (versions 2.1, 3.0 and 4.0, in any mix), and every person written as
// a vCard 3.0. Files themselves are read and written by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "DelimitedText.h"
#include "VCardCodePages.h"

class PimDocument;

// A card that was skipped, or imported only in part: its 1-based number in
// the file, the line its BEGIN:VCARD is on, the line that names it (its FN,
// else its N, ORG or EMAIL line, else its first line; in the ANSI code page,
// cut to 80 bytes) and why, in a few words.
struct VCardNote {
    int32_t card = 0;
    int32_t line = 0;
    std::string firstLine;
    std::string reason;
};

struct VCardImportResult {
    int32_t added = 0;                 // persons added
    int32_t cards = 0;                 // cards met in the file
    std::vector<VCardNote> notes;      // the first kImportNotesKept, in file order
    int32_t notedCards = 0;            // all noted cards
    // Not imported, counted by kind ("second e-mail", "birthday", "photo",
    // "country", "card already in the phone book", ...), in the order first
    // met. Only cards that were added count what they held beyond our
    // fields.
    std::vector<std::pair<std::string, int32_t>> leftOut;
    int32_t lostCharacters = 0;        // characters the ANSI code page lacks, each now "?"
    int32_t stoppedAtCard = 0;         // the document had no person ID left at this card (0: never)
};

// Adds the persons of a file's whole bytes to the document. A card equal in
// every text field to a person already in the phone book (or added earlier
// from the same file) is not added again; a card with neither a name, a
// company nor an e-mail address, and a broken one (no END, a line that
// cannot be read), is skipped and noted. A person with a company lands in
// the Yellow Pages, others in the White Pages, unless the card's
// X-VANTREL-PAGES says otherwise. When anything was added the document is
// marked modified with one notification at the end, as the delimited import
// does.
VCardImportResult ImportVCards(PimDocument& document, const char* bytes, size_t length,
                               const VCardCodePages& codePages);

// vCard 3.0 text of every person, in ID order, in pieces of about a
// megabyte, to `sink`: UTF-8 without a mark, CR LF line ends, lines folded at
// 75 octets without splitting a character. An empty phone book gives no
// piece. True when the sink took every piece; after a refusal it is not
// called again.
bool ExportVCards(const PimDocument& document, const VCardCodePages& codePages, const ExportSink& sink);
