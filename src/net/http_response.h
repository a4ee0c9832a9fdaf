// One received HTTP response: its header lines (status line first) and its body bytes, how
// the raw bytes are split into the two, and the coarse classification of its status line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scalora {

enum class HttpStatus : std::int32_t {
    None = 0, // no response, or a status this client does not tell apart
    Ok = 1,
    Redirect = 2,
    NotFound = 3,
    LengthRequired = 4,
};

class HttpResponse {
public:
    void clear();
    // Same replacement rule as for request lines (see addHeaderLine).
    void addHeaderLine(std::string_view line);

    const std::vector<std::string>& headerLines() const { return headerLines_; }
    // The bytes after the blank line, unchanged (no transfer coding, no length check).
    const std::string& body() const { return body_; }
    void setBody(std::string body) { body_ = std::move(body); }

private:
    std::vector<std::string> headerLines_;
    std::string body_;
};

// Splits received bytes at the first "\r\n\r\n". The header bytes are ISO-8859-1 text; each
// "\r\n"-separated line is added in order. False when there is no separator, when it stands
// at the very start, or when there are too few bytes to hold a response.
[[nodiscard]] bool splitResponse(std::string_view received, HttpResponse& response);

// Looks at the status line only: "200 OK", "404", "302", "411", tried in that order.
HttpStatus responseStatus(const HttpResponse& response);

} // namespace scalora
