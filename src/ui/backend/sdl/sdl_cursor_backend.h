// Native cursors through SDL2: system shapes and colour cursors from images. Needs SDL's
// video subsystem to be initialised; without it every cursor comes back null.
#pragma once

#include "ui/style/cursor_set.h"

namespace scalora {

class SdlCursorBackend : public CursorBackend {
public:
    void* createSystemCursor(SystemCursor shape) override;
    void* createImageCursor(const PixelImage& image, Point hotspot) override;
    void destroyCursor(void* cursor) override;
};

} // namespace scalora
