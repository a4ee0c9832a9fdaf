#include "net/feedback_reply.h"

#include "data/xml_document.h"

namespace scalora {

bool isAcceptedFeedbackReply(std::string_view body) {
    if (body.empty()) {
        return false;
    }
    // The reader refuses a document without its declaration, which the service always sends.
    XmlDocument document;
    if (!document.loadFromString(body)) {
        return false;
    }
    const XmlElement* answer = document.root().findChild("answer");
    return answer != nullptr && answer->attributeValue("version") == "1.0" && answer->text() == "1";
}

} // namespace scalora
