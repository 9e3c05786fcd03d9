// The parse tree: nodes, and the walk over an element's attributes, which
// re-reads each attribute from input bytes the parser has already checked.
#include "SimpleXMLParser.h"

#include <cstring>

#include "XmlChars.h"

using namespace xmlchars;

void XmlNodeDeleter::operator()(XmlNode* node) const { node->Release(); }

void XmlNode::Release() { delete this; }

bool XmlNode::AddChild(std::unique_ptr<XmlNode>) { return false; }

const XmlNodeList* XmlNode::Children() const { return nullptr; }

XmlAttributeList XmlNode::Attributes() const { return {}; }

bool XmlElement::AddChild(std::unique_ptr<XmlNode> child)
{
    if (!child) return false;
    if (!children) children = std::make_unique<XmlNodeList>();
    children->emplace_back(child.release());
    return true;
}

const XmlNodeList* XmlElement::Children() const { return children && !children->empty() ? children.get() : nullptr; }

XmlAttributeList XmlElement::Attributes() const { return attributes; }

XmlComment::XmlComment() { name = "!"; }

XmlAttributeList::Iterator::Iterator(const char* cursor, const char* end, bool plain, bool references)
    : cursor_(cursor), next_(cursor), end_(end), plain_(plain), references_(references)
{
    if (cursor_ != end_) Start(cursor_);
}

XmlAttributeList::Iterator::Iterator(const Iterator& other)
    : cursor_(other.cursor_), next_(other.next_), end_(other.end_), plain_(other.plain_),
      references_(other.references_)
{
    if (cursor_ != end_) Start(cursor_);
}

XmlAttributeList::Iterator& XmlAttributeList::Iterator::operator=(const Iterator& other)
{
    if (this != &other) {
        cursor_ = other.cursor_;
        next_ = other.next_;
        end_ = other.end_;
        plain_ = other.plain_;
        references_ = other.references_;
        current_ = XmlAttribute();
        if (cursor_ != end_) Start(cursor_);
    }
    return *this;
}

void XmlAttributeList::Iterator::Start(const char* at)
{
    if (!plain_) {
        Read(at);
        return;
    }
    window_ = at;
#if defined(__SSE2__)
    LoadQuotes();
#endif
    TakePlain(at);
}

#if defined(__SSE2__)
void XmlAttributeList::Iterator::LoadQuotes()
{
    const size_t left = static_cast<size_t>(end_ - window_);
    if (left >= 64) {
        quotes_ = QuoteBits(window_);
    } else {
        // The last bytes: read from a copy, the rest of it zero bytes.
        char tail[64] = {};
        std::memcpy(tail, window_, left);
        quotes_ = QuoteBits(tail);
    }
}
#endif

void XmlAttributeList::Iterator::ReadPlainWithReferences(const char* open, const char* close)
{
    const char* const valueBegin = open + 1;
    if (std::memchr(valueBegin, '&', static_cast<size_t>(close - valueBegin))) {
        Decode(open - 1, valueBegin, close);
        return;
    }
    current_.name = std::string_view(cursor_, static_cast<size_t>(open - 1 - cursor_));
    current_.value = std::string_view(valueBegin, static_cast<size_t>(close - valueBegin));
}

// The bytes were checked by the parser: white space between attributes; a
// name, optional white space, "=", optional white space and a quoted value
// whose entity references are valid. Each of these is known to be followed by
// what comes next (the range ends just after the last closing quote), so the
// scans need no end test.
void XmlAttributeList::Iterator::Read(const char* from)
{
    from = SkipSpace(from, end_);
    cursor_ = from;
    if (from == end_) return;
    const char* nameEnd = SkipUntilKnown(from + 1, kNotName);
    const char* p = nameEnd;
    while (*p != '=') ++p;
    ++p;
    while (*p != '"' && *p != '\'') ++p;
    const char quote = *p++;
    const char* const valueBegin = p;
    // Only the closing quote or '&' can stop the scan in checked bytes.
    p = SkipUntilKnown(valueBegin, ValueStop(quote));
    // A CR where the name stopped is passed over when a name byte follows.
    const bool nameHasCr = *nameEnd == '\r' && Is(nameEnd[1], kNameChar);
    if (*p == quote && !nameHasCr) {
        next_ = p + 1;
        current_.name = std::string_view(from, static_cast<size_t>(nameEnd - from));
        current_.value = std::string_view(valueBegin, static_cast<size_t>(p - valueBegin));
        return;
    }
    if (nameHasCr) {
        bool hasCr = false;
        nameEnd = ScanName(from, end_, hasCr);
    }
    // Entity references never contain a quote, so the first one closes.
    const char* valueEnd = static_cast<const char*>(std::memchr(p, quote, static_cast<size_t>(end_ - p)));
    if (!valueEnd) valueEnd = end_;  // cannot happen on checked bytes; stay in range anyway
    next_ = valueEnd == end_ ? end_ : valueEnd + 1;
    Decode(nameEnd, valueBegin, valueEnd);
}

// An attribute whose name holds a CR or whose value holds an entity
// reference: name and value are built in decoded_ and both views point there.
void XmlAttributeList::Iterator::Decode(const char* nameEnd, const char* valueBegin, const char* valueEnd)
{
    decoded_.clear();
    for (const char* n = cursor_; n != nameEnd; ++n) {
        if (*n != '\r') decoded_ += *n;  // CRs inside a checked name are passed over
    }
    const size_t nameLength = decoded_.size();
    decoded_.reserve(nameLength + static_cast<size_t>(valueEnd - valueBegin));
    for (const char* v = valueBegin; v != valueEnd;) {
        const void* found = std::memchr(v, '&', static_cast<size_t>(valueEnd - v));
        const char* const reference = found ? static_cast<const char*>(found) : valueEnd;
        decoded_.append(v, reference);
        if (reference == valueEnd) break;
        char c;
        const char* errorAt;
        const char* after = ReadEntity(reference + 1, valueEnd, c, errorAt);
        if (!after) {  // unreachable on checked bytes; keep the byte as it is
            decoded_ += '&';
            v = reference + 1;
            continue;
        }
        decoded_ += c;
        v = after;
    }
    current_.name = std::string_view(decoded_.data(), nameLength);
    current_.value = std::string_view(decoded_.data() + nameLength, decoded_.size() - nameLength);
}
