// Base64 with the standard alphabet and "=" padding, on one line (no line breaks), as used for
// the feedback form value.
#pragma once

#include <string>
#include <string_view>

namespace scalora {

std::string base64Encode(std::string_view bytes);

} // namespace scalora
