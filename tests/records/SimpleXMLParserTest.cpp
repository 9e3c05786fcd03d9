#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "SimpleXMLParser.h"

namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;
using Position = std::pair<int, int>;  // line, column; (0, 0) when the text parses

// A tree with the exactly sized heap copy it points into, so that the address
// sanitizer catches any read past the length.
struct Parsed {
    std::unique_ptr<char[]> bytes;
    std::unique_ptr<XmlElement> root;
    const XmlElement* operator->() const { return root.get(); }
    const XmlElement& operator*() const { return *root; }
};

Parsed Parse(const std::string& text, SimpleXMLParser* parser = nullptr)
{
    Parsed parsed;
    parsed.bytes.reset(new char[std::max<size_t>(text.size(), 1)]);
    std::copy(text.begin(), text.end(), parsed.bytes.get());
    SimpleXMLParser local;
    parsed.root = (parser ? *parser : local).Parse(parsed.bytes.get(), text.size());
    return parsed;
}

Position ErrorAt(const std::string& text)
{
    try {
        Parse(text);
    } catch (const SimpleXMLParser::Exception& error) {
        return {error.line, error.column};
    }
    return {0, 0};
}

Attributes AttributesOf(const XmlNode& node)
{
    Attributes result;
    for (const XmlAttribute& a : node.Attributes()) result.emplace_back(a.name, a.value);
    return result;
}

const XmlNode& Child(const XmlNode& node, size_t index) { return *node.Children()->at(index); }

std::string TextOf(const std::string& content) { return Parse("<a>" + content + "</a>")->text; }

TEST(SimpleXMLParser, ReadsTheDeclarationVersion)
{
    SimpleXMLParser parser;
    EXPECT_EQ("1.0", parser.Version());
    Parse("<?XML version='1.1' encoding=\"ISO-8859-1\" ?><a/>", &parser);
    EXPECT_EQ("1.1", parser.Version());
    Parse("<?xMl\tversion = \"v-2.x:y_z\"\nencoding = 'w.1-x_y:z'?><a/>", &parser);
    EXPECT_EQ("v-2.x:y_z", parser.Version());
    Parse("<a/>", &parser);
    EXPECT_EQ("1.0", parser.Version());
}

// Each case names where the error is reported: the byte that cannot be
// accepted, the start of a fixed word that does not match, or the end.
TEST(SimpleXMLParser, ReportsSyntaxErrorsWhereTheyAreFound)
{
    const std::vector<std::pair<std::string, Position>> cases = {
        // declaration: only at byte 0, version required, nothing but encoding
        {"<?xml version=\"1.0\" standalone=\"yes\"?><a/>", {1, 21}},
        {"<?xml encoding=\"UTF-8\"?><a/>", {1, 7}},
        {"<?xml version=\"\"?><a/>", {1, 16}},
        {"<?xml version=\"1.0'?><a/>", {1, 19}},
        {"<?xml version=\"1\" encoding=\"8bit\"?><a/>", {1, 29}},
        {"<?xml-stylesheet?><a/>", {1, 6}},
        {" <?xml version=\"1.0\"?><a/>", {1, 3}},
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?><a/>", {1, 1}},
        // the root
        {"", {1, 1}},
        {"<!-- only a comment -->\n", {2, 1}},
        {"text<a/>", {1, 1}},
        {"<!DOCTYPE a><a/>", {1, 2}},
        // names: bytes above 127 never belong to one
        {"<9a/>", {1, 2}},
        {"<a\xE9/>", {1, 3}},
        // attributes
        {"<a b=\"1\"c=\"2\"/>", {1, 9}},
        {"<a b/>", {1, 5}},
        {"<a b=\"<\"/>", {1, 7}},
        {"<a b=\"1'/>", {1, 11}},
        {"<a b=\"1\" / >", {1, 10}},
        // entities
        {"<a>&#X41;</a>", {1, 6}},
        {"<a>&#;</a>", {1, 6}},
        {"<a>&nbsp;</a>", {1, 5}},
        {"<a>&amp </a>", {1, 8}},
        {"<a b=\"&#xg;\"/>", {1, 10}},
        // content
        {"<a>]]]>y</a>", {1, 5}},
        {"<a><![CDATA[x\xE9]]></a>", {1, 14}},
        {"<a><![CDATA[x\x01]]></a>", {1, 14}},
        {"<a><!DOCTYPE></a>", {1, 4}},
        {"<a><?pi?></a>", {1, 5}},
        {"<a>xy", {1, 6}},
        // comments: the first "--" must close them, also after the root
        {"<a><!-- a -- b --></a>", {1, 13}},
        {"<a><!-- x", {1, 10}},
        {"<a/><!-- x -", {1, 13}},
        // end tags repeat the name exactly
        {"<a></A>", {1, 6}},
        {"<ab></a>", {1, 7}},
        {"<a></ab>", {1, 6}},
        {"<a></a b>", {1, 8}},
        // zero bytes read as the end
        {std::string("<a>x\0</a>", 9), {1, 5}},
        {std::string("<a b='\0'/>", 10), {1, 7}},
        {std::string("<a><!-- \0 --></a>", 17), {1, 9}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, ErrorAt(c.first)) << c.first;
}

TEST(SimpleXMLParser, CountsLinesAlikeForLfAndCrLfFiles)
{
    const std::string lf = "<?xml version=\"1.0\"?>\n<Pim>\n\t<Persons>\n\t\t<P ID=\"1\" />\n\t\t<P ID=\"2\" Bad />\n</Pim>\n";
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(Position(5, 17), ErrorAt(lf));
    EXPECT_EQ(Position(5, 17), ErrorAt(crlf));
    EXPECT_EQ(Position(1, 8), ErrorAt("<a>&amp\n;</a>"));  // before the line feed it stops at
    EXPECT_EQ(Position(3, 1), ErrorAt("<a>\r\n\r\n]]></a>"));
    // A CR after a passed-over CR is returned like any byte and takes a column.
    EXPECT_EQ(Position(1, 6), ErrorAt("<a>\r\r\r\r]]></a>"));
    EXPECT_EQ(Position(1, 4), ErrorAt("<a>\r"));  // a last CR reads as the end
}

TEST(SimpleXMLParser, KeepsAttributesInOrderWithValuesDecoded)
{
    auto root = Parse("<a  b = \"1\"\n\tc='x\"y' b=\"&lt;&gt;&amp;&apos;&quot;\"\td=\"\" e='l1\r\nl2\t\xE9'/>");
    EXPECT_EQ((Attributes{{"b", "1"}, {"c", "x\"y"}, {"b", "<>&'\""}, {"d", ""}, {"e", "l1\r\nl2\t\xE9"}}),
              AttributesOf(*root));
    EXPECT_TRUE(Parse("<a >x</a>")->Attributes().empty());
}

TEST(SimpleXMLParser, DecodesNumericReferencesToTheirLowByte)
{
    EXPECT_EQ("AAJj", TextOf("&#65;&#x41;&#x4a;&#x6A;"));
    EXPECT_EQ("A", TextOf("&#321;"));
    EXPECT_EQ("\xA1", TextOf("&#99999999999999999999999999999999999999999393;"));
    EXPECT_EQ(std::string(1, '\0'), TextOf("&#0;"));
}

TEST(SimpleXMLParser, CollectsTextEntitiesAndCdataAroundChildren)
{
    auto root = Parse("<r>\n\t<a/>one &amp; <![CDATA[<b>&amp;</b>]]>two<!--c-->\r\n</r>");
    EXPECT_EQ("\n\tone & <b>&amp;</b>two\r\n", root->text);
    ASSERT_EQ(2u, root->Children()->size());
    EXPECT_EQ("a", Child(*root, 0).name);
    EXPECT_EQ("!", Child(*root, 1).name);
    EXPECT_EQ("c", Child(*root, 1).text);
    EXPECT_EQ("]] ]>a]]b]\t\r\n \x7F", TextOf("]] ]><![CDATA[a]]b]]]><![CDATA[\t\r\n \x7F]]>"));
}

TEST(SimpleXMLParser, SkipsPrologCommentsAndIgnoresWhatFollowsTheRoot)
{
    auto root = Parse("<!-- a -->\n<r><!----><!-- x - y --></r> <!-- c -->\n</r> <?xml junk <<< &bad; \xFF");
    EXPECT_EQ("r", root->name);
    ASSERT_EQ(2u, root->Children()->size());
    EXPECT_EQ("", Child(*root, 0).text);
    EXPECT_EQ(" x - y ", Child(*root, 1).text);
    EXPECT_EQ("a", Parse(std::string("<a/>\r\0<<", 8))->name);
}

TEST(SimpleXMLParser, PassesOverCarriageReturnsOutsideSlices)
{
    auto root = Parse("<?xml version=\"1.0\"?>\r\n<a\r\n b\r\n=\r\n'1\r\n'\r\n>\r\n<c/>\r\n</a\r\n>\r\n");
    EXPECT_EQ((Attributes{{"b", "1\r\n"}}), AttributesOf(*root));
    // A lone CR inside a name, a reference or a fixed word is not there for
    // the grammar...
    EXPECT_EQ("ab", Parse("<a\rb></ab>")->name);
    EXPECT_EQ((Attributes{{"xy", "&"}}), AttributesOf(*Parse("<a x\ry='&a\rmp;'/>")));
    EXPECT_EQ("<x", TextOf("&l\rt;<!-\r- c -\r-><!\r[CDATA[x]\r]\r>"));
    // ...so it neither separates attributes nor counts as white space.
    EXPECT_EQ(Position(1, 9), ErrorAt("<a b='1'\rc='2'/>"));
    EXPECT_EQ(Position(1, 6), ErrorAt("<?xml\rversion=\"1.0\"?><a/>"));
}

TEST(SimpleXMLParser, BoundsNestingSoThatDeepFilesFailInsteadOfOverflowing)
{
    auto nested = [](size_t depth, const std::string& innermost) {
        std::string text;
        for (size_t i = 0; i < depth; ++i) text += "<e>";
        text += innermost;
        for (size_t i = 0; i < depth; ++i) text += "</e>";
        return text;
    };
    const size_t limit = SimpleXMLParser::kMaxDepth;
    auto root = Parse(nested(limit, ""));
    size_t depth = 1;
    for (const XmlNode* node = root.root.get(); node->Children(); node = node->Children()->front().get()) ++depth;
    EXPECT_EQ(limit, depth);

    const Position tooDeep(1, static_cast<int>(3 * limit + 1));  // the '<' one level too deep
    EXPECT_EQ(tooDeep, ErrorAt(nested(limit, "<e/>")));
    EXPECT_EQ(tooDeep, ErrorAt(nested(1000000, "")));
}

TEST(SimpleXMLParser, NodeKindsAnswerTheirOwnWay)
{
    auto root = Parse("<a x=\"1\"><!--c--><b/></a>");
    for (size_t i : {0, 1}) {
        EXPECT_EQ(nullptr, Child(*root, i).Children());
        EXPECT_TRUE(Child(*root, i).Attributes().empty());
    }
    XmlComment orphan;
    EXPECT_EQ("!", orphan.name);
    EXPECT_FALSE(orphan.AddChild(std::make_unique<XmlElement>()));
    EXPECT_TRUE(root.root->AddChild(std::make_unique<XmlComment>()));
    EXPECT_FALSE(root.root->AddChild(nullptr));
    EXPECT_EQ(3u, root->Children()->size());
}

TEST(SimpleXMLParser, AttributeIteratorCopiesOwnTheirDecodedValues)
{
    auto root = Parse("<a p=\"&lt;1&gt;\" q=\"plain\" r=\"&amp;&amp;\"/>");
    XmlAttributeList list = root->Attributes();
    auto it = list.begin();
    auto copy = it;
    ++it;
    EXPECT_EQ("<1>", copy->value);
    copy = it;
    ++it;
    EXPECT_EQ("plain", copy->value);
    EXPECT_EQ("&&", it->value);
    EXPECT_TRUE(++it == list.end());
}

// Each grandchild of the root arrives complete, in file order between its
// parent's start and end, and is gone from the tree afterwards; their storage
// is reused, so many deep ones read back intact.
TEST(SimpleXMLParser, HandsTheRootsGrandchildrenOverOneByOne)
{
    struct Log : XmlLevelReader {
        std::vector<std::string> seen;
        void Root(const XmlElement& root) override { seen.push_back("root " + std::string(root.name)); }
        void ChildStart(const XmlElement& child) override { seen.push_back("start " + std::string(child.name)); }
        void ChildEnd(const XmlElement& child) override { seen.push_back("end " + std::string(child.name)); }
        void Grandchild(const XmlNode& node) override
        {
            std::string line = std::string(node.name) + "(" + node.text;
            for (const XmlAttribute& a : node.Attributes()) line += " " + std::string(a.name) + "=" + std::string(a.value);
            for (const XmlNode* n = &node; n->Children(); n = n->Children()->back().get())
                line += " " + std::string(n->Children()->back()->name) + ":" + n->Children()->back()->text;
            seen.push_back(line + ")");
        }
    };
    std::string text = "<r v=\"1\"><a/><!--c--><s k=\"&lt;\"><!--d--><e x=\"1\"/><f\rg>t<i>u</i></f\rg>";
    std::string expected = "root r|start a|end a|start s|e( x=1)|fg(t i:u)|";
    for (int i = 0; i < 3000; ++i) {
        const std::string n = std::to_string(i);
        text += "<g n=\"" + n + "\">" + n + "<h><i><j>" + n + "</j></i></h></g>";
        expected += "g(" + n + " n=" + n + " h: i: j:" + n + ")|";
    }
    text += "</s></r>";
    expected += "end s|";
    std::unique_ptr<char[]> bytes(new char[text.size()]);
    std::copy(text.begin(), text.end(), bytes.get());
    Log log;
    SimpleXMLParser parser;
    std::unique_ptr<XmlElement> root = parser.Parse(bytes.get(), text.size(), log);
    std::string joined;
    for (const std::string& line : log.seen) joined += line + "|";
    EXPECT_EQ(expected, joined);
    ASSERT_EQ(3u, root->Children()->size());
    const XmlNode& s = Child(*root, 2);
    EXPECT_EQ((Attributes{{"k", "<"}}), AttributesOf(s));
    ASSERT_EQ(1u, s.Children()->size());  // the comment stays
    EXPECT_EQ("d", Child(s, 0).text);

    // An error after some grandchildren were handed over still fails the parse.
    Log partial;
    EXPECT_THROW(parser.Parse(bytes.get(), text.size() - 3, partial), SimpleXMLParser::Exception);
}

// The grandchildren keep where the parser found their attributes; walking
// them gives what the finished tree gives, in every form an attribute can take.
TEST(SimpleXMLParser, HandedOverAttributesReadAsInTheFinishedTree)
{
    struct Collect : XmlLevelReader {
        std::vector<Attributes> seen;
        void Root(const XmlElement&) override {}
        void ChildStart(const XmlElement&) override {}
        void ChildEnd(const XmlElement&) override {}
        void Grandchild(const XmlNode& node) override { seen.push_back(AttributesOf(node)); }
    };
    const std::string longValue(150, 'v');
    std::string text = "<r><s>";
    const std::vector<std::string> tags = {
        "<g a=\"1\" bb=\"22\" c=\"\"/>",
        "<g a = '1'\r\n\tb=\"x&amp;y\" c\rd=\"&#65;\"  e='\"'/>",
        "<g n=\"" + longValue + "\" m=\"" + longValue + "&lt;\" o=\"o\"/>",
        "<g/>",
        "<g a=\"1\"\n b=\"2\"\r\n c=\"3\"\td=\"4\" e=\"5\" f=\"6\" g=\"7\" h=\"8\" i=\"9\" j=\"10\" k=\"11\"></g>",
    };
    for (int i = 0; i < 40; ++i) text += std::string(static_cast<size_t>(i % 7), ' ') + tags[static_cast<size_t>(i) % tags.size()];
    text += "</s></r>";
    std::unique_ptr<char[]> bytes(new char[text.size()]);
    std::copy(text.begin(), text.end(), bytes.get());
    Collect collect;
    SimpleXMLParser().Parse(bytes.get(), text.size(), collect);
    auto tree = Parse(text);
    const XmlNode& s = Child(*tree, 0);
    ASSERT_EQ(40u, collect.seen.size());
    for (size_t i = 0; i < collect.seen.size(); ++i) EXPECT_EQ(AttributesOf(Child(s, i)), collect.seen[i]) << i;
    EXPECT_EQ((Attributes{{"a", "1"}, {"b", "x&y"}, {"cd", "A"}, {"e", "\""}}), collect.seen[1]);
}

// Grandchildren written exactly in the reader's form come as their values
// alone; any other spelling comes as a node, and an error in one is found
// where the parser finds it without a form.
TEST(SimpleXMLParser, GrandchildrenInTheReadersFormComeAsTheirValues)
{
    struct Formed : XmlLevelReader {
        XmlGrandchildForm form{"g", {"a", "bb"}};
        std::vector<std::string> seen;
        void Root(const XmlElement&) override {}
        void ChildStart(const XmlElement&) override {}
        void ChildEnd(const XmlElement&) override {}
        const XmlGrandchildForm* GrandchildForm() const override { return &form; }
        void GrandchildInForm(const std::string_view* values) override
        {
            seen.push_back("form " + std::string(values[0]) + "|" + std::string(values[1]));
        }
        void Grandchild(const XmlNode& node) override
        {
            std::string line = "node";
            for (const auto& attribute : AttributesOf(node)) line += " " + attribute.second;
            seen.push_back(line);
        }
    };
    const auto parseFormed = [](const std::string& text, Formed& formed) {
        std::unique_ptr<char[]> bytes(new char[text.size()]);
        std::copy(text.begin(), text.end(), bytes.get());
        SimpleXMLParser().Parse(bytes.get(), text.size(), formed);
    };
    const struct {
        const char* tag;
        const char* seen;
    } kCases[] = {
        {"<g a=\"1\" bb=\"x&amp;y&#65;\r\n\" />", "form 1|x&yA\r\n"},
        {"<g a=\"\" bb=\"\" />", "form |"},
        {"<g bb=\"2\" a=\"1\" />", "node 2 1"},
        {"<g a=\"1\" bb=\"2\"/>", "node 1 2"},
        {"<g a=\"1\"  bb=\"2\" />", "node 1 2"},
        {"<g a='1' bb=\"2\" />", "node 1 2"},
        {"<g a=\"1\" bb=\"2\" c=\"3\" />", "node 1 2 3"},
        {"<g a=\"1\" />", "node 1"},
        {"<gg a=\"1\" bb=\"2\" />", "node 1 2"},
        {"<g a=\"1\" bb=\"2\" ></g>", "node 1 2"},
        {"<g a=\"1\" b\rb=\"2\" />", "node 1 2"},
    };
    for (const auto& c : kCases) {
        Formed formed;
        parseFormed(std::string("<r><s>") + c.tag + "</s></r>", formed);
        ASSERT_EQ(1u, formed.seen.size()) << c.tag;
        EXPECT_EQ(c.seen, formed.seen[0]) << c.tag;
    }
    for (const char* tag : {"<g a=\"1\" bb=\"<\" />", "<g a=\"&bad;\" bb=\"2\" />", "<g a=\"1\" bb=\"&#65\" />",
                            "<g a=\"1\" bb=\"2"}) {
        const std::string text = std::string("<r><s>\n <g a=\"1\" bb=\"2\" />\n") + tag + "</s></r>";
        Formed formed;
        Position found(0, 0);
        try {
            parseFormed(text, formed);
        } catch (const SimpleXMLParser::Exception& error) {
            found = {error.line, error.column};
        }
        EXPECT_EQ(ErrorAt(text), found) << tag;
        EXPECT_NE(Position(0, 0), found) << tag;
    }
}

// Every cut before the root's end fails without reading past the length.
TEST(SimpleXMLParser, FailsCleanlyOnEveryTruncation)
{
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"x\"?>\r\n<!--c-->\n<r a='1&amp;' b=\"&#65;&#x42;\">t&lt;<![CDATA[x]]>"
        "<e/><f\r\ng='2'>u</f ><!-- d --></r>";
    for (size_t length = 0; length < text.size(); ++length)
        EXPECT_NE(Position(0, 0), ErrorAt(text.substr(0, length))) << length;
    auto root = Parse(text);
    EXPECT_EQ("t<x", root->text);
    EXPECT_EQ((Attributes{{"a", "1&"}, {"b", "AB"}}), AttributesOf(*root));
    EXPECT_EQ((Attributes{{"g", "2"}}), AttributesOf(Child(*root, 1)));
}

}  // namespace
