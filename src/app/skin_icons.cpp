#include "app/skin_icons.h"

#include "imaging/pixel_image.h"
#include "ui/style/skin.h"
#include "ui/style/ui_style_manager.h"

#include <cstdint>
#include <memory>

namespace scalora {
namespace {

// A disabled icon keeps this share of its coverage, and its colour moves toward grey.
constexpr std::uint32_t kFadedAlphaPercent = 45;

std::shared_ptr<const PixelImage> frameImage(const UISkin& skin, SkinState state) {
    const Rect r = skin.frameRect(state);
    auto image = std::make_shared<PixelImage>();
    if (r.width <= 0 || r.height <= 0 ||
        !image->allocate(r.width, r.height, AlphaKind::Premultiplied)) {
        return nullptr;
    }
    for (std::int32_t y = 0; y < r.height; ++y) {
        const std::uint32_t* from = skin.image->row(r.y + y) + r.x;
        std::uint32_t* to = image->row(y);
        for (std::int32_t x = 0; x < r.width; ++x) {
            to[x] = from[x];
        }
    }
    return image;
}

// Grey at the pixel's own lightness, then less opaque; premultiplied in and out.
std::shared_ptr<const PixelImage> faded(const PixelImage& normal) {
    auto image = std::make_shared<PixelImage>();
    if (!image->allocate(normal.width(), normal.height(), AlphaKind::Premultiplied)) {
        return nullptr;
    }
    for (std::int32_t y = 0; y < normal.height(); ++y) {
        const std::uint32_t* from = normal.row(y);
        std::uint32_t* to = image->row(y);
        for (std::int32_t x = 0; x < normal.width(); ++x) {
            const std::uint32_t p = from[x];
            const std::uint32_t a = p >> 24;
            const std::uint32_t grey =
                (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
            const std::uint32_t fa = a * kFadedAlphaPercent / 100;
            const std::uint32_t fg = grey * kFadedAlphaPercent / 100;
            to[x] = (fa << 24) | (fg << 16) | (fg << 8) | fg;
        }
    }
    return image;
}

} // namespace

UIButtonIcons iconsFromSkin(const UISkin& skin) {
    UIButtonIcons icons;
    if (!skin.hasImage()) {
        return icons;
    }
    icons[static_cast<std::size_t>(UIButtonIcon::Normal)] = frameImage(skin, SkinState::Normal);
    if (skin.frameCount > 1) {
        icons[static_cast<std::size_t>(UIButtonIcon::Hovered)] =
            frameImage(skin, SkinState::Hovered);
    }
    if (skin.frameCount > 2) {
        icons[static_cast<std::size_t>(UIButtonIcon::Pressed)] =
            frameImage(skin, SkinState::Pressed);
    }
    const auto& normal = icons[static_cast<std::size_t>(UIButtonIcon::Normal)];
    if (skin.frameCount > 3) {
        icons[static_cast<std::size_t>(UIButtonIcon::Disabled)] =
            frameImage(skin, SkinState::Disabled);
    } else if (normal) {
        icons[static_cast<std::size_t>(UIButtonIcon::Disabled)] = faded(*normal);
    }
    return icons;
}

UIButtonIcons skinIcons(std::string_view skinName) {
    const UIStyle* style = UIStyleManager::instance().style();
    const UISkin* skin = style != nullptr ? style->skin(skinName) : nullptr;
    return skin != nullptr ? iconsFromSkin(*skin) : UIButtonIcons{};
}

} // namespace scalora
