#include "FieldScanner.h"

namespace {

using Byte = unsigned char;

bool IsBreak(Byte c) { return c == '\r' || c == '\n'; }

bool IsOctal(Byte c) { return c >= '0' && c <= '7'; }

}  // namespace

FieldScanner::FieldScanner(char separator, bool hasSeparator, char encloser, bool hasEncloser,
                           const ExchangeLocale& locale)
    : separator_(separator),
      hasSeparator_(hasSeparator && !IsBreak(static_cast<Byte>(separator))),
      encloser_(encloser),
      hasEncloser_(hasEncloser && !IsBreak(static_cast<Byte>(encloser))) {
    const std::array<bool, 256>& space = locale.SpaceBytes();
    const std::array<bool, 256>& lead = locale.LeadBytes();
    for (size_t c = 0; c < 256; ++c) {
        lead_[c] = lead[c];
        anyLead_ = anyLead_ || lead[c];
        // A lead byte begins a character of two bytes, which is never white
        // space.
        space_[c] = space[c] && !lead[c];
        blank_[c] = space_[c] && !IsBreak(static_cast<Byte>(c));
        plainStop_[c] = space_[c] || lead_[c] || IsBreak(static_cast<Byte>(c));
        enclosedStop_[c] = lead_[c] || IsBreak(static_cast<Byte>(c)) || c == '\\';
    }
    if (hasSeparator_) plainStop_[static_cast<Byte>(separator_)] = true;
    if (hasEncloser_) enclosedStop_[static_cast<Byte>(encloser_)] = true;
}

FieldScanner FieldScanner::ForSettings(const ExchangeSettings& settings,
                                       const ExchangeLocale& locale) {
    const char separator = settings.Separator.empty() ? '\0' : settings.Separator[0];
    const char encloser = settings.Encloser.empty() ? '\0' : settings.Encloser[0];
    return FieldScanner(separator, true, encloser, encloser != '\0', locale);
}

FieldScanner::Result FieldScanner::Read(const char*& at, const char* stop, bool stopIsTextEnd,
                                        std::string* out, bool oneLine, Shape* shape) const {
    if (out) out->clear();
    if (shape) *shape = Shape();
    const Byte* p = reinterpret_cast<const Byte*>(at);
    const Byte* end = reinterpret_cast<const Byte*>(stop);
    while (p < end && blank_[*p]) ++p;
    if (p == end) {
        at = stop;
        return stopIsTextEnd ? Result::kNoField : Result::kTooLong;
    }
    if (IsBreak(*p)) {
        at = reinterpret_cast<const char*>(p);
        return Result::kNoField;
    }
    // The separator is looked at first, so a field cannot begin with it.
    if (hasSeparator_ && *p == static_cast<Byte>(separator_)) {
        at = reinterpret_cast<const char*>(p + 1);
        return Result::kField;
    }
    if (hasEncloser_ && *p == static_cast<Byte>(encloser_)) {
        bool unclosed = false;
        const Result result = ReadEnclosed(at, p + 1, stop, stopIsTextEnd, out, oneLine, unclosed);
        if (shape) *shape = Shape{true, unclosed};
        return result;
    }
    return ReadPlain(at, p, stop, stopIsTextEnd, out);
}

FieldScanner::Result FieldScanner::ReadPlain(const char*& at, const Byte* p, const char* stop,
                                             bool stopIsTextEnd, std::string* out) const {
    const Byte* end = reinterpret_cast<const Byte*>(stop);
    const char* start = reinterpret_cast<const char*>(p);
    const Byte* kept = p;  // the end of the field without its trailing white space
    for (;;) {
        const Byte* run = p;
        while (p < end && !plainStop_[*p]) ++p;
        if (p != run) kept = p;
        if (p == end) {
            if (!stopIsTextEnd) return Result::kTooLong;
            if (out) out->assign(start, reinterpret_cast<const char*>(kept));
            at = stop;
            return Result::kLastField;
        }
        const Byte c = *p;
        if (hasSeparator_ && c == static_cast<Byte>(separator_)) {
            if (blank_[c]) {
                // A Space or Tab separator with nothing but white space after
                // it is part of the white space that ends the line.
                const Byte* after = p + 1;
                while (after < end && blank_[*after]) ++after;
                if (after == end || IsBreak(*after)) {
                    if (after == end && !stopIsTextEnd) return Result::kTooLong;
                    if (out) out->assign(start, reinterpret_cast<const char*>(kept));
                    at = after == end ? stop : reinterpret_cast<const char*>(after);
                    return Result::kLastField;
                }
            }
            // White space before the separator stays: only a line's ends are
            // trimmed.
            if (out) out->assign(start, reinterpret_cast<const char*>(p));
            at = reinterpret_cast<const char*>(p + 1);
            return Result::kField;
        }
        if (IsBreak(c)) {
            if (out) out->assign(start, reinterpret_cast<const char*>(kept));
            at = reinterpret_cast<const char*>(p);
            return Result::kLastField;
        }
        if (lead_[c]) {
            p += CharLength(reinterpret_cast<const char*>(p), stop);
            kept = p;
        } else {
            ++p;  // white space, kept only when more of the field follows
        }
    }
}

FieldScanner::Result FieldScanner::ReadEnclosed(const char*& at, const Byte* p, const char* stop,
                                                bool stopIsTextEnd, std::string* out, bool oneLine,
                                                bool& unclosed) const {
    const Byte* end = reinterpret_cast<const Byte*>(stop);
    const char* endAt = stop;  // where the record goes on when the field reaches `end`
    bool endIsTextEnd = stopIsTextEnd;
    if (oneLine) {
        // On one line the field reaches no further than the line's text
        // without its trailing white space, as if the line were the text.
        const Byte* lineEnd = p;
        while (lineEnd < end && !IsBreak(*lineEnd)) ++lineEnd;
        endAt = reinterpret_cast<const char*>(lineEnd);
        end = reinterpret_cast<const Byte*>(TrimmedEnd(reinterpret_cast<const char*>(p), endAt));
        stop = reinterpret_cast<const char*>(end);
        endIsTextEnd = true;
    }
    const Byte encloser = static_cast<Byte>(encloser_);
    const Byte separator = static_cast<Byte>(separator_);
    bool overBreak = false;  // the field ran over a line break
    // Where the text (or the line) ends inside the field, the field ends
    // with it: a closing encloser or a backslash as the very last character
    // is not copied. A field that ran over a line break may not end so: it
    // was never closed.
    auto endsAtStop = [&](bool closed) {
        if (!endIsTextEnd || (overBreak && !closed)) return Result::kTooLong;
        unclosed = !closed;
        at = endAt;
        return Result::kLastField;
    };
    for (;;) {
        const Byte* run = p;
        while (p < end && !enclosedStop_[*p]) ++p;
        if (out && p != run)
            out->append(reinterpret_cast<const char*>(run), static_cast<size_t>(p - run));
        if (p == end) return endsAtStop(false);
        const Byte c = *p;
        if (c == encloser && hasEncloser_) {
            if (p + 1 == end) return endsAtStop(true);
            const Byte next = p[1];
            if (next == encloser) {  // doubled: one encloser of the text
                if (out) out->push_back(static_cast<char>(encloser));
                p += 2;
                continue;
            }
            if (hasSeparator_ && next == separator) {
                at = reinterpret_cast<const char*>(p + 2);
                return Result::kField;
            }
            // A closing encloser followed by nothing but white space up to
            // the line's end ends the field and the record; followed by
            // anything else it is dropped and the field goes on.
            const Byte* after = p + 1;
            while (after < end && blank_[*after]) ++after;
            if (after == end) return endsAtStop(true);
            if (IsBreak(*after)) {
                at = reinterpret_cast<const char*>(after);
                return Result::kLastField;
            }
            ++p;
            continue;
        }
        if (c == '\\') {
            if (p + 1 == end) return endsAtStop(false);
            const Byte next = p[1];
            // An escaped line break is text, but it still runs the field
            // onto the next line.
            if (IsBreak(next)) overBreak = true;
            char value = 0;
            switch (next) {
                case 'a': value = '\a'; break;
                case 'b': value = '\b'; break;
                case 'f': value = '\f'; break;
                case 'n': value = '\n'; break;
                case 'r': value = '\r'; break;
                case 't': value = '\t'; break;
                case 'v': value = '\v'; break;
                default: break;
            }
            if (value != 0) {
                if (out) out->push_back(value);
                p += 2;
            } else if (IsOctal(next)) {
                // One to three octal digits; the value is kept to a byte.
                unsigned code = 0;
                const Byte* digit = p + 1;
                for (int count = 0; count < 3 && digit < end && IsOctal(*digit); ++count, ++digit)
                    code = code * 8 + (*digit - '0');
                if (out) out->push_back(static_cast<char>(code & 0xFF));
                p = digit;
            } else {
                // Any other character stands for itself: an escaped encloser,
                // separator, backslash or line break is text.
                const size_t length = CharLength(reinterpret_cast<const char*>(p + 1), stop);
                if (out) out->append(reinterpret_cast<const char*>(p + 1), length);
                p += 1 + length;
            }
            continue;
        }
        if (IsBreak(c)) {
            // The field runs over line breaks until its closing encloser,
            // and keeps them as written (CR LF stays CR LF).
            overBreak = true;
            if (out) out->push_back(static_cast<char>(c));
            ++p;
            continue;
        }
        // A lead byte: its character is copied whole.
        const size_t length = CharLength(reinterpret_cast<const char*>(p), stop);
        if (out) out->append(reinterpret_cast<const char*>(p), length);
        p += length;
    }
}

const char* FieldScanner::SkipSpace(const char* begin, const char* end) const {
    // White space is never part of a double-byte character's start, so the
    // front can be scanned byte by byte.
    while (begin < end && space_[static_cast<Byte>(*begin)]) ++begin;
    return begin;
}

const char* FieldScanner::TrimmedEnd(const char* begin, const char* end) const {
    if (!anyLead_) {
        while (end > begin && space_[static_cast<Byte>(end[-1])]) --end;
        return end;
    }
    // A trailing byte may belong to a double-byte character: walk forward.
    const char* kept = begin;
    for (const char* p = begin; p < end;) {
        const size_t length = CharLength(p, end);
        if (length == 2 || !space_[static_cast<Byte>(*p)]) kept = p + length;
        p += length;
    }
    return kept;
}

void FieldScanner::Trim(std::string& text) const {
    if (text.empty()) return;
    if (!anyLead_ && !space_[static_cast<Byte>(text.front())] && !space_[static_cast<Byte>(text.back())])
        return;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* first = SkipSpace(begin, end);
    const char* last = TrimmedEnd(first, end);
    text.resize(static_cast<size_t>(last - begin));
    text.erase(0, static_cast<size_t>(first - begin));
}
