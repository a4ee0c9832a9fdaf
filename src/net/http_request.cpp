#include "net/http_request.h"

#include "base/strings.h"

namespace scalora {

void addHeaderLine(std::vector<std::string>& lines, std::string_view line) {
    std::string trimmed = trim(line);
    if (trimmed.empty()) {
        return;
    }
    const std::size_t colon = trimmed.find(':');
    if (colon != std::string::npos) {
        // Matching the name together with its colon keeps "X: 1" from replacing a line
        // "X-Other: 2" that merely starts with the same letters.
        const std::string_view prefix = std::string_view(trimmed).substr(0, colon + 1);
        for (std::string& existing : lines) {
            if (existing.starts_with(prefix)) {
                existing = std::move(trimmed);
                return;
            }
        }
    }
    lines.push_back(std::move(trimmed));
}

void HttpRequest::addFormField(std::string name, std::string value) {
    formFields_.push_back({std::move(name), std::move(value)});
}

std::string HttpRequest::formBody() const {
    std::string body;
    for (const FormField& field : formFields_) {
        if (!body.empty()) {
            body += '&';
        }
        body += field.name;
        body += '=';
        body += field.value;
    }
    return body;
}

std::string HttpRequest::requestText() const {
    const bool post = method_ == HttpMethod::Post;
    std::string text = post ? "POST " : "GET ";
    text += path_;
    if (!post && !formFields_.empty()) {
        text += formBody();
    }
    text += " HTTP/";
    text += version_;
    text += "\r\n";
    for (const std::string& line : headerLines_) {
        text += line;
        text += "\r\n";
    }
    text += "\r\n";
    if (post && !formFields_.empty()) {
        text += formBody();
    }
    return text;
}

} // namespace scalora
