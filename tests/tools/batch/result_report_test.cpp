#include "tools/batch/result_report.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(ResultReport, JsonStringsAreEscapedAndAlwaysValidUtf8) {
    EXPECT_EQ(jsonQuoted("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(jsonQuoted("line\nnext\ttab\r\x01\x1f"), "\"line\\nnext\\ttab\\r\\u0001\\u001f\"");
    EXPECT_EQ(jsonQuoted("Ölfäß 日本 🎉"), "\"Ölfäß 日本 🎉\""); // well-formed UTF-8 stays
    // A stray byte, a cut sequence, an overlong form and a surrogate each become U+FFFD.
    EXPECT_EQ(jsonQuoted("a\xff"
                         "b"),
              "\"a\xEF\xBF\xBD"
              "b\"");
    EXPECT_EQ(jsonQuoted("\xE6\x97"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");
    EXPECT_EQ(jsonQuoted("\xC0\xAF"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");
    EXPECT_EQ(jsonQuoted("\xED\xA0\x80"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

} // namespace
} // namespace scalora
