// Feeds arbitrary text to the XML parser. Whatever parses must write out and parse back to
// the same bytes, since the writer only ever produces what the parser accepts.
#include "data/xml_document.h"
#include "data/xml_writer.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    XmlDocument doc;
    const bool ok = doc.loadFromString(text);
    const std::string bytes = XmlWriter::toBytes(doc); // a partial tree must write too
    if (ok) {
        XmlDocument again;
        if (!again.loadFromString(bytes) || XmlWriter::toBytes(again) != bytes) {
            std::abort();
        }
    }
    return 0;
}
