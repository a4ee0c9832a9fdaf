// The system clipboard through SDL2 (UTF-8 text). The SDL window system installs it for as
// long as SDL's video subsystem runs.
#pragma once

#include "exchange/ui_clipboard.h"

namespace scalora {

class SdlClipboardBackend : public ClipboardBackend {
public:
    bool setText(const std::string& text) override;
    std::optional<std::string> text() override;
};

} // namespace scalora
