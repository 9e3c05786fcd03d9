// The parse tree: nodes, and the walk over an element's attributes, which
// re-reads each attribute from input bytes the parser has already checked.
#include "SimpleXMLParser.h"

#include <cstring>

#include "XmlChars.h"

using namespace xmlchars;

bool XmlNode::AddChild(std::unique_ptr<XmlNode>) { return false; }

const XmlNodeList* XmlNode::Children() const { return nullptr; }

XmlAttributeList XmlNode::Attributes() const { return {}; }

bool XmlElement::AddChild(std::unique_ptr<XmlNode> child)
{
    if (!child) return false;
    children.push_back(std::move(child));
    return true;
}

const XmlNodeList* XmlElement::Children() const { return children.empty() ? nullptr : &children; }

XmlAttributeList XmlElement::Attributes() const { return attributes; }

XmlComment::XmlComment() { name = "!"; }

XmlAttributeList::Iterator::Iterator(const char* cursor, const char* end)
    : cursor_(cursor), next_(cursor), end_(end)
{
    if (cursor_ != end_) ReadCurrent();
}

XmlAttributeList::Iterator& XmlAttributeList::Iterator::operator++()
{
    // Only white space separates attributes, and the range ends right after
    // the last closing quote.
    cursor_ = SkipSpace(next_, end_);
    if (cursor_ != end_) ReadCurrent();
    return *this;
}

// The bytes were checked by the parser: a name, optional white space, "=",
// optional white space and a quoted value whose entity references are valid.
void XmlAttributeList::Iterator::ReadCurrent()
{
    bool nameHasCr = false;
    const char* nameEnd = ScanName(cursor_, end_, nameHasCr);
    const char* p = SkipSpace(nameEnd, end_);
    p = SkipSpace(p + 1, end_);  // past '='
    const char quote = *p++;
    const char* valueBegin = p;
    // Entity references never contain a quote, so the first one closes.
    const char* valueEnd = static_cast<const char*>(std::memchr(valueBegin, quote, static_cast<size_t>(end_ - valueBegin)));
    if (!valueEnd) valueEnd = end_;  // cannot happen on checked bytes; stay in range anyway
    next_ = valueEnd == end_ ? end_ : valueEnd + 1;

    const size_t valueLength = static_cast<size_t>(valueEnd - valueBegin);
    const bool hasEntity = std::memchr(valueBegin, '&', valueLength) != nullptr;
    if (!hasEntity && !nameHasCr) {
        current_.name = std::string_view(cursor_, static_cast<size_t>(nameEnd - cursor_));
        current_.value = std::string_view(valueBegin, valueLength);
        return;
    }

    // Slow path: build "name" + "value" in decoded_, then point both views at it.
    decoded_.clear();
    for (const char* n = cursor_; n != nameEnd; ++n) {
        if (*n != '\r') decoded_ += *n;  // CRs inside a checked name are passed over
    }
    const size_t nameLength = decoded_.size();
    for (const char* v = valueBegin; v != valueEnd;) {
        if (*v != '&') {
            decoded_ += *v++;
            continue;
        }
        char c;
        const char* errorAt;
        const char* after = ReadEntity(v + 1, valueEnd, c, errorAt);
        if (!after) {  // unreachable on checked bytes; keep the byte as it is
            decoded_ += *v++;
            continue;
        }
        decoded_ += c;
        v = after;
    }
    current_.name = std::string_view(decoded_.data(), nameLength);
    current_.value = std::string_view(decoded_.data() + nameLength, decoded_.size() - nameLength);
}

XmlAttributeList::Iterator::Iterator(const Iterator& other)
    : cursor_(other.cursor_), next_(other.next_), end_(other.end_)
{
    if (cursor_ != end_) ReadCurrent();
}

XmlAttributeList::Iterator& XmlAttributeList::Iterator::operator=(const Iterator& other)
{
    if (this != &other) {
        cursor_ = other.cursor_;
        next_ = other.next_;
        end_ = other.end_;
        current_ = XmlAttribute();
        if (cursor_ != end_) ReadCurrent();
    }
    return *this;
}
