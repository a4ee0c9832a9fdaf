#include "base/strings.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(Strings, Utf16RoundTripKeepsEveryPlane) {
    const std::string text =
        "Ä größe 写真 \xF0\x9F\x93\xB7"; // includes a camera emoji (surrogate pair)
    const std::u16string wide = utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 13u); // 11 characters, the emoji needs two units
    EXPECT_EQ(utf16ToUtf8(wide), text);
    EXPECT_EQ(utf16leBytesToUtf8(utf8ToUtf16leBytes(text)), text);
    EXPECT_EQ(utf8ToUtf16leBytes("A"), std::string("A\0", 2));
    EXPECT_EQ(utf16ToUtf8(u""), "");
}

TEST(Strings, MalformedInputBecomesReplacementCharacter) {
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToUtf16("\xC3"), std::u16string(1, char16_t(0xFFFD)));
    EXPECT_EQ(utf8ToUtf16("\xC0\x80"), std::u16string(1, char16_t(0xFFFD))); // overlong NUL
    EXPECT_FALSE(isValidUtf8("a\xFF"));
    EXPECT_TRUE(isValidUtf8("plain \xE2\x82\xAC"));
    // An odd trailing byte of UTF-16LE data is dropped, not read past.
    EXPECT_EQ(utf16leBytesToUtf8(std::string("A\0B", 3)), "A");
}

TEST(Strings, Latin1StandsInForTheAnsiCodePage) {
    EXPECT_EQ(latin1ToUtf8("\xC4\xE9"), "Äé");
    EXPECT_EQ(utf8ToLatin1("Äé€"), "\xC4\xE9?");
}

TEST(Strings, CaseMappingIsUnicodeAware) {
    EXPECT_EQ(toLower("ÄÖÜ PHOTO.JPG"), "äöü photo.jpg");
    EXPECT_EQ(toUpper("halvorn scalora ß"), "HALVORN SCALORA ß"); // no one-to-two mapping
    EXPECT_EQ(toUpper("ёлка"), "ЁЛКА");
    EXPECT_EQ(upperFirst("élan"), "Élan");
    EXPECT_EQ(lowerFirst("ÉLAN"), "éLAN");
    EXPECT_EQ(upperFirst(""), "");
    EXPECT_TRUE(equalsIgnoreCase("Straße.JPG", "STRAßE.jpg"));
    EXPECT_FALSE(equalsIgnoreCase("a.jpg", "a.jpeg"));
}

TEST(Strings, LettersAndDigitsOfEveryScript) {
    EXPECT_TRUE(isLetterOrDigitChar(U'z'));
    EXPECT_TRUE(isLetterOrDigitChar(U'7'));
    EXPECT_TRUE(isLetterOrDigitChar(U'\u00E9')); // e acute
    EXPECT_TRUE(isLetterOrDigitChar(U'\u5199')); // a CJK ideograph
    EXPECT_FALSE(isLetterOrDigitChar(U'-'));
    EXPECT_FALSE(isLetterOrDigitChar(U'\u00A0'));
    EXPECT_FALSE(isLetterOrDigitChar(char32_t{0x110000}));
}

TEST(Strings, TrimSplitReplace) {
    EXPECT_EQ(trim("  \t\"a b\"\r\n"), "\"a b\"");
    EXPECT_EQ(trim("\xC2\xA0x\xC2\xA0"), "x"); // no-break spaces
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trimRight("é "), "é");
    EXPECT_EQ(split("a\" \"b\" \"", "\" \""), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(split("", ","), (std::vector<std::string>{""}));
    EXPECT_EQ(split(",,", ","), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(replaceAll("%app - %app", "%app", "Halvorn Scalora"),
              "Halvorn Scalora - Halvorn Scalora");
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa"); // replacement is not rescanned
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}

TEST(Strings, LeadingIntegerFollowsTheRuntimeRule) {
    EXPECT_EQ(parseLeadingInt("  640px"), 640);
    EXPECT_EQ(parseLeadingInt("-12"), -12);
    EXPECT_EQ(parseLeadingInt("+7"), 7);
    EXPECT_EQ(parseLeadingInt("abc"), 0);
    EXPECT_EQ(parseLeadingInt(""), 0);
    EXPECT_EQ(parseLeadingInt("- 5"), 0);
    EXPECT_EQ(parseLeadingInt("1e3"), 1);
    EXPECT_EQ(parseLeadingInt("99999999999"), 2147483647);
    EXPECT_EQ(parseLeadingInt("-99999999999"), -2147483647 - 1);

    std::int64_t v = 0;
    EXPECT_TRUE(parseInt(" 42 ", v));
    EXPECT_EQ(v, 42);
    EXPECT_FALSE(parseInt("42x", v));
    EXPECT_FALSE(parseInt("", v));
    double d = 0;
    EXPECT_TRUE(parseDouble("1.5", d));
    EXPECT_DOUBLE_EQ(d, 1.5);
    EXPECT_FALSE(parseDouble("1.5.", d));
}

} // namespace
} // namespace scalora
