// A byte count as people read it: the largest unit it exceeds (1024 steps), two decimals at
// most, trailing zeros dropped, the unit name translated.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scalora {

// With an explicit decimal separator (tests) ...
std::string formatByteCount(std::uint64_t count, std::string_view decimalSeparator);
// ... and with the one of the user's locale, a full stop when it gives none.
std::string formatByteCount(std::uint64_t count);

} // namespace scalora
