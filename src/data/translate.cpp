#include "data/translate.h"

#include "base/strings.h"
#include "data/translation.h"

#include <mutex>
#include <shared_mutex>

namespace scalora {
namespace {

// The worker thread translates messages while the UI thread may switch the language, so the
// current translation sits behind a reader/writer lock.
struct TranslationState {
    std::shared_mutex mutex;
    std::unique_ptr<Translation> current;
    std::string applicationName;
};

TranslationState& state() {
    static TranslationState instance;
    return instance;
}

std::string substituteWith(std::string_view text, std::string_view applicationName) {
    std::string result = replaceAll(text, "\\r", "");
    result = replaceAll(result, "\\t", "");
    result = replaceAll(result, "\\n", "\n");
    result = replaceAll(result, "|", "\n");
    return replaceAll(result, "%app", applicationName);
}

} // namespace

std::string substituteText(std::string_view text) {
    TranslationState& s = state();
    std::shared_lock lock(s.mutex);
    return substituteWith(text, s.applicationName);
}

void setApplicationName(std::string_view name) {
    TranslationState& s = state();
    std::unique_lock lock(s.mutex);
    s.applicationName = name;
}

std::string translate(std::string_view text, std::string_view context) {
    TranslationState& s = state();
    std::shared_lock lock(s.mutex);
    if (s.current != nullptr) {
        if (const TranslationItem* item = s.current->find(text, context)) {
            return item->translation.empty() ? item->source : item->translation;
        }
    }
    return substituteWith(text, s.applicationName);
}

void installTranslation(std::unique_ptr<Translation> translation) {
    TranslationState& s = state();
    std::unique_ptr<Translation> old;
    {
        std::unique_lock lock(s.mutex);
        old = std::move(s.current);
        s.current = std::move(translation);
    }
}

std::string currentTranslationPath() {
    TranslationState& s = state();
    std::shared_lock lock(s.mutex);
    return s.current != nullptr ? s.current->path() : std::string();
}

} // namespace scalora
