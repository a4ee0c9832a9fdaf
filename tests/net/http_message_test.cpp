#include "net/base64.h"
#include "net/http_request.h"
#include "net/http_response.h"
#include "net/url_encoding.h"

#include <gtest/gtest.h>
#include <string>

namespace scalora {
namespace {

using namespace std::string_literals;

TEST(HttpRequest, PostCarriesTheFormBodyAfterTheBlankLine) {
    HttpRequest request;
    EXPECT_EQ(request.version(), "1.0");
    EXPECT_EQ(request.method(), HttpMethod::Get);
    EXPECT_EQ(request.path(), "/");
    EXPECT_EQ(request.port(), 80);

    request.setMethod(HttpMethod::Post);
    request.setPath("/x");
    request.addHeaderLine("Host: example");
    request.addHeaderLine("Connection: close");
    request.addFormField("q", "abc");
    EXPECT_EQ(request.requestText(),
              "POST /x HTTP/1.0\r\nHost: example\r\nConnection: close\r\n\r\nq=abc");
    EXPECT_EQ(request.formBodyLength(), 5u);

    request.addFormField("name", "%C3%A9");
    request.addFormField("empty", "");
    EXPECT_EQ(request.formBody(), "q=abc&name=%C3%A9&empty=");
    // The length counts bytes, and a non-ASCII value (left unencoded by a caller) counts
    // each of its UTF-8 bytes.
    request.addFormField("raw", "\xC3\xA9");
    EXPECT_EQ(request.formBodyLength(), request.formBody().size());
    EXPECT_EQ(request.formBodyLength(), 31u);
}

TEST(HttpRequest, GetAppendsTheFormToThePathAndSendsNoBody) {
    HttpRequest request;
    request.setPath("/find?");
    request.setVersion("1.1");
    EXPECT_EQ(request.requestText(), "GET /find? HTTP/1.1\r\n\r\n");
    request.addFormField("a", "1");
    request.addFormField("b", "2");
    EXPECT_EQ(request.requestText(), "GET /find?a=1&b=2 HTTP/1.1\r\n\r\n");
}

TEST(HttpRequest, HeaderLineReplacesTheLineOfTheSameName) {
    std::vector<std::string> lines;
    addHeaderLine(lines, "Host: a");
    addHeaderLine(lines, "Accept: */*");
    addHeaderLine(lines, "  Host: b \r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Host: b"); // in the first line's place, trimmed
    EXPECT_EQ(lines[1], "Accept: */*");

    // Names compare case-sensitively, and a name must match up to its colon: a shorter
    // name that only begins another line's name does not replace it.
    addHeaderLine(lines, "host: c");
    addHeaderLine(lines, "Accept-Language: de");
    addHeaderLine(lines, "Accept: text/xml");
    addHeaderLine(lines, "Ho: d");
    EXPECT_EQ(lines, (std::vector<std::string>{"Host: b", "Accept: text/xml", "host: c",
                                               "Accept-Language: de", "Ho: d"}));

    // Lines without a colon are appended; blank ones would end the header and are dropped.
    addHeaderLine(lines, "HTTP/1.0 200 OK");
    addHeaderLine(lines, "HTTP/1.0 200 OK");
    addHeaderLine(lines, " \t ");
    EXPECT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines.back(), "HTTP/1.0 200 OK");
}

TEST(HttpResponse, SplitsAtTheFirstBlankLine) {
    HttpResponse response;
    const std::string bytes =
        "HTTP/1.1 200 OK\r\nServer: t\xE9st\r\nX-A: 1\r\nX-A: 2\r\n\r\nbody\r\n\r\n\0\xFF!"s;
    ASSERT_TRUE(splitResponse(bytes, response));
    // Header bytes are ISO-8859-1; the body is kept byte for byte, zero bytes included.
    EXPECT_EQ(response.headerLines(),
              (std::vector<std::string>{"HTTP/1.1 200 OK", "Server: t\xC3\xA9st", "X-A: 2"}));
    EXPECT_EQ(response.body(), "body\r\n\r\n\0\xFF!"s);

    HttpResponse headerOnly;
    ASSERT_TRUE(splitResponse("HTTP/1.0 302 Found\r\nLocation: /\r\n\r\n", headerOnly));
    EXPECT_EQ(headerOnly.headerLines().size(), 2u);
    EXPECT_TRUE(headerOnly.body().empty());
}

TEST(HttpResponse, SplitRefusesWhatIsNoResponse) {
    HttpResponse response;
    EXPECT_FALSE(splitResponse("HTTP/1.0 200 OK\r\nServer: x\r\n", response));
    EXPECT_FALSE(splitResponse("HTTP/1.0 200 OK\n\nbody", response));
    EXPECT_FALSE(splitResponse("\r\n\r\nbody", response)); // nothing before the separator
    EXPECT_FALSE(splitResponse("\r\n\r\n", response));
    EXPECT_FALSE(splitResponse("", response));
    EXPECT_TRUE(splitResponse("A\r\n\r\n", response));
}

TEST(HttpResponse, StatusClassificationReadsTheStatusLineOnly) {
    const auto statusOf = [](const std::string& head) {
        HttpResponse response;
        EXPECT_TRUE(splitResponse(head + "\r\n\r\n", response)) << head;
        return responseStatus(response);
    };
    EXPECT_EQ(statusOf("HTTP/1.1 200 OK"), HttpStatus::Ok);
    EXPECT_EQ(statusOf("HTTP/1.0 200 OK"), HttpStatus::Ok);
    EXPECT_EQ(statusOf("HTTP/1.1 404 Not Found"), HttpStatus::NotFound);
    EXPECT_EQ(statusOf("HTTP/1.1 500 Internal Server Error"), HttpStatus::None);
    EXPECT_EQ(statusOf("HTTP/1.0 302 Found"), HttpStatus::Redirect);
    EXPECT_EQ(statusOf("HTTP/1.0 411 Length Required"), HttpStatus::LengthRequired);
    EXPECT_EQ(statusOf("HTTP/1.0 301 Moved Permanently"), HttpStatus::None);
    EXPECT_EQ(statusOf("HTTP/1.0 500 Error\r\nX-Note: 200 OK"), HttpStatus::None);
    EXPECT_EQ(responseStatus(HttpResponse{}), HttpStatus::None);
}

TEST(UrlEncoding, EncodesExactlyTheListedCharacters) {
    EXPECT_EQ(urlEncode(" &+"), "%20%26%2B");
    EXPECT_EQ(urlEncode(""), "");
    EXPECT_EQ(urlEncode("<>\"#%{}|\\^~[]+?&@=:,"),
              "%3C%3E%22%23%25%7B%7D%7C%5C%5E%7E%5B%5D%2B%3F%26%40%3D%3A%2C");
    EXPECT_EQ(urlEncode("/;'()!*$-_.azAZ09"), "/;'()!*$-_.azAZ09");
    EXPECT_EQ(urlEncode("\t\r\n\x01"), "%09%0D%0A%01");
    EXPECT_EQ(urlEncode("\xC3\xA9\xE2\x82\xAC"), "%C3%A9%E2%82%AC"); // é €
}

TEST(Base64, StandardAlphabetWithPaddingOnOneLine) {
    EXPECT_EQ(base64Encode(""), "");
    EXPECT_EQ(base64Encode("f"), "Zg==");
    EXPECT_EQ(base64Encode("fo"), "Zm8=");
    EXPECT_EQ(base64Encode("foo"), "Zm9v");
    EXPECT_EQ(base64Encode("foob"), "Zm9vYg==");
    EXPECT_EQ(base64Encode("fooba"), "Zm9vYmE=");
    EXPECT_EQ(base64Encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(base64Encode("\xFB\xFF\xBF"), "+/+/");
    EXPECT_EQ(base64Encode("\0\0"s), "AAA=");
    const std::string long64 = base64Encode(std::string(300, 'x'));
    EXPECT_EQ(long64.size(), 400u);
    EXPECT_EQ(long64.find('\n'), std::string::npos);
}

} // namespace
} // namespace scalora
