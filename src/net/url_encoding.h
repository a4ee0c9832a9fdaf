// Percent-encoding of form values as the feedback service expects them.
#pragma once

#include <string>
#include <string_view>

namespace scalora {

// Encodes the UTF-8 bytes of text: control bytes and the blank (below 0x21), every byte of
// 0x80 and above, and the twenty characters < > " # % { } | \ ^ ~ [ ] + ? & @ = : , become
// "%XX" with upper-case hex digits; every other byte stays as it is ("/", ";", "'", "(" and
// ")" included).
std::string urlEncode(std::string_view text);

} // namespace scalora
