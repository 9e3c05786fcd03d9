#include <string>

#include "ExchangeLocale.h"
#include "ICal.h"

namespace {

std::string Plural(int32_t count, const std::string& one) {
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

}  // namespace

std::string ICalImportReport(const std::string& fileName, const ICalImportResult& result,
                             const ExchangeLocale& locale) {
    std::string text;
    if (result.notedItems > 0) {
        text = "Some events and to-dos of " + fileName + " were not imported, or not as they stand:\n";
        for (const ICalNote& note : result.notes) {
            text += "\n" + note.summary;
            if (note.date.IsValid()) text += " (" + locale.FormatShortDate(note.date) + ")";
            text += ": " + note.reason;
            if (note.heldStart.IsValid())
                text += " " + locale.FormatShortDate(note.heldStart) + " " + locale.FormatTime(note.heldStart) + "-" +
                        locale.FormatTime(note.heldEnd);
            text += ".";
        }
        const int32_t more = result.notedItems - static_cast<int32_t>(result.notes.size());
        if (more > 0) text += "\n... and " + std::to_string(more) + " more.";
    }
    if (!result.counted.empty()) {
        if (!text.empty()) text += "\n\n";
        text += "From " + fileName + ", counted by kind:";
        for (const auto& kind : result.counted) text += "\n" + kind.first + ": " + std::to_string(kind.second);
    }
    if (result.lostCharacters > 0) {
        if (!text.empty()) text += "\n\n";
        text += Plural(result.lostCharacters, "character") +
                " that Windows cannot show in this program's text became \"?\".";
    }
    return text;
}
