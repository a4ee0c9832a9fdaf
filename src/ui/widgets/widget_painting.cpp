#include "ui/widgets/widget_painting.h"

#include "imaging/pixel_image.h"
#include "ui/draw/canvas.h"
#include "ui/style/ui_style_manager.h"

#include <algorithm>
#include <cmath>

namespace scalora {

void drawShadowedText(Canvas& canvas, const UIFont& font, const Rect& rect, std::string_view text,
                      Color color, Color shadow, Point shadowOffset, std::uint32_t flags) {
    if (text.empty()) {
        return;
    }
    if (isDrawnColor(shadow)) {
        canvas.drawText(font, rect.translated(shadowOffset.x, shadowOffset.y), text, shadow, flags);
    }
    canvas.drawText(font, rect, text, color, flags);
}

void drawFocusFrame(Canvas& canvas, const Rect& rect, Color fallback) {
    if (rect.width < 2 || rect.height < 2) {
        return;
    }
    const Rect top{rect.x, rect.y, rect.width, 1};
    const Rect bottom{rect.x, rect.bottom() - 1, rect.width, 1};
    const Rect left{rect.x, rect.y + 1, 1, rect.height - 2};
    const Rect right{rect.right() - 1, rect.y + 1, 1, rect.height - 2};
    const PixelImage* image = UIStyleManager::instance().standardImage(StandardImage::Focus);
    if (image != nullptr && image->width() >= 2 && image->height() >= 2) {
        // The first two pixels of the image's top row and left column make one period of the
        // dotted line along horizontal and vertical edges.
        const Rect along{0, 0, 2, 1};
        const Rect down{0, 0, 1, 2};
        canvas.fillTiled(*image, along, top);
        canvas.fillTiled(*image, along, bottom);
        canvas.fillTiled(*image, down, left);
        canvas.fillTiled(*image, down, right);
        return;
    }
    for (const Rect& edge : {top, bottom, left, right}) {
        for (std::int32_t y = edge.y; y < edge.bottom(); ++y) {
            for (std::int32_t x = edge.x; x < edge.right(); ++x) {
                if (((x - rect.x) + (y - rect.y)) % 2 == 0) {
                    canvas.fillRect({x, y, 1, 1}, fallback);
                }
            }
        }
    }
}

Size fittedImageSize(Size image, Size box) {
    if (image.isEmpty() || box.isEmpty()) {
        return {};
    }
    if (image.width <= box.width && image.height <= box.height) {
        return image;
    }
    const double scale = std::min(static_cast<double>(box.width) / image.width,
                                  static_cast<double>(box.height) / image.height);
    return {std::max(1, static_cast<std::int32_t>(std::lround(image.width * scale))),
            std::max(1, static_cast<std::int32_t>(std::lround(image.height * scale)))};
}

void drawImageCentred(Canvas& canvas, const PixelImage& image, const Rect& box) {
    const Size size = fittedImageSize(image.size(), box.size());
    if (size.isEmpty()) {
        return;
    }
    const Rect target{box.x + (box.width - size.width) / 2, box.y + (box.height - size.height) / 2,
                      size.width, size.height};
    if (size == image.size()) {
        canvas.drawImage(image, target.topLeft()); // no filtering at the image's own size
        return;
    }
    canvas.drawImage(image, {0, 0, image.width(), image.height()}, target);
}

} // namespace scalora
