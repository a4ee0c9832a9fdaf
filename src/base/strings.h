// UTF-8 string helpers used everywhere: encoding conversions for file formats that store
// UTF-16 or ISO-8859-1, Unicode-aware case mapping, trimming, splitting and number parsing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// Encoding. Invalid input sequences become U+FFFD so that a damaged name still shows.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);
// Reads UTF-16LE bytes (no byte-order mark handling); an odd trailing byte is dropped.
std::string utf16leBytesToUtf8(std::string_view bytes);
std::string utf8ToUtf16leBytes(std::string_view text);
// ISO-8859-1 stands in for the Windows ANSI code page. Characters above U+00FF become '?'.
std::string latin1ToUtf8(std::string_view bytes);
std::string utf8ToLatin1(std::string_view text);
bool isValidUtf8(std::string_view text);

// Decodes one code point at pos and advances pos; U+FFFD for a malformed sequence.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t codePoint);
std::u32string utf8ToUtf32(std::string_view text);
std::string utf32ToUtf8(std::u32string_view text);

// Case mapping by Unicode simple case rules ("Ä" <-> "ä"), never ASCII-only.
char32_t toLowerChar(char32_t c);
char32_t toUpperChar(char32_t c);
std::string toLower(std::string_view text);
std::string toUpper(std::string_view text);
std::string lowerFirst(std::string_view text);
std::string upperFirst(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Letters and digits of any script (for names in markup), by the C library's Unicode tables.
bool isLetterOrDigitChar(char32_t c);

// White space is the ASCII set (space, tab, CR, LF, VT, FF) plus U+00A0 and U+3000.
bool isSpaceChar(char32_t c);
std::string trim(std::string_view text);
std::string trimLeft(std::string_view text);
std::string trimRight(std::string_view text);
// Splits at every occurrence of separator; empty pieces are kept, so "a,,b" gives three.
std::vector<std::string> split(std::string_view text, std::string_view separator);
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
std::string join(const std::vector<std::string>& pieces, std::string_view separator);

// Decimal text to integer the way a C runtime's string-to-int does: leading white space,
// an optional sign, then digits up to the first non-digit. No digits gives 0; values past
// the 32-bit range saturate.
std::int32_t parseLeadingInt(std::string_view text);
// Strict parse: the whole text (after trimming) must be an optional sign and digits that fit.
[[nodiscard]] bool parseInt(std::string_view text, std::int64_t& value);
[[nodiscard]] bool parseDouble(std::string_view text, double& value);
std::string intToString(std::int64_t value);

} // namespace scalora
