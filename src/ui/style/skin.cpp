#include "ui/style/skin.h"

#include "ui/draw/canvas.h"

#include <algorithm>

namespace scalora {

Size UISkin::frameSize() const {
    if (!hasImage()) {
        return {frameWidth, frameHeight};
    }
    const std::int32_t count = std::max(frameCount, 1);
    const std::int32_t w =
        frameWidth > 0 ? frameWidth : (vertical ? image->width() : image->width() / count);
    const std::int32_t h =
        frameHeight > 0 ? frameHeight : (vertical ? image->height() / count : image->height());
    return {w, h};
}

Rect UISkin::frameRect(SkinState state) const {
    if (!hasImage()) {
        return {};
    }
    const Size size = frameSize();
    const Rect whole{0, 0, image->width(), image->height()};
    auto frame = [&](std::int32_t i) {
        return vertical ? Rect{0, i * size.height, size.width, size.height}
                        : Rect{i * size.width, 0, size.width, size.height};
    };
    const auto index = static_cast<std::int32_t>(state);
    if (index > 0 && index < std::max(frameCount, 1) && whole.containsRect(frame(index))) {
        return frame(index);
    }
    return frame(0).intersected(whole);
}

void drawSkin(Canvas& canvas, const UISkin& skin, const Rect& target, SkinState state,
              std::uint32_t parts) {
    if (target.isEmpty() || !skin.hasImage()) {
        return;
    }
    const Rect f = skin.frameRect(state);
    if (f.isEmpty()) {
        return;
    }
    const PixelImage& image = *skin.image;
    const std::int32_t cl = skin.columns[0];
    const std::int32_t cr = skin.columns[2];
    const std::int32_t rt = skin.rows[0];
    const std::int32_t rb = skin.rows[2];
    // Nine parts only when the corners fit with at least a pixel of middle between them;
    // otherwise, like a skin without a grid, the frame is stretched over the target.
    if (!skin.hasGrid() || target.width < cl + cr + 1 || target.height < rt + rb + 1 ||
        cl + cr >= f.width || rt + rb >= f.height) {
        canvas.drawImage(image, f, target);
        return;
    }
    const std::int32_t sx[4] = {f.x, f.x + cl, f.right() - cr, f.right()};
    const std::int32_t sy[4] = {f.y, f.y + rt, f.bottom() - rb, f.bottom()};
    const std::int32_t dx[4] = {target.x, target.x + cl, target.right() - cr, target.right()};
    const std::int32_t dy[4] = {target.y, target.y + rt, target.bottom() - rb, target.bottom()};
    auto has = [parts](std::uint32_t p) { return (parts & p) != 0; };
    auto piece = [&](int col, int row, std::int32_t x0, std::int32_t x1, std::int32_t y0,
                     std::int32_t y1) {
        const Rect src{sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]};
        canvas.drawImage(image, src, {x0, y0, x1 - x0, y1 - y0});
    };

    // Corners, unscaled.
    if (has(kSkinTopLeft)) {
        piece(0, 0, dx[0], dx[1], dy[0], dy[1]);
    }
    if (has(kSkinTopRight)) {
        piece(2, 0, dx[2], dx[3], dy[0], dy[1]);
    }
    if (has(kSkinBottomRight)) {
        piece(2, 2, dx[2], dx[3], dy[2], dy[3]);
    }
    if (has(kSkinBottomLeft)) {
        piece(0, 2, dx[0], dx[1], dy[2], dy[3]);
    }
    // Edges stretch along their length and take the place of a missing corner: the top and
    // bottom edges first, the side edges only where those are not drawn either, so no
    // pixel is covered twice.
    if (has(kSkinTop)) {
        piece(1, 0, has(kSkinTopLeft) ? dx[1] : dx[0], has(kSkinTopRight) ? dx[2] : dx[3], dy[0],
              dy[1]);
    }
    if (has(kSkinBottom)) {
        piece(1, 2, has(kSkinBottomLeft) ? dx[1] : dx[0], has(kSkinBottomRight) ? dx[2] : dx[3],
              dy[2], dy[3]);
    }
    if (has(kSkinLeft)) {
        piece(0, 1, dx[0], dx[1], has(kSkinTopLeft) || has(kSkinTop) ? dy[1] : dy[0],
              has(kSkinBottomLeft) || has(kSkinBottom) ? dy[2] : dy[3]);
    }
    if (has(kSkinRight)) {
        piece(2, 1, dx[2], dx[3], has(kSkinTopRight) || has(kSkinTop) ? dy[1] : dy[0],
              has(kSkinBottomRight) || has(kSkinBottom) ? dy[2] : dy[3]);
    }
    if (has(kSkinCenter)) {
        piece(1, 1, dx[1], dx[2], dy[1], dy[2]);
    }
}

} // namespace scalora
