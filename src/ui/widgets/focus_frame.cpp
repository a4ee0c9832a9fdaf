#include "ui/widgets/focus_frame.h"

#include "ui/draw/canvas.h"
#include "ui/style/ui_style_manager.h"

#include <algorithm>

namespace scalora {

void drawFocusFrame(Canvas& canvas, const Rect& r, Color fallback) {
    if (r.width < 2 || r.height < 2) {
        return;
    }
    const PixelImage* image = UIStyleManager::instance().standardImage(StandardImage::Focus);
    if (image != nullptr && !image->isNull()) {
        // The image is one period of the pattern plus its first pixel again, so the edges
        // repeat all but its last row and column.
        const std::int32_t w = std::max(image->width() - 1, 1);
        const std::int32_t h = std::max(image->height() - 1, 1);
        const std::int32_t right = image->width() - 1;
        const std::int32_t bottom = image->height() - 1;
        canvas.fillTiled(*image, {0, 0, w, 1}, {r.x, r.y, r.width, 1});
        canvas.fillTiled(*image, {0, bottom, w, 1}, {r.x, r.bottom() - 1, r.width, 1});
        canvas.fillTiled(*image, {0, 0, 1, h}, {r.x, r.y + 1, 1, r.height - 2});
        canvas.fillTiled(*image, {right, 0, 1, h}, {r.right() - 1, r.y + 1, 1, r.height - 2});
        return;
    }
    for (std::int32_t x = r.x; x < r.right(); x += 2) {
        canvas.fillRect({x, r.y, 1, 1}, fallback);
        canvas.fillRect({x, r.bottom() - 1, 1, 1}, fallback);
    }
    for (std::int32_t y = r.y + 2; y < r.bottom() - 1; y += 2) {
        canvas.fillRect({r.x, y, 1, 1}, fallback);
        canvas.fillRect({r.right() - 1, y, 1, 1}, fallback);
    }
}

} // namespace scalora
