// The XML grammar: one checking pass over the input that builds the element
// and comment tree. Attributes are checked here but not stored; each element
// keeps the range of bytes that holds them (see XmlTree.cpp).
//
// The nodes of a parsed tree live in blocks owned by its root, not in one
// heap allocation each: a document file has an element per record.
//
// Line and column are not tracked while parsing; an error computes them from
// the bytes before the error position (see PositionOf).
#include "SimpleXMLParser.h"

#include <climits>
#include <cstring>
#include <new>
#include <utility>
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

std::string WithoutCr(const char* begin, const char* end)
{
    std::string name;
    for (const char* n = begin; n != end; ++n) {
        if (*n != '\r') name += *n;
    }
    return name;
}

// Storage for the nodes of one tree, handed out in order from large blocks
// and given back all at once.
class NodeBlocks {
public:
    NodeBlocks() = default;
    NodeBlocks(const NodeBlocks&) = delete;
    NodeBlocks& operator=(const NodeBlocks&) = delete;
    ~NodeBlocks()
    {
        while (blocks_) {
            Block* block = blocks_;
            blocks_ = block->next;
            ::operator delete(block);
        }
    }

    template <typename Node>
    void* Allocate()
    {
        static_assert(alignof(Node) <= kAlign, "nodes hold nothing more strictly aligned than a pointer");
        constexpr size_t size = (sizeof(Node) + kAlign - 1) / kAlign * kAlign;
        if (static_cast<size_t>(limit_ - next_) < size) NewBlock();
        void* place = next_;
        next_ += size;
        return place;
    }

    // Where the next node would go; Rewind hands the storage from there on
    // out again once every node placed since is destroyed. A mark in an
    // earlier block only lets the current one be reused from its start.
    struct Mark {
        const void* block;
        char* next;
    };
    Mark Here() const { return {blocks_, next_}; }
    void Rewind(const Mark& mark)
    {
        if (!blocks_) return;
        next_ = mark.block == blocks_ ? mark.next : reinterpret_cast<char*>(blocks_) + sizeof(Block);
    }

private:
    struct Block {
        Block* next;
    };
    static constexpr size_t kAlign = alignof(Block);
    static constexpr size_t kBlockSize = 64 * 1024;

    void NewBlock()
    {
        Block* block = static_cast<Block*>(::operator new(kBlockSize));
        block->next = blocks_;
        blocks_ = block;
        next_ = reinterpret_cast<char*>(block) + sizeof(Block);
        limit_ = reinterpret_cast<char*>(block) + kBlockSize;
    }

    Block* blocks_ = nullptr;
    char* next_ = nullptr;
    char* limit_ = nullptr;
};

// A node placed in NodeBlocks: letting it go runs its destructor only.
template <typename Node>
class InBlocks final : public Node {
public:
    using Node::Node;

private:
    void Release() override { this->~InBlocks(); }
};

// The root of a parsed tree, made with new like any node a caller may hold;
// it owns the blocks of all the other nodes.
class XmlRoot final : public XmlElement {
public:
    ~XmlRoot() override { children.reset(); }  // the nodes before the blocks that hold them

    NodeBlocks blocks;
    std::string ownName;  // the name, when it held a CR
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
    XmlGrammar(SimpleXMLParser& parser, const char* begin, const char* end, XmlLevelReader* reader)
        : parser_(parser), begin_(begin), end_(end), reader_(reader)
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
    template <typename Node, typename... Args>
    Node* Add(XmlElement& parent, Args&&... args);
    const char* StartTag(const char* p, XmlElement& parent, XmlElement*& element, bool& empty);
    const char* TagRest(const char* p, XmlElement& element, bool& empty);
#if XMLCHARS_WINDOWS
    static const char* PlainAttributes(const char* p, const char*& attributesBegin, const char*& attributesEnd,
                                       bool& windowFull);
#endif
    const char* Value(const char* p, char quote, bool& reference);
    const char* EndTag(const char* p, const XmlElement& element);
    const char* Content(const char* p, XmlElement* root);
    void HandOver(XmlElement& parent);
    const char* InForm(const char* p);

    SimpleXMLParser& parser_;
    const char* begin_;
    const char* end_;
    XmlLevelReader* reader_;
    NodeBlocks* blocks_ = nullptr;  // the root's
    NodeBlocks::Mark grandchildAt_{};  // where the open grandchild's nodes begin
    // The reader's form for the open child's grandchildren, and what InForm
    // reads one into.
    const XmlGrandchildForm* form_ = nullptr;
    // ` name="` of each of the form's attributes, as 16 bytes and a mask of
    // those that count (all of them only when it is longer).
    struct FormPattern {
        uint64_t bytes[2];
        uint64_t mask[2];
        std::string text;
    };
    void SetForm(const XmlGrandchildForm* form);
    std::vector<FormPattern> formPatterns_;
    std::vector<std::string_view> formValues_;
    std::vector<size_t> formDecodedAt_;  // where in formDecoded_, or npos
    std::string formDecoded_;
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
    auto root = std::make_unique<XmlRoot>();
    blocks_ = &root->blocks;
    bool nameHasCr = false;
    p = ScanName(at, end_, nameHasCr);
    if (nameHasCr) {
        root->ownName = WithoutCr(at, p);
        root->name = root->ownName;
    } else {
        root->name = std::string_view(at, static_cast<size_t>(p - at));
    }
    bool empty;
    p = TagRest(p, *root, empty);
    if (reader_) reader_->Root(*root);
    if (!empty) p = Content(p, root.get());
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

// Places a new node in the blocks and appends it to `parent`'s children.
// The list's slot is made first, so that nothing is left unowned whatever
// throws.
template <typename Node, typename... Args>
Node* XmlGrammar::Add(XmlElement& parent, Args&&... args)
{
    void* place = blocks_->Allocate<Node>();
    if (!parent.children) parent.children = std::make_unique<XmlNodeList>();
    XmlNodeList& children = *parent.children;
    children.emplace_back();
    Node* node = new (place) Node(std::forward<Args>(args)...);
    children.back().reset(node);
    return node;
}

// A start tag from its name (p) to after "/>" or ">". The new element goes
// into `parent`'s children before its attributes are checked, so an error
// releases it with the tree.
const char* XmlGrammar::StartTag(const char* p, XmlElement& parent, XmlElement*& element, bool& empty)
{
    bool nameHasCr = false;
    const char* const nameBegin = p;
    p = ScanName(p, end_, nameHasCr);
    if (nameHasCr) {
        element = Add<InBlocks<XmlElementWithOwnName>>(parent, WithoutCr(nameBegin, p));
    } else {
        element = Add<InBlocks<XmlElement>>(parent);
        element->name = std::string_view(nameBegin, static_cast<size_t>(p - nameBegin));
    }
    return TagRest(p, *element, empty);
}

// The rest of a start tag after the element's name: its attributes, then
// "/>" (`empty`) or ">".
const char* XmlGrammar::TagRest(const char* p, XmlElement& element, bool& empty)
{
    const char* attributesBegin = nullptr;
    const char* attributesEnd = nullptr;
    // The form the attribute walk can take quickly; see XmlAttributeList.
    bool plain = true;
    bool references = false;
    for (;;) {
#if XMLCHARS_WINDOWS
        if (end_ - p >= 64) {
            bool windowFull;
            const char* after = PlainAttributes(p, attributesBegin, attributesEnd, windowFull);
            if (after != p) {
                p = after;
                if (windowFull) continue;  // more may follow in the next window
            }
        }
#endif
        // An attribute needs white space before it, as the reader sees it: a
        // lone CR is passed over and does not separate.
        const char* const before = p;
        const char* at;
        if (!Is(Look(p, end_, at), kSpace)) break;
        p = SkipSpace(at, end_);
        if (p == end_ || !Is(*p, kNameStart)) break;
        if (!attributesBegin) {
            attributesBegin = p;
        } else if (p != before + 1) {
            plain = false;
        }
        bool nameHasCr = false;  // the walk strips such CRs again
        p = ScanName(p, end_, nameHasCr);
        if (nameHasCr) plain = false;
        // Files write name="value"; white space around '=' is the rare case.
        if (p == end_ || *p != '=') {
            plain = false;
            p = SkipSpace(p, end_);
            if (p == end_ || *p != '=') Fail(p);
        }
        ++p;
        if (p == end_ || *p != '"') {
            plain = false;
            p = SkipSpace(p, end_);
            if (p == end_ || (*p != '"' && *p != '\'')) Fail(p);
        }
        bool reference = false;
        p = Value(p + 1, *p, reference);
        references = references || reference;
        attributesEnd = p;
    }
    if (attributesBegin) element.attributes = XmlAttributeList(attributesBegin, attributesEnd, plain, references);

    const char* at;
    const char c = Look(p, end_, at);
    empty = c == '/';
    if (empty) return Expect(at, "/>");
    if (c != '>') Fail(at);
    return at + 1;
}

#if XMLCHARS_WINDOWS
// Takes the attributes that follow p in the form files are written in: one
// white space byte other than CR, a name, '=', a value in double quotes
// without references; all within the 64 bytes from p, which must be there.
// Quotes pair up as opening and closing ones as long as every attribute has
// that form, and each is checked to have it, so the pairs are found from the
// quote bits alone. Returns the position after the last attribute taken (p
// when none), where the byte loop goes on exactly as after an attribute of
// its own: it reads whatever this leaves (references, single quotes, CRs,
// more white space, the end of the tag, errors). `windowFull` tells that an
// attribute may have been cut off by the end of the window.
const char* XmlGrammar::PlainAttributes(const char* p, const char*& attributesBegin, const char*& attributesEnd,
                                        bool& windowFull)
{
    const CheckWindow w = ClassifyForCheck(p);
    uint64_t quotes = w.quotes;
    unsigned i = 0;  // the white space before the next attribute
    windowFull = false;
    for (;;) {
        const unsigned open = First(quotes);
        quotes &= quotes - 1;
        const unsigned close = First(quotes);
        quotes &= quotes - 1;
        if (close >= 64) {
            windowFull = true;
            break;
        }
        const char space = p[i];
        if (space != ' ' && space != '\t' && space != '\n') break;
        // The name runs from i + 1 to the '=' just before the opening quote.
        if (open < i + 3 || !Is(p[i + 1], kNameStart) || p[open - 1] != '=') break;
        if (~w.names & Span(i + 1, open - 1)) break;
        if (w.stops & Span(open + 1, close)) break;
        if (!attributesBegin) attributesBegin = p + i + 1;
        i = close + 1;
        attributesEnd = p + i;
    }
    return p + i;
}
#endif

// Checks an attribute value after its opening quote; returns the position
// after the closing quote. `reference` is set when the value holds one.
const char* XmlGrammar::Value(const char* p, char quote, bool& reference)
{
    const uint8_t stop = ValueStop(quote);
    for (;;) {
        p = SkipUntil(p, end_, stop);
        if (p == end_) Fail(p);
        if (*p == quote) return p + 1;
        if (*p != '&') Fail(p);  // '<' or a zero byte (the end mark)
        reference = true;
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

// Gives the reader the last child of `parent`, a grandchild of the root,
// and lets it go with the storage of its nodes.
void XmlGrammar::HandOver(XmlElement& parent)
{
    reader_->Grandchild(*parent.children->back());
    parent.children->pop_back();
    blocks_->Rewind(grandchildAt_);
}

void XmlGrammar::SetForm(const XmlGrandchildForm* form)
{
    form_ = form;
    if (!form) return;
    const size_t count = form->attributes.size();
    formPatterns_.resize(count);
    formValues_.resize(count);
    formDecodedAt_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        FormPattern& pattern = formPatterns_[i];
        pattern.text = " ";
        pattern.text.append(form->attributes[i].data(), form->attributes[i].size());
        pattern.text += "=\"";
        unsigned char bytes[16] = {};
        unsigned char mask[16] = {};
        for (size_t b = 0; b < pattern.text.size() && b < 16; ++b) {
            bytes[b] = static_cast<unsigned char>(pattern.text[b]);
            mask[b] = 0xFF;
        }
        std::memcpy(pattern.bytes, bytes, 16);
        std::memcpy(pattern.mask, mask, 16);
    }
}

// Reads the grandchild at p ('<') when it is written exactly in the reader's
// form and hands it over; returns where it ends. Returns null, having handed
// nothing over, when it is not in that form or holds anything the usual
// reading would refuse (a '<' or zero byte in a value, a bad reference), so
// that the usual reading takes it and reports any error. Values are checked
// as Value checks them and decoded by the same references.
const char* XmlGrammar::InForm(const char* p)
{
    const XmlGrandchildForm& form = *form_;
    const char* q = p + 1;
    const size_t elementSize = form.element.size();
    if (static_cast<size_t>(end_ - q) < elementSize || std::memcmp(q, form.element.data(), elementSize) != 0)
        return nullptr;
    q += elementSize;
    formDecoded_.clear();
    const size_t count = form.attributes.size();
    for (size_t i = 0; i < count; ++i) {
        // ` name="`
        const FormPattern& pattern = formPatterns_[i];
        const size_t size = pattern.text.size();
        if (size <= 16 && end_ - q >= 16) {
            uint64_t first, second;
            std::memcpy(&first, q, 8);
            std::memcpy(&second, q + 8, 8);
            if (((first ^ pattern.bytes[0]) & pattern.mask[0]) | ((second ^ pattern.bytes[1]) & pattern.mask[1]))
                return nullptr;
        } else if (static_cast<size_t>(end_ - q) < size || std::memcmp(q, pattern.text.data(), size) != 0) {
            return nullptr;
        }
        q += size;
        const char* run = q;
        q = SkipValueBytes(q, end_);
        if (q == end_) return nullptr;
        if (*q == '"') {
            formValues_[i] = std::string_view(run, static_cast<size_t>(q - run));
            formDecodedAt_[i] = std::string::npos;
            ++q;
            continue;
        }
        const size_t decodedAt = formDecoded_.size();
        for (;;) {
            if (*q != '&') return nullptr;  // '<' or a zero byte
            formDecoded_.append(run, q);
            char c;
            const char* errorAt;
            run = ReadEntity(q + 1, end_, c, errorAt);
            if (!run) return nullptr;
            formDecoded_ += c;
            q = SkipValueBytes(run, end_);
            if (q == end_) return nullptr;
            if (*q == '"') break;
        }
        formDecoded_.append(run, q);
        formDecodedAt_[i] = decodedAt;
        formValues_[i] = std::string_view(nullptr, formDecoded_.size() - decodedAt);
        ++q;
    }
    if (static_cast<size_t>(end_ - q) < 3 || std::memcmp(q, " />", 3) != 0) return nullptr;
    // The decoded values' place is known only now that their buffer is full.
    for (size_t i = 0; !formDecoded_.empty() && i < count; ++i) {
        if (formDecodedAt_[i] != std::string::npos)
            formValues_[i] = std::string_view(formDecoded_.data() + formDecodedAt_[i], formValues_[i].size());
    }
    reader_->GrandchildInForm(formValues_.data());
    return q + 3;
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
            p = SkipUntil(p, end_, kTextStop);
            if (p == end_ || *p == '\0') Fail(p);
            if (*p != ']') break;
            if (Match(p, "]]>")) Fail(p);
            ++p;
        }
        if (p != run) element->text.append(run, p);
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
            if (reader_) {
                if (open.size() == 1) {
                    form_ = nullptr;
                    reader_->ChildEnd(*element);
                }
                else if (open.size() == 2) HandOver(*open.back());
            }
        } else if (c == '!') {
            if (const char* after = Match(p, "<!--")) {
                XmlComment* comment = Add<InBlocks<XmlComment>>(*element);
                p = Comment(after, &comment->text);
            } else if (const char* cdata = Match(p, "<![CDATA[")) {
                p = Cdata(cdata, element->text);
            } else {
                Fail(p);
            }
        } else if (Is(c, kNameStart)) {
            if (form_ && open.size() == 2 && at == p + 1) {
                if (const char* after = InForm(p)) {
                    p = after;
                    continue;
                }
            }
            if (open.size() >= static_cast<size_t>(SimpleXMLParser::kMaxDepth)) Fail(p);
            XmlElement* child;
            bool empty;
            const size_t depth = open.size();  // the child's; the root's is 0
            if (reader_ && depth == 2) grandchildAt_ = blocks_->Here();
            p = StartTag(at, *element, child, empty);
            if (reader_ && depth == 1) {
                reader_->ChildStart(*child);
                SetForm(empty ? nullptr : reader_->GrandchildForm());
                if (empty) reader_->ChildEnd(*child);
            } else if (reader_ && depth == 2 && empty) {
                HandOver(*element);
            }
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
    XmlGrammar grammar(*this, start_, end_, nullptr);
    std::unique_ptr<XmlElement> root = grammar.Document();
    return root;
}

std::unique_ptr<XmlElement> SimpleXMLParser::Parse(const char* bytes, size_t length, XmlLevelReader& reader)
{
    start_ = bytes;
    cursor_ = bytes;
    end_ = bytes + length;
    line_ = 1;
    column_ = 1;
    version_ = "1.0";
    XmlGrammar grammar(*this, start_, end_, &reader);
    return grammar.Document();
}
