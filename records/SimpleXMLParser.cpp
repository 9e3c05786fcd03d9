// The XML grammar: one checking pass over the input that builds the element
// and comment tree. Attributes are checked here but not stored; each element
// keeps the range of bytes that holds them (see XmlTree.cpp).
//
// Line and column are not tracked while parsing; an error computes them from
// the bytes before the error position (see PositionOf).
#include "SimpleXMLParser.h"

#include <climits>
#include <vector>

#include "XmlChars.h"

using namespace xmlchars;

namespace {

// An element whose name held a CR: the reader passes over it, so the name is
// not a plain slice of the input and has to be kept as a copy.
class XmlElementWithOwnName : public XmlElement {
public:
    explicit XmlElementWithOwnName(std::string ownName) : ownName_(std::move(ownName)) { name = ownName_; }

private:
    std::string ownName_;
};

// Position rules for errors: an error names the byte that cannot be accepted
// (for a fixed word that does not match, such as "/>" or "?>", the start of
// the word; at the end of the input, the end). Line and column are those of
// the reader's cursor standing on that byte: the reader starts at line 1,
// column 1; a line feed it returns advances the line and sets column 1; every
// other byte it returns advances the column. A CR that the reader passes over
// is not returned, so it moves neither (CR LF files get the same columns as LF
// files); a CR directly after a passed-over CR is returned and counts.
void PositionOf(const char* begin, const char* at, int32_t& line, int32_t& column)
{
    long long l = 1;
    long long c = 1;
    for (const char* q = begin; q < at;) {
        char b = *q++;
        if (b == '\r') {
            if (q >= at) break;
            b = *q++;
        }
        if (b == '\n') {
            ++l;
            c = 1;
        } else {
            ++c;
        }
    }
    line = static_cast<int32_t>(l < INT32_MAX ? l : INT32_MAX);
    column = static_cast<int32_t>(c < INT32_MAX ? c : INT32_MAX);
}

}  // namespace

class XmlGrammar {
public:
    XmlGrammar(SimpleXMLParser& parser, const char* begin, const char* end)
        : parser_(parser), begin_(begin), end_(end)
    {
    }

    std::unique_ptr<XmlElement> Document();

private:
    [[noreturn]] void Fail(const char* at);
    const char* Expect(const char* p, const char* word);
    const char* Match(const char* p, const char* word) const;
    const char* Declaration(const char* p);
    const char* QuotedToken(const char* p, bool letterFirst, std::string* out);
    const char* Misc(const char* p);
    const char* Comment(const char* p, std::string* text);
    const char* Cdata(const char* p, std::string& text);
    const char* Entity(const char* p, std::string* text);
    const char* StartTag(const char* p, XmlElement* parent, std::unique_ptr<XmlElement>* root, XmlElement*& element,
                         bool& empty);
    const char* Value(const char* p, char quote);
    const char* EndTag(const char* p, const XmlElement& element);
    const char* Content(const char* p, XmlElement* root);

    SimpleXMLParser& parser_;
    const char* begin_;
    const char* end_;
};

void XmlGrammar::Fail(const char* at)
{
    PositionOf(begin_, at, parser_.line_, parser_.column_);
    parser_.cursor_ = at;
    throw SimpleXMLParser::Exception(parser_.line_, parser_.column_);
}

// Matches a fixed word through the reader; nullptr when it does not match
// (the caller's position is untouched, which is the reader's step back).
const char* XmlGrammar::Match(const char* p, const char* word) const
{
    for (; *word; ++word) {
        const char* at;
        if (Look(p, end_, at) != *word) return nullptr;
        p = at + 1;
    }
    return p;
}

const char* XmlGrammar::Expect(const char* p, const char* word)
{
    const char* after = Match(p, word);
    if (!after) Fail(p);
    return after;
}

std::unique_ptr<XmlElement> XmlGrammar::Document()
{
    const char* p = Declaration(begin_);
    p = Misc(p);
    const char* at;
    if (Look(p, end_, at) != '<' || !Is(Look(at + 1, end_, at), kNameStart)) Fail(at);
    std::unique_ptr<XmlElement> root;
    XmlElement* element;
    bool empty;
    p = StartTag(at, nullptr, &root, element, empty);
    if (!empty) p = Content(p, element);
    Misc(p);  // whatever follows the trailing comments is not examined
    return root;
}

// "<?xml" in any letter case, only at the very first byte.
const char* XmlGrammar::Declaration(const char* p)
{
    static const char kWord[] = "<?xml";
    for (const char* w = kWord; *w; ++w) {
        const char* at;
        char c = Look(p, end_, at);
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != *w) return begin_;  // no declaration
        p = at + 1;
    }
    const char* at;
    if (!Is(Look(p, end_, at), kSpace)) Fail(at);
    p = Expect(SkipSpace(p, end_), "version");
    p = Expect(SkipSpace(p, end_), "=");
    std::string version;
    p = QuotedToken(SkipSpace(p, end_), false, &version);
    parser_.version_ = version;
    // The white space before "encoding" is optional here, as it is before "?>".
    p = SkipSpace(p, end_);
    if (const char* after = Match(p, "encoding")) {
        p = Expect(SkipSpace(after, end_), "=");
        p = QuotedToken(SkipSpace(p, end_), true, nullptr);
        p = SkipSpace(p, end_);
    }
    return Expect(p, "?>");
}

// A quoted version value (one or more name bytes) or encoding name (a letter,
// then name bytes), read through the reader.
const char* XmlGrammar::QuotedToken(const char* p, bool letterFirst, std::string* out)
{
    const char* at;
    const char quote = Look(p, end_, at);
    if (quote != '"' && quote != '\'') Fail(at);
    char c = Look(at + 1, end_, at);
    const bool firstOk = letterFirst ? (Is(c, kNameStart) && c != '_' && c != ':') : Is(c, kNameChar);
    if (!firstOk) Fail(at);
    for (; Is(c, kNameChar); c = Look(at + 1, end_, at)) {
        if (out) *out += c;
    }
    if (c != quote) Fail(at);
    return at + 1;
}

// White space and comments, discarded.
const char* XmlGrammar::Misc(const char* p)
{
    for (;;) {
        p = SkipSpace(p, end_);
        const char* after = Match(p, "<!--");
        if (!after) return p;
        p = Comment(after, nullptr);
    }
}

// The body of a comment, after "<!--". The first "--" must be followed by '>'.
const char* XmlGrammar::Comment(const char* p, std::string* text)
{
    const char* const begin = p;
    for (;; ++p) {
        while (p != end_ && *p != '-' && *p != '\0') ++p;
        if (p == end_ || *p == '\0') Fail(p);
        const char* at;
        if (Look(p + 1, end_, at) != '-') continue;
        const char* second = at;
        if (Look(second + 1, end_, at) != '>') Fail(at);
        if (text) text->assign(begin, p);
        return at + 1;
    }
}

// A CDATA section after "<![CDATA[", up to the first "]]>".
const char* XmlGrammar::Cdata(const char* p, std::string& text)
{
    for (const char* const begin = p;; ++p) {
        if (p == end_) Fail(p);
        if (*p == ']') {
            if (const char* after = Match(p, "]]>")) {
                text.append(begin, p);
                return after;
            }
        } else if (!Is(*p, kCdataByte)) {
            Fail(p);
        }
    }
}

// An entity reference at p ('&'); appends its character when text is given.
const char* XmlGrammar::Entity(const char* p, std::string* text)
{
    char c;
    const char* errorAt;
    const char* after = ReadEntity(p + 1, end_, c, errorAt);
    if (!after) Fail(errorAt);
    if (text) *text += c;
    return after;
}

// A start tag from its name (p) to after "/>" or ">". The new element goes
// into `parent`'s children, or into `root` when there is no parent; it is owned
// before its attributes are checked, so an error releases it with the tree.
const char* XmlGrammar::StartTag(const char* p, XmlElement* parent, std::unique_ptr<XmlElement>* root,
                                 XmlElement*& element, bool& empty)
{
    bool nameHasCr = false;
    const char* const nameBegin = p;
    p = ScanName(p, end_, nameHasCr);
    std::unique_ptr<XmlElement> created;
    if (nameHasCr) {
        std::string name;
        for (const char* n = nameBegin; n != p; ++n) {
            if (*n != '\r') name += *n;
        }
        created = std::make_unique<XmlElementWithOwnName>(std::move(name));
    } else {
        created = std::make_unique<XmlElement>();
        created->name = std::string_view(nameBegin, static_cast<size_t>(p - nameBegin));
    }
    element = created.get();
    if (parent) {
        parent->children.push_back(std::move(created));
    } else {
        *root = std::move(created);
    }

    const char* attributesBegin = nullptr;
    const char* attributesEnd = nullptr;
    for (;;) {
        // An attribute needs white space before it, as the reader sees it: a
        // lone CR is passed over and does not separate.
        const char* at;
        if (!Is(Look(p, end_, at), kSpace)) break;
        p = SkipSpace(at, end_);
        if (p == end_ || !Is(*p, kNameStart)) break;
        if (!attributesBegin) attributesBegin = p;
        bool attributeNameHasCr = false;  // the walk strips such CRs again
        p = SkipSpace(ScanName(p, end_, attributeNameHasCr), end_);
        if (p == end_ || *p != '=') Fail(p);
        p = SkipSpace(p + 1, end_);
        if (p == end_ || (*p != '"' && *p != '\'')) Fail(p);
        p = Value(p + 1, *p);
        attributesEnd = p;
    }
    if (attributesBegin) element->attributes = XmlAttributeList(attributesBegin, attributesEnd);

    const char* at;
    const char c = Look(p, end_, at);
    empty = c == '/';
    if (empty) return Expect(at, "/>");
    if (c != '>') Fail(at);
    return at + 1;
}

// Checks an attribute value after its opening quote; returns the position
// after the closing quote.
const char* XmlGrammar::Value(const char* p, char quote)
{
    for (;;) {
        p = SkipValueBytes(p, end_, quote);
        if (p == end_) Fail(p);
        if (*p == quote) return p + 1;
        if (*p != '&') Fail(p);  // '<' or a zero byte (the end mark)
        p = Entity(p, nullptr);
    }
}

// The rest of an end tag after "</": the same name, optional white space, '>'.
const char* XmlGrammar::EndTag(const char* p, const XmlElement& element)
{
    const char* at;
    char c = Look(p, end_, at);
    const char* const nameAt = at;
    if (!Is(c, kNameStart)) Fail(nameAt);
    for (char expected : element.name) {
        if (c != expected) Fail(nameAt);
        c = Look(at + 1, end_, at);
    }
    if (Is(c, kNameChar)) Fail(nameAt);  // longer than the element's name
    p = SkipSpace(at, end_);
    return Expect(p, ">");
}

// Element content up to the end tag of `root`, nested elements included.
// Nesting is kept on an explicit stack bounded by kMaxDepth.
const char* XmlGrammar::Content(const char* p, XmlElement* root)
{
    std::vector<XmlElement*> open;
    open.reserve(SimpleXMLParser::kMaxDepth);
    open.push_back(root);
    while (!open.empty()) {
        XmlElement* const element = open.back();
        const char* run = p;
        for (;;) {
            while (p != end_ && !Is(*p, kTextStop)) ++p;
            if (p == end_ || *p == '\0') Fail(p);
            if (*p != ']') break;
            if (Match(p, "]]>")) Fail(p);
            ++p;
        }
        element->text.append(run, p);
        if (*p == '&') {
            p = Entity(p, &element->text);
            continue;
        }
        // '<': what follows decides.
        const char* at;
        const char c = Look(p + 1, end_, at);
        if (c == '/') {
            p = EndTag(at + 1, *element);
            open.pop_back();
        } else if (c == '!') {
            if (const char* after = Match(p, "<!--")) {
                auto comment = std::make_unique<XmlComment>();
                p = Comment(after, &comment->text);
                element->children.push_back(std::move(comment));
            } else if (const char* cdata = Match(p, "<![CDATA[")) {
                p = Cdata(cdata, element->text);
            } else {
                Fail(p);
            }
        } else if (Is(c, kNameStart)) {
            if (open.size() >= static_cast<size_t>(SimpleXMLParser::kMaxDepth)) Fail(p);
            XmlElement* child;
            bool empty;
            p = StartTag(at, element, nullptr, child, empty);
            if (!empty) open.push_back(child);
        } else {
            Fail(at);
        }
    }
    return p;
}

std::unique_ptr<XmlElement> SimpleXMLParser::Parse(const char* bytes, size_t length)
{
    start_ = bytes;
    cursor_ = bytes;
    end_ = bytes + length;
    line_ = 1;
    column_ = 1;
    version_ = "1.0";
    XmlGrammar grammar(*this, start_, end_);
    std::unique_ptr<XmlElement> root = grammar.Document();
    return root;
}
