// Who the program is: product and version (from the build), and the vendor's web presence. The
// web host and URL are the vendor's own domain; the feedback service and the About window use
// them.
#pragma once

#include "base/product.h"

#include <string_view>

namespace scalora {

inline constexpr std::string_view kCompanyName = "Halvorn Software";
inline constexpr std::string_view kWebHost = "www.halvorn-software.example";
inline constexpr std::string_view kWebUrl = "http://www.halvorn-software.example/scalora/";

} // namespace scalora
