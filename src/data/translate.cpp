#include "data/translate.h"

namespace scalora {

// Placeholder until translations load: every text stays in English.
std::string translate(std::string_view text, std::string_view /*context*/) {
    return std::string(text);
}

} // namespace scalora
