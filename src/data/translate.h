// The translate operation every user-visible text passes through: the English source text and
// an optional context (for example "Messages") give the text in the current language.
#pragma once

#include <string>
#include <string_view>

namespace scalora {

std::string translate(std::string_view text, std::string_view context = {});

} // namespace scalora
