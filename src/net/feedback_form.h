// The value of the feedback form's one field "q", built from what the user typed.
#pragma once

#include <string>
#include <string_view>

namespace scalora {

// The e-mail address (trimmed; followed by two line feeds when present) and the trimmed
// message, as UTF-8 without zero bytes at either end, Base64-encoded on one line and then
// URL-encoded. Empty when both texts are blank.
std::string buildFeedbackValue(std::string_view email, std::string_view message);

// The text that the value carries, before Base64 and URL encoding.
std::string feedbackText(std::string_view email, std::string_view message);

} // namespace scalora
