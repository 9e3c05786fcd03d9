// A small XML parser for document files: one pass over a memory buffer into a
// tree of elements, comments and text, or an exception naming the line.
//
// Names and attribute values are not copied into the tree: element names are
// views into the input, and attributes are read from the (already checked)
// input bytes each time Attributes() is walked. The input must therefore stay
// alive and unchanged as long as the tree is used.
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
        Iterator& operator++();
        bool operator==(const Iterator& other) const { return cursor_ == other.cursor_; }
        bool operator!=(const Iterator& other) const { return cursor_ != other.cursor_; }

    private:
        friend class XmlAttributeList;
        Iterator(const char* cursor, const char* end);
        void ReadCurrent();

        const char* cursor_;  // start of the current attribute, or end_ when done
        const char* next_;    // just after the current attribute
        const char* end_;
        XmlAttribute current_;
        std::string decoded_;
    };

    XmlAttributeList() = default;
    XmlAttributeList(const char* begin, const char* end) : begin_(begin), end_(end) {}

    Iterator begin() const { return Iterator(begin_, end_); }
    Iterator end() const { return Iterator(end_, end_); }
    bool empty() const { return begin_ == end_; }

private:
    // The checked bytes between the tag name and "/>" or ">", trimmed so that
    // an element without attributes gives an empty range.
    const char* begin_ = nullptr;
    const char* end_ = nullptr;
};

using XmlNodeList = std::vector<std::unique_ptr<XmlNode>>;

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
};

class XmlElement : public XmlNode {
public:
    bool AddChild(std::unique_ptr<XmlNode> child) override;
    const XmlNodeList* Children() const override;
    XmlAttributeList Attributes() const override;

    XmlNodeList children;
    XmlAttributeList attributes;
};

// A comment: name "!", text the bytes between "<!--" and "--".
class XmlComment : public XmlNode {
public:
    XmlComment();
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
