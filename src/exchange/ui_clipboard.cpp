#include "exchange/ui_clipboard.h"

#include "ui/core/ui_toolkit.h"

namespace scalora {

namespace {

std::unique_ptr<ClipboardBackend>& backendSlot() {
    static std::unique_ptr<ClipboardBackend> backend;
    return backend;
}

void failureSignal() {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->windowSystem().beep();
    }
}

} // namespace

void setClipboardBackend(std::unique_ptr<ClipboardBackend> backend) {
    backendSlot() = std::move(backend);
}

bool setClipboardText(std::string_view text) {
    // Text ends at its first NUL, as it would on the clipboard.
    const std::string placed(text.substr(0, text.find('\0')));
    ClipboardBackend* backend = backendSlot().get();
    if (placed.empty() || backend == nullptr || !backend->setText(placed)) {
        failureSignal();
        return false;
    }
    return true;
}

std::string clipboardText() {
    ClipboardBackend* backend = backendSlot().get();
    const std::optional<std::string> text =
        backend != nullptr ? backend->text() : std::optional<std::string>();
    std::string result;
    if (text) {
        result = text->substr(0, text->find('\0'));
    }
    if (result.empty()) {
        failureSignal();
    }
    return result;
}

bool clipboardHasText() {
    ClipboardBackend* backend = backendSlot().get();
    if (backend == nullptr) {
        return false;
    }
    const std::optional<std::string> text = backend->text();
    return text && !text->empty() && text->front() != '\0';
}

} // namespace scalora
