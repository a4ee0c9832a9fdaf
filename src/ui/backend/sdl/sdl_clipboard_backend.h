// The system clipboard through SDL2 (UTF-8 text). The SDL window system installs it for as
// long as SDL's video subsystem runs.
#pragma once

#include "exchange/ui_clipboard.h"

namespace scalora {

class SdlClipboardBackend : public ClipboardBackend {
public:
    [[nodiscard]] bool setText(const std::string& text) override;
    [[nodiscard]] std::optional<std::string> text() override;
};

} // namespace scalora
