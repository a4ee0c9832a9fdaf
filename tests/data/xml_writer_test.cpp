#include "data/text_file.h"
#include "data/xml_document.h"
#include "data/xml_writer.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

constexpr std::string_view kHead = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

TEST(XmlWriter, WritesTheFileLayoutByteForByte) {
    XmlDocument doc;
    EXPECT_EQ(XmlWriter::toBytes(doc), kHead);

    XmlElement& groups = doc.root().addChild("groups");
    groups.setText("never written");
    XmlElement& group = groups.addChild("group");
    group.addAttribute("name", "general");
    group.addChild("item").addAttribute("name", "a");
    XmlElement& item = group.addChild("item");
    item.addAttribute("name", "b");
    item.addAttribute("value", "x & <y>");
    groups.addChild("empty");
    doc.root().addChild("second");
    EXPECT_EQ(XmlWriter::toBytes(doc), std::string(kHead) +
                                           "<groups>\r\n"
                                           "    <group name=\"general\">\r\n"
                                           "        <item name=\"a\" />\r\n"
                                           "        <item name=\"b\" value=\"x & <y>\" />\r\n"
                                           "    </group>\r\n"
                                           "    <empty />\r\n"
                                           "</groups>\r\n"
                                           "<second />\r\n");
}

TEST(XmlWriter, QuotesSoThatEveryValueReadsBackOrIsDropped) {
    EXPECT_EQ(quotedAttributeValue("plain"), "\"plain\"");
    EXPECT_EQ(quotedAttributeValue("it's"), "\"it's\"");
    EXPECT_EQ(quotedAttributeValue("/home/u/\"quoted\" folder"), "'/home/u/\"quoted\" folder'");
    EXPECT_EQ(quotedAttributeValue("both \" and '"), "\"\"");
    EXPECT_EQ(quotedAttributeValue("&amp;"), "\"&amp;\"");

    XmlDocument doc;
    XmlElement& e = doc.root().addChild("e");
    e.addAttribute("a", "say \"hi\"");
    e.addAttribute("b", "both \" and '");
    e.addAttribute("c", "&amp; stays");
    XmlDocument back;
    ASSERT_TRUE(back.loadFromString(XmlWriter::toBytes(doc).substr(3)));
    const XmlElement* read = back.root().findChild("e");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->attributeValue("a"), "say \"hi\"");
    EXPECT_EQ(read->attributeValue("b"), "");
    EXPECT_EQ(read->attributeValue("c"), "&amp; stays");
}

TEST(XmlWriter, DeepTreesRoundTrip) {
    // The indent makes the output grow with the square of the depth, so a thousand levels
    // (about 4 MB) is deep enough to show the nesting comes back intact.
    constexpr int kDepth = 1000;
    XmlDocument doc;
    XmlElement* element = &doc.root();
    for (int i = 0; i < kDepth; ++i) {
        element = &element->addChild("e");
    }
    const std::string bytes = XmlWriter::toBytes(doc);
    XmlDocument back;
    ASSERT_TRUE(back.loadFromString(bytes));
    int depth = 0;
    for (const XmlElement* e = &back.root(); !e->children().empty(); e = e->children()[0].get()) {
        ++depth;
    }
    EXPECT_EQ(depth, kDepth);
}

TEST(XmlDocument, FileRoundTripAndFailures) {
    test::TempDir dir;
    const std::string path = (dir / "doc.xml").string();
    XmlDocument doc;
    XmlElement& t = doc.root().addChild("translation");
    t.addAttribute("language", "Deutsch");
    t.addChild("groups").addChild("group").addAttribute("name", "Größe 写真");
    ASSERT_TRUE(doc.saveToFile(path));
    EXPECT_EQ(test::readFile(path), XmlWriter::toBytes(doc));

    XmlDocument back;
    ASSERT_TRUE(back.loadFromFile(path));
    EXPECT_EQ(back.root().findChild("translation/groups/group")->attributeValue("name"),
              "Größe 写真");
    EXPECT_EQ(XmlWriter::toBytes(back), XmlWriter::toBytes(doc));

    EXPECT_FALSE(back.loadFromFile(""));
    EXPECT_FALSE(back.loadFromFile((dir / "missing.xml").string()));
    EXPECT_TRUE(back.root().children().empty());
    // Only the byte-order mark: empty text, which has no declaration.
    ASSERT_TRUE(test::writeFile(dir / "bom.xml", "\xEF\xBB\xBF"));
    EXPECT_FALSE(back.loadFromFile((dir / "bom.xml").string()));
    // Saving into a folder that does not exist fails and leaves nothing behind.
    EXPECT_FALSE(doc.saveToFile((dir / "no" / "doc.xml").string()));
    EXPECT_FALSE(doc.saveToFile(dir.path().string() + "/"));
    EXPECT_FALSE(doc.saveToFile(""));
}

TEST(TextFile, ReadsTheThreeEncodings) {
    test::TempDir dir;
    const auto read = [&](std::string_view bytes, TextEncoding encoding) {
        test::writeFile(dir / "t.txt", bytes);
        return readTextFile((dir / "t.txt").string(), encoding).value_or("<unreadable>");
    };
    EXPECT_EQ(read("", TextEncoding::Utf8), "");
    EXPECT_EQ(read("\xEF\xBB\xBF", TextEncoding::Utf8), "");
    EXPECT_EQ(read("\xEF\xBB\xBFG\xC3\xBC", TextEncoding::Utf8), "Gü");
    EXPECT_EQ(read("G\xC3\xBC", TextEncoding::Utf8), "Gü");
    EXPECT_EQ(read("a\xFF", TextEncoding::Utf8), "a\xEF\xBF\xBD");
    EXPECT_EQ(read("G\xFC\xEF\xBB\xBF", TextEncoding::Ansi), "Güï»¿");
    EXPECT_EQ(read(std::string("\xFF\xFEG\0\xFC\0", 6), TextEncoding::Utf16), "Gü");
    EXPECT_EQ(read(std::string("G\0", 2), TextEncoding::Utf16), "G");
    EXPECT_EQ(read("\xFF\xFE", TextEncoding::Utf16), "");
    EXPECT_EQ(read("abc", static_cast<TextEncoding>(7)), "");
    EXPECT_FALSE(readTextFile((dir / "none").string(), TextEncoding::Utf8).has_value());
    EXPECT_FALSE(readTextFile(dir.path().string(), TextEncoding::Utf8).has_value());
}

TEST(TextFile, WriterPutsTheMarkFirstAndConverts) {
    TextFileWriter utf8;
    utf8.write("");
    EXPECT_EQ(utf8.bytes(), "");
    utf8.write("Gü");
    utf8.write("");
    utf8.write("!");
    EXPECT_EQ(utf8.bytes(), "\xEF\xBB\xBFG\xC3\xBC!");

    TextFileWriter utf16(TextEncoding::Utf16);
    utf16.write("Gü");
    EXPECT_EQ(utf16.bytes(), std::string("\xFF\xFEG\0\xFC\0", 6));

    TextFileWriter ansi(TextEncoding::Ansi);
    ansi.write("Gü€");
    ansi.write(std::string("x\0\0", 3));
    EXPECT_EQ(ansi.bytes(), "G\xFC?x");

    test::TempDir dir;
    const std::string path = (dir / "out.txt").string();
    ASSERT_TRUE(utf16.saveTo(path));
    EXPECT_EQ(readTextFile(path, TextEncoding::Utf16).value(), "Gü");
}

} // namespace
} // namespace scalora
