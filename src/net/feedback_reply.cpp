#include "net/feedback_reply.h"

namespace scalora {

bool isAcceptedFeedbackReply(std::string_view body) {
    (void)body;
    return false;
}

} // namespace scalora
