// Text exchange through the system clipboard, as the text editing widgets use it. Setting
// an empty text, or any failure, and reading when the clipboard holds no text, give the
// failure signal: the window system's beep.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace scalora {

// Where clipboard text really goes: the window system's clipboard (the SDL backend installs
// its own while it runs), memory in tests.
class ClipboardBackend {
public:
    virtual ~ClipboardBackend() = default;
    [[nodiscard]] virtual bool setText(const std::string& text) = 0;
    // Nothing when the clipboard holds no text.
    [[nodiscard]] virtual std::optional<std::string> text() = 0;
};

// Replaces the clipboard backend of the process. Without one (null) there is no clipboard:
// every call gives the failure signal.
void setClipboardBackend(std::unique_ptr<ClipboardBackend> backend);

// Places a non-empty text; returns false (after the failure signal) otherwise.
[[nodiscard]] bool setClipboardText(std::string_view text);
// The clipboard's text up to its first NUL; empty (after the failure signal) when there is
// none.
std::string clipboardText();
// Whether the clipboard holds text now, without the failure signal (for enabling Paste).
bool clipboardHasText();

} // namespace scalora
