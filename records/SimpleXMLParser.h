// A small XML parser for document files: one pass over a memory buffer into a
// tree of elements, comments and text, or an exception naming the line.
//
// Names and attribute values are not copied into the tree: element names are
// views into the input, and attributes are read from the (already checked)
// input bytes each time Attributes() is walked. The input must therefore stay
// alive and unchanged as long as the tree is used.
//
// The nodes below the root are held in storage owned by the root, so none of
// them may be kept beyond the root's life.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class XmlNode;

// One attribute as the walk yields it. `value` has its entities decoded; it
// points into the input, or into the walking iterator's own buffer when
// decoding changed it, so copy it before advancing the iterator.
struct XmlAttribute {
    std::string_view name;
    std::string_view value;
};

// The attributes of one element in document order (a repeated name comes
// twice). Empty when the element has none.
class XmlAttributeList {
public:
    class Iterator {
    public:
        // A copy reads its attribute again, so that a decoded value points
        // into the copy's own buffer rather than the original's.
        Iterator(const Iterator& other);
        Iterator& operator=(const Iterator& other);

        const XmlAttribute& operator*() const { return current_; }
        const XmlAttribute* operator->() const { return &current_; }
        Iterator& operator++()
        {
            // The range ends right after the last closing quote.
            if (next_ == end_) {
                cursor_ = end_;
            } else if (plain_) {
                TakePlain(next_ + 1);
            } else {
                Read(next_);
            }
            return *this;
        }
        bool operator==(const Iterator& other) const { return cursor_ == other.cursor_; }
        bool operator!=(const Iterator& other) const { return cursor_ != other.cursor_; }

    private:
        friend class XmlAttributeList;
        Iterator(const char* cursor, const char* end, bool plain, bool references);
        // Reads the attribute at `at` without help from earlier ones.
        void Start(const char* at);
        // Reads the attribute at `from`, or after the white space there.
        void Read(const char* from);
        void Decode(const char* nameEnd, const char* valueBegin, const char* valueEnd);

        // Attributes in plain form (see XmlAttributeList::plain_) are found
        // from their quotes alone: the name runs from its first byte to the
        // '=' before the opening quote, the value to the next quote.
        void TakePlain(const char* name)
        {
            const char* open = NextQuote();
            const char* close = NextQuote();
            cursor_ = name;
            next_ = close + 1;
            if (references_) {
                ReadPlainWithReferences(open, close);
                return;
            }
            current_.name = std::string_view(name, static_cast<size_t>(open - 1 - name));
            current_.value = std::string_view(open + 1, static_cast<size_t>(close - open - 1));
        }
        void ReadPlainWithReferences(const char* open, const char* close);
#if defined(__SSE2__)
        // quotes_ has a bit for each '"' not yet taken among the 64 bytes
        // from window_ (fewer at the end of the range).
        const char* NextQuote()
        {
            while (!quotes_) {
                window_ += 64;
                LoadQuotes();
            }
            const char* quote = window_ + __builtin_ctzll(quotes_);
            quotes_ &= quotes_ - 1;
            return quote;
        }
        void LoadQuotes();
#else
        // window_ is where the search for the next '"' goes on.
        const char* NextQuote()
        {
            while (*window_ != '"') ++window_;
            return window_++;
        }
#endif

        const char* cursor_;  // start of the current attribute, or end_ when done
        const char* next_;    // just after the current attribute
        const char* end_;
        bool plain_;
        bool references_;
        XmlAttribute current_;
        std::string decoded_;
        const char* window_ = nullptr;
#if defined(__SSE2__)
        uint64_t quotes_ = 0;
#endif
    };

    XmlAttributeList() = default;
    XmlAttributeList(const char* begin, const char* end) : begin_(begin), end_(end) {}

    Iterator begin() const { return Iterator(begin_, end_, plain_, references_); }
    Iterator end() const { return Iterator(end_, end_, plain_, references_); }
    bool empty() const { return begin_ == end_; }

private:
    friend class XmlGrammar;
    XmlAttributeList(const char* begin, const char* end, bool plain, bool references)
        : begin_(begin), end_(end), plain_(plain), references_(references)
    {
    }

    // The checked bytes between the tag name and "/>" or ">", trimmed so that
    // an element without attributes gives an empty range.
    const char* begin_ = nullptr;
    const char* end_ = nullptr;
    // What the parser saw there: every attribute written name="value", with
    // one byte between attributes and no CR in a name (plain_), and whether a
    // value holds an entity reference.
    bool plain_ = false;
    bool references_ = false;
};

// Releases a node of a list: a node made with new is deleted; a node the
// parser placed in its tree's block storage is only destroyed, the storage
// going with the root.
struct XmlNodeDeleter {
    void operator()(XmlNode* node) const;
};
using XmlNodePtr = std::unique_ptr<XmlNode, XmlNodeDeleter>;
using XmlNodeList = std::vector<XmlNodePtr>;

class XmlNode {
public:
    std::string_view name;
    std::string text;

    virtual ~XmlNode() = default;
    virtual bool AddChild(std::unique_ptr<XmlNode> child);
    // Null when the node has no children.
    virtual const XmlNodeList* Children() const;
    // Empty when the node has no attributes.
    virtual XmlAttributeList Attributes() const;

private:
    friend struct XmlNodeDeleter;
    // How XmlNodeDeleter lets the node go; see there.
    virtual void Release();
};

class XmlElement : public XmlNode {
public:
    bool AddChild(std::unique_ptr<XmlNode> child) override;
    const XmlNodeList* Children() const override;
    XmlAttributeList Attributes() const override;

    std::unique_ptr<XmlNodeList> children;  // null until the first child: most elements have none
    XmlAttributeList attributes;
};

// A comment: name "!", text the bytes between "<!--" and "--".
class XmlComment : public XmlNode {
public:
    XmlComment();
};

// How a writer puts an element on its own: "<" and `element`, then
// ` name="value"` for each of `attributes` in order, then " />".
struct XmlGrandchildForm {
    std::string_view element;
    std::vector<std::string_view> attributes;
};

// Told about the top of the tree while it is parsed, so that a reader can
// take the grandchildren of the root (the records of a document file) one at
// a time: each is handed over complete and then released, instead of being
// kept in the tree until the end. The root and its children stay in the tree,
// without those grandchildren.
class XmlLevelReader {
public:
    virtual ~XmlLevelReader() = default;
    // After the root's start tag: its name and attributes are known.
    virtual void Root(const XmlElement& root) = 0;
    // After the start tag, and after the end tag, of a child of the root.
    virtual void ChildStart(const XmlElement& child) = 0;
    virtual void ChildEnd(const XmlElement& child) = 0;
    // A grandchild of the root (not a comment), complete with everything in
    // it; it is released when this returns.
    virtual void Grandchild(const XmlNode& grandchild) = 0;

    // The form in which the grandchildren of the child just started are
    // usually written, or null; asked after each ChildStart. A grandchild
    // written exactly in it, holding only what the parser accepts, goes to
    // GrandchildInForm instead of Grandchild, without a node being made. One
    // that differs in the least (another order, white space, a missing or
    // extra attribute, a bad reference) is read as usual.
    virtual const XmlGrandchildForm* GrandchildForm() const { return nullptr; }
    // The values of such a grandchild in the form's order, references
    // decoded; they are gone when this returns.
    virtual void GrandchildInForm(const std::string_view* values) { (void)values; }
};

class SimpleXMLParser {
public:
    // Deeper nesting than this is reported as a syntax error: the tree is
    // released recursively, so its depth must stay bounded.
    static constexpr int kMaxDepth = 256;

    class Exception {
    public:
        Exception(int32_t line, int32_t column) : line(line), column(column) {}
        int32_t line;
        int32_t column;
    };

    SimpleXMLParser() = default;

    // Parses `length` bytes and returns the root element. Throws Exception on
    // the first syntax error; nothing of the tree survives then.
    std::unique_ptr<XmlElement> Parse(const char* bytes, size_t length);
    // The same, handing the root's grandchildren to `reader` as they are
    // complete; the returned tree no longer holds them. An error can come
    // after some of them were handed over.
    std::unique_ptr<XmlElement> Parse(const char* bytes, size_t length, XmlLevelReader& reader);

    const std::string& Version() const { return version_; }
    int32_t Line() const { return line_; }
    int32_t Column() const { return column_; }

private:
    // Implementation state and helpers are the parser author's choice.
    friend class XmlGrammar;
    const char* start_ = nullptr;
    const char* cursor_ = nullptr;
    const char* end_ = nullptr;
    int32_t line_ = 1;
    int32_t column_ = 1;
    std::string version_ = "1.0";
};
