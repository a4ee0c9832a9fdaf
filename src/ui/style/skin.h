// A skin: one image of a style holding a widget part in each of its states (frames side by
// side or stacked), with an optional 3 x 3 grid that lets it stretch without distorting its
// corners, and the nine-part drawing of a frame into any rectangle.
#pragma once

#include "base/geometry.h"
#include "imaging/pixel_image.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace scalora {

class Canvas;

// The states widgets draw their skins in; the value is the frame index in the skin image.
enum class SkinState : std::int32_t {
    Normal = 0,
    Hovered = 1,
    Pressed = 2,
    Disabled = 3,
    Checked = 4, // also "default" for buttons
};

// A frame past the five states (a check box keeps its checked states after them), by index.
constexpr SkinState skinFrame(std::int32_t index) {
    return static_cast<SkinState>(index);
}

// Which of the nine parts to draw; combine with |. When a corner is left out, the edges
// beside it that are drawn extend over its place.
enum SkinPart : std::uint32_t {
    kSkinTopLeft = 0x1,
    kSkinTop = 0x2,
    kSkinTopRight = 0x4,
    kSkinRight = 0x8,
    kSkinBottomRight = 0x10,
    kSkinBottom = 0x20,
    kSkinBottomLeft = 0x40,
    kSkinLeft = 0x80,
    kSkinCenter = 0x100,
    kSkinAllParts = 0x1FF,
};

class UISkin {
public:
    std::string name;
    // Premultiplied, shared by every widget that copied the record; null when the image
    // could not be read (then nothing is drawn).
    std::shared_ptr<const PixelImage> image;
    std::int32_t frameCount = 0;
    std::int32_t frameWidth = 0;
    std::int32_t frameHeight = 0;
    bool vertical = false;                 // frames stacked top to bottom
    std::array<std::int32_t, 3> columns{}; // left, middle, right widths
    std::array<std::int32_t, 3> rows{};    // top, middle, bottom heights

    bool hasImage() const { return image && !image->isNull(); }
    bool hasGrid() const { return columns[0] >= 1; }
    // The size of one frame (the whole image when the sizes are missing).
    Size frameSize() const;
    // The frame of a state within the image; a state the image has no frame for uses
    // frame 0, so a widget never shows nothing just because a skin has fewer states.
    Rect frameRect(SkinState state) const;
};

// Draws the frame of a state into the target (origin-relative canvas coordinates).
void drawSkin(Canvas& canvas, const UISkin& skin, const Rect& target,
              SkinState state = SkinState::Normal, std::uint32_t parts = kSkinAllParts);

} // namespace scalora
