// Feeds arbitrary bytes to the HTTP reply reader and the feedback reply check.
#include "net/feedback_reply.h"
#include "net/http_response.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    const std::string_view received(reinterpret_cast<const char*>(data), size);
    HttpResponse response;
    if (splitResponse(received, response)) {
        static_cast<void>(responseStatus(response));
    }
    static_cast<void>(isAcceptedFeedbackReply(received));
    return 0;
}
