#include "data/command_machine.h"
#include "data/xml_document.h"
#include "data/xml_parser.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

constexpr std::string_view kDecl = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

std::string withDecl(std::string_view body) {
    return std::string(kDecl) + std::string(body);
}

bool parses(std::string_view body) {
    XmlDocument doc;
    return doc.loadFromString(withDecl(body));
}

TEST(XmlParser, DeclarationIsRequiredAndCommentsHideItsEnd) {
    XmlDocument doc;
    EXPECT_FALSE(doc.loadFromString("<a></a>"));
    EXPECT_FALSE(doc.loadFromString(""));
    EXPECT_TRUE(doc.loadFromString("<?xml?>"));
    EXPECT_TRUE(doc.root().children().empty());
    // "?>" inside a comment before the declaration does not end it.
    EXPECT_EQ(findDeclarationEnd("<!-- ?> --><?x?><a/>"), 16u);
    EXPECT_EQ(findDeclarationEnd("<!-- ?> <a/>"), std::string_view::npos);
    // The opener's own dashes count towards its closer.
    EXPECT_EQ(findDeclarationEnd("<!-->?>"), 7u);
    EXPECT_TRUE(doc.loadFromString("garbage before ?><a x='1'/>"));
    ASSERT_EQ(doc.root().children().size(), 1u);
    EXPECT_EQ(doc.root().children()[0]->attributeValue("x"), "1");
}

TEST(XmlParser, BuildsTreeWithAttributesInDocumentOrder) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadFromString(withDecl("<groups>\r\n"
                                            "    <group name=\"general\">\r\n"
                                            "        <item name='a' value=\"1\" />\r\n"
                                            "        <item name=\"b\" value=\"x &amp; <y>\"/>\r\n"
                                            "    </group>\r\n"
                                            "    <group name=\"general\"/>\r\n"
                                            "</groups>\r\n")));
    const XmlElement* groups = doc.root().findChild("groups");
    ASSERT_NE(groups, nullptr);
    ASSERT_EQ(groups->children().size(), 2u);
    const XmlElement& group = *groups->children()[0];
    EXPECT_EQ(group.attributeValue("name"), "general");
    ASSERT_EQ(group.children().size(), 2u);
    const XmlElement& b = *group.children()[1];
    ASSERT_EQ(b.attributes().size(), 2u);
    EXPECT_EQ(b.attributes()[0].name, "name");
    EXPECT_EQ(b.attributes()[1].name, "value");
    // No entity decoding; "<" and ">" are literal inside a value.
    EXPECT_EQ(b.attributeValue("value"), "x &amp; <y>");
    EXPECT_EQ(b.attributeValue("missing"), "");
    EXPECT_EQ(b.attributeValue("Name"), "");
    // Path lookups skip empty pieces and take the first match.
    EXPECT_EQ(doc.root().findChild("/groups//group/item"), group.children()[0].get());
    EXPECT_EQ(doc.root().findChild("groups/group/nothing"), nullptr);
    EXPECT_EQ(doc.root().findChild("Groups"), nullptr);
}

TEST(XmlParser, TextBeforeTheFirstChildIsKept) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadFromString(withDecl("<a>hello</a>")));
    EXPECT_EQ(doc.root().findChild("a")->text(), "hello");

    ASSERT_TRUE(doc.loadFromString(withDecl("<a>\r\n    <b/>\r\n</a>")));
    EXPECT_EQ(doc.root().findChild("a")->text(), "\r\n    ");
    EXPECT_EQ(doc.root().findChild("a/b")->text(), "");

    // Whitespace after a child is skipped; anything else there fails.
    EXPECT_FALSE(parses("<a><b/>text</a>"));
    EXPECT_FALSE(parses("<a><b></b>text</a>"));
    EXPECT_FALSE(parses("<a/>stray"));
    EXPECT_FALSE(parses("<a><!-- note -->text</a>"));
    EXPECT_TRUE(parses("<a><!-- note -->  </a>"));
}

TEST(XmlParser, TagWhitespaceAndEndTagRules) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadFromString(withDecl("< a  k = 'v' >< b / ></ x >")));
    const XmlElement* a = doc.root().findChild("a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->attributeValue("k"), "v");
    EXPECT_NE(doc.root().findChild("a/b"), nullptr);
    // The end tag's name is not compared, but closing more than is open fails.
    EXPECT_TRUE(parses("<a></b>"));
    EXPECT_FALSE(parses("<a></a></a>"));
    EXPECT_FALSE(parses("</a>"));
    // Elements left open at the end between tags are accepted; ending inside a tag is not.
    EXPECT_TRUE(parses("<a><b/>"));
    EXPECT_FALSE(parses("<a>text"));
    EXPECT_FALSE(parses("<a"));
    EXPECT_FALSE(parses("<a x='1"));
    EXPECT_FALSE(parses("<a x="));
    EXPECT_FALSE(parses("<a/"));
    EXPECT_FALSE(parses("<a></a"));
    EXPECT_FALSE(parses("<!-- open"));
    EXPECT_FALSE(parses("<"));
    EXPECT_TRUE(parses("   \r\n\t"));
}

TEST(XmlParser, AttributeNameAndValueRules) {
    EXPECT_FALSE(parses("<a -x='1'/>"));
    EXPECT_FALSE(parses("<a _x='1'/>"));
    EXPECT_FALSE(parses("<a .x='1'/>"));
    EXPECT_TRUE(parses("<a x-_.y='1'/>"));
    EXPECT_FALSE(parses("<a x/>"));
    EXPECT_FALSE(parses("<a x '1'/>"));
    EXPECT_FALSE(parses("<a x=1/>"));
    EXPECT_TRUE(parses("<a x='1'y='2'/>")); // the gap after a value may be empty
    EXPECT_FALSE(parses("<a x='1' y=\"2'/>"));
    EXPECT_FALSE(parses("<a&/>"));

    XmlDocument doc;
    ASSERT_TRUE(doc.loadFromString(withDecl("<a d='say \"hi\"' x = \"1\" x='2' é1='ü' />")));
    const XmlElement& a = *doc.root().children()[0];
    EXPECT_EQ(a.attributeValue("d"), "say \"hi\"");
    EXPECT_EQ(a.attributeValue("x"), "1"); // duplicates kept, first wins
    EXPECT_EQ(a.attributes().size(), 4u);
    EXPECT_EQ(a.attributeValue("é1"), "ü");
}

TEST(XmlParser, CommentForms) {
    XmlDocument doc;
    // "<!-->" closes at once: the opener's dashes count.
    ASSERT_TRUE(doc.loadFromString(withDecl("<!--><a/>")));
    EXPECT_NE(doc.root().findChild("a"), nullptr);
    ASSERT_TRUE(doc.loadFromString(withDecl("<!-- <b/> > -> --><a><!--x--></a>")));
    EXPECT_EQ(doc.root().children().size(), 1u);
    // A "!" that opens no comment is skipped.
    ASSERT_TRUE(doc.loadFromString(withDecl("<!a/>")));
    EXPECT_NE(doc.root().findChild("a"), nullptr);
}

TEST(XmlParser, DeepNestingNeitherRecursesNorOverflows) {
    constexpr int kDepth = 100000;
    std::string text(kDecl);
    text.reserve(kDepth * 8);
    for (int i = 0; i < kDepth; ++i) {
        text += "<e>";
    }
    for (int i = 0; i < kDepth; ++i) {
        text += "</e>";
    }
    XmlDocument doc;
    ASSERT_TRUE(doc.loadFromString(text));
    const XmlElement* element = &doc.root();
    int depth = 0;
    while (!element->children().empty()) {
        element = element->children()[0].get();
        ++depth;
    }
    EXPECT_EQ(depth, kDepth);
    // Destruction of the deep tree happens when doc goes out of scope (and on the next load).
    EXPECT_TRUE(doc.loadFromString(withDecl("<a/>")));
}

TEST(CommandMachine, RunsStatesByIdAndReportsErrors) {
    CommandMachine machine;
    EXPECT_FALSE(machine.run());
    EXPECT_EQ(machine.errorText(), "unknown error");

    std::vector<int> order;
    machine.addState(5, [&](int& next) {
        order.push_back(5);
        next = order.size() < 3 ? 7 : -1;
        return true;
    });
    machine.addState(7, [&](int& next) {
        order.push_back(7);
        next = 5;
        return true;
    });
    EXPECT_TRUE(machine.run());
    EXPECT_EQ(order, (std::vector<int>{5, 7, 5}));

    CommandMachine failing;
    failing.addState(1, [](int& next) {
        next = 2;
        return true;
    });
    failing.addState(2, [](int&) { return false; });
    EXPECT_FALSE(failing.run());
    EXPECT_EQ(failing.errorText(), "command error, id: 2");

    CommandMachine lost;
    lost.addState(0, [](int& next) {
        next = 3;
        return true;
    });
    EXPECT_FALSE(lost.run());
    EXPECT_EQ(lost.errorText(), "command not found");

    CommandMachine broken;
    broken.addState(-1, [](int&) { return true; });
    EXPECT_FALSE(broken.run());
    CommandMachine empty;
    empty.addState(0, nullptr);
    EXPECT_FALSE(empty.run());
    EXPECT_EQ(empty.errorText(), "unknown error");
}

TEST(XmlParser, NameClassesAreUnicodeAware) {
    EXPECT_TRUE(isXmlLetterOrDigit(U'Ä'));
    EXPECT_TRUE(isXmlLetterOrDigit(U'写'));
    EXPECT_FALSE(isXmlLetterOrDigit(U'-'));
    EXPECT_TRUE(isXmlNameChar(U'-'));
    EXPECT_TRUE(isXmlNameChar(U'.'));
    EXPECT_FALSE(isXmlNameChar(U'€'));
    EXPECT_FALSE(isXmlNameChar(U':'));
}

} // namespace
} // namespace scalora
