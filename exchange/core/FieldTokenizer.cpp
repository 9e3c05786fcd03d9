#include "FieldTokenizer.h"

#include "FieldScanner.h"

FieldTokenizer::FieldTokenizer(const ExchangeSettings& settings, const ExchangeLocale& locale)
    : separator_(settings.Separator.empty() ? '\0' : settings.Separator[0]),
      encloser_(settings.Encloser.empty() ? '\0' : settings.Encloser[0]),
      locale_(locale) {}

// The line is trimmed at both ends before each field. The line is one
// record: a line break outside an enclosed field ends it, and what follows
// the break is dropped with it. The file readers read by the same rules,
// straight from the file's text (FieldScanner), where an enclosed field may
// run over line breaks.
bool FieldTokenizer::NextField(std::string& line, std::string& field) const {
    // The scanner's byte tables are cheap to build next to a line's worth of
    // work; the wizard splits one line.
    const FieldScanner scanner(separator_, true, encloser_, encloser_ != '\0', locale_);
    const char* begin = line.data();
    const char* first = scanner.SkipSpace(begin, begin + line.size());
    const char* last = scanner.TrimmedEnd(first, begin + line.size());
    const char* at = first;
    switch (scanner.Read(at, last, true, &field)) {
        case FieldScanner::Result::kField:
            line.erase(0, static_cast<size_t>(at - begin));
            return true;
        case FieldScanner::Result::kLastField:
            line.clear();
            return true;
        default:
            line.clear();
            return false;
    }
}

std::string TrimSpace(const std::string& text, const ExchangeLocale& locale) {
    std::string trimmed = text;
    FieldScanner(',', false, '\0', false, locale).Trim(trimmed);
    return trimmed;
}
