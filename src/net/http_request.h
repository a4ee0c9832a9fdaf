// The description of one HTTP/1.0 request (method, path, header lines, form fields) and the
// request text built from it. Header lines are whole "Name: value" lines kept in order.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scalora {

enum class HttpMethod : std::int32_t { Get = 0, Post = 1 };

// Adds a whole header line to an ordered list: the line is trimmed; a line "Name: value"
// replaces the first line that already starts with "Name:", in that line's position; any
// other line is appended. Names compare case-sensitively. Blank lines are ignored, since one
// would end the header block early.
void addHeaderLine(std::vector<std::string>& lines, std::string_view line);

struct FormField {
    std::string name;
    std::string value; // already URL-encoded by the caller
};

class HttpRequest {
public:
    void setMethod(HttpMethod method) { method_ = method; }
    void setHost(std::string host) { host_ = std::move(host); }
    void setPath(std::string path) { path_ = std::move(path); }
    void setPort(std::int32_t port) { port_ = port; }
    void setVersion(std::string version) { version_ = std::move(version); }
    void setSendTimeout(std::chrono::milliseconds timeout) { sendTimeout_ = timeout; }
    void addHeaderLine(std::string_view line) { scalora::addHeaderLine(headerLines_, line); }
    void addFormField(std::string name, std::string value);

    HttpMethod method() const { return method_; }
    const std::string& host() const { return host_; }
    const std::string& path() const { return path_; }
    std::int32_t port() const { return port_; }
    const std::string& version() const { return version_; }
    std::chrono::milliseconds sendTimeout() const { return sendTimeout_; }
    const std::vector<std::string>& headerLines() const { return headerLines_; }
    const std::vector<FormField>& formFields() const { return formFields_; }

    // name=value pairs joined with "&", in the order they were added.
    std::string formBody() const;
    // Byte length of the form body in UTF-8, for the Content-Length line.
    std::size_t formBodyLength() const { return formBody().size(); }
    // The bytes sent: request line, header lines, blank line, and for a POST the form body.
    // A GET carries its form body directly after the path (no "?" is added).
    std::string requestText() const;

private:
    std::string version_ = "1.0";
    HttpMethod method_ = HttpMethod::Get;
    std::string host_;
    std::string path_ = "/";
    std::int32_t port_ = 80;
    std::chrono::milliseconds sendTimeout_{0};
    std::vector<std::string> headerLines_;
    std::vector<FormField> formFields_;
};

} // namespace scalora
