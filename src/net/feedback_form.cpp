#include "net/feedback_form.h"

#include "base/strings.h"
#include "net/base64.h"
#include "net/url_encoding.h"

namespace scalora {

std::string feedbackText(std::string_view email, std::string_view message) {
    std::string text = trim(email);
    if (!text.empty()) {
        text += "\n\n";
    }
    text += trim(message);
    const std::size_t first = text.find_first_not_of('\0');
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of('\0');
    return text.substr(first, last - first + 1);
}

std::string buildFeedbackValue(std::string_view email, std::string_view message) {
    const std::string text = feedbackText(email, message);
    if (text.empty()) {
        return {};
    }
    return urlEncode(base64Encode(text));
}

} // namespace scalora
