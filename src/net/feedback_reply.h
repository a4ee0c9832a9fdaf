// Whether the feedback service's reply body confirms that it took the message.
#pragma once

#include <string_view>

namespace scalora {

// True only for an XML document (declaration included) whose top-level element "answer" has
// the attribute version "1.0" and the text "1", compared exactly, without trimming.
bool isAcceptedFeedbackReply(std::string_view body);

} // namespace scalora
