#include "net/http_response.h"

#include "base/strings.h"
#include "net/http_request.h"

namespace scalora {
namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";

} // namespace

void HttpResponse::clear() {
    headerLines_.clear();
    body_.clear();
}

void HttpResponse::addHeaderLine(std::string_view line) {
    scalora::addHeaderLine(headerLines_, line);
}

bool splitResponse(std::string_view received, HttpResponse& response) {
    if (received.size() <= kHeaderEnd.size()) {
        return false;
    }
    const std::size_t end = received.find(kHeaderEnd);
    if (end == std::string_view::npos || end == 0) {
        return false;
    }
    const std::string header = trim(latin1ToUtf8(received.substr(0, end)));
    for (const std::string& line : split(header, "\r\n")) {
        response.addHeaderLine(line);
    }
    response.setBody(std::string(received.substr(end + kHeaderEnd.size())));
    return true;
}

HttpStatus responseStatus(const HttpResponse& response) {
    if (response.headerLines().empty()) {
        return HttpStatus::None;
    }
    const std::string& statusLine = response.headerLines().front();
    if (statusLine.find("200 OK") != std::string::npos) {
        return HttpStatus::Ok;
    }
    if (statusLine.find("404") != std::string::npos) {
        return HttpStatus::NotFound;
    }
    if (statusLine.find("302") != std::string::npos) {
        return HttpStatus::Redirect;
    }
    if (statusLine.find("411") != std::string::npos) {
        return HttpStatus::LengthRequired;
    }
    return HttpStatus::None;
}

} // namespace scalora
