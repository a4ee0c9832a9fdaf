#include "ui/draw/canvas.h"
#include "ui/style/skin.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

// A 3-frame horizontal skin of 5 x 5 frames with a 2,1,2 grid: each of the nine parts of a
// frame has its own colour, and each frame its own blue level, so every drawn pixel tells
// where it came from.
constexpr Color partColor(int col, int row, int frame) {
    return makeColor(255, static_cast<std::uint8_t>(40 * (col + 1)),
                     static_cast<std::uint8_t>(40 * (row + 1)),
                     static_cast<std::uint8_t>(60 * frame));
}

UISkin gridSkin() {
    auto image = std::make_shared<PixelImage>();
    EXPECT_TRUE(image->allocate(15, 5, AlphaKind::None));
    for (int frame = 0; frame < 3; ++frame) {
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                const int col = x < 2 ? 0 : (x < 3 ? 1 : 2);
                const int row = y < 2 ? 0 : (y < 3 ? 1 : 2);
                image->setPixel(frame * 5 + x, y, partColor(col, row, frame));
            }
        }
    }
    UISkin skin;
    skin.name = "UITest_Background";
    skin.image = image;
    skin.frameCount = 3;
    skin.frameWidth = 5;
    skin.frameHeight = 5;
    skin.columns = {2, 1, 2};
    skin.rows = {2, 1, 2};
    return skin;
}

TEST(Skin, FramesAreChosenByStateAlongTheOrientation) {
    UISkin skin = gridSkin();
    EXPECT_EQ(skin.frameRect(SkinState::Normal), (Rect{0, 0, 5, 5}));
    EXPECT_EQ(skin.frameRect(SkinState::Pressed), (Rect{10, 0, 5, 5}));
    EXPECT_EQ(skin.frameRect(SkinState::Checked),
              (Rect{0, 0, 5, 5})); // no such frame: the normal one
    skin.vertical = true;
    EXPECT_EQ(skin.frameRect(SkinState::Hovered),
              (Rect{0, 0, 5, 5})); // a vertical strip would run off the image
    UISkin missing;
    EXPECT_TRUE(missing.frameRect(SkinState::Normal).isEmpty());
    Canvas canvas(4, 4);
    drawSkin(canvas, missing, {0, 0, 4, 4});
    EXPECT_EQ(canvas.pixelColor(1, 1), 0u);
}

TEST(Skin, NinePartsKeepCornersAndStretchEdgesAndCentre) {
    const UISkin skin = gridSkin();
    Canvas canvas(30, 20);
    drawSkin(canvas, skin, {3, 2, 20, 12}, SkinState::Pressed);
    // Corners unscaled at the corners of the target.
    EXPECT_EQ(canvas.pixelColor(3, 2), partColor(0, 0, 2));
    EXPECT_EQ(canvas.pixelColor(4, 3), partColor(0, 0, 2));
    EXPECT_EQ(canvas.pixelColor(22, 13), partColor(2, 2, 2));
    EXPECT_EQ(canvas.pixelColor(21, 2), partColor(2, 0, 2));
    EXPECT_EQ(canvas.pixelColor(3, 13), partColor(0, 2, 2));
    // Edges and centre fill the rest.
    EXPECT_EQ(canvas.pixelColor(12, 2), partColor(1, 0, 2));
    EXPECT_EQ(canvas.pixelColor(12, 13), partColor(1, 2, 2));
    EXPECT_EQ(canvas.pixelColor(3, 8), partColor(0, 1, 2));
    EXPECT_EQ(canvas.pixelColor(22, 8), partColor(2, 1, 2));
    EXPECT_EQ(canvas.pixelColor(5, 4), partColor(1, 1, 2));
    EXPECT_EQ(canvas.pixelColor(20, 11), partColor(1, 1, 2));
    // Nothing outside.
    EXPECT_EQ(canvas.pixelColor(2, 2), 0u);
    EXPECT_EQ(canvas.pixelColor(23, 14), 0u);
}

TEST(Skin, MaskLeavesPartsOutAndEdgesTakeMissingCorners) {
    const UISkin skin = gridSkin();
    Canvas canvas(12, 12);
    drawSkin(canvas, skin, {0, 0, 12, 12}, SkinState::Normal,
             kSkinAllParts & ~(kSkinTopLeft | kSkinCenter));
    EXPECT_EQ(canvas.pixelColor(0, 0), partColor(1, 0, 0)); // top edge over the corner's place
    EXPECT_EQ(canvas.pixelColor(0, 5), partColor(0, 1, 0));
    EXPECT_EQ(canvas.pixelColor(6, 6), 0u); // centre left out

    // Without the top row at all, the side edges run up to the top.
    Canvas open(12, 12);
    drawSkin(open, skin, {0, 0, 12, 12}, SkinState::Normal,
             kSkinAllParts & ~(kSkinTopLeft | kSkinTop | kSkinTopRight));
    EXPECT_EQ(open.pixelColor(0, 0), partColor(0, 1, 0));
    EXPECT_EQ(open.pixelColor(11, 0), partColor(2, 1, 0));
    EXPECT_EQ(open.pixelColor(6, 0), 0u); // only corners are taken over, not the top edge
    EXPECT_EQ(open.pixelColor(6, 6), partColor(1, 1, 0));
    EXPECT_EQ(open.pixelColor(11, 11), partColor(2, 2, 0));
}

TEST(Skin, SmallTargetsAndGridlessSkinsStretchTheWholeFrame) {
    const UISkin skin = gridSkin();
    // Exactly the frame's size is a 1:1 copy.
    Canvas same(5, 5);
    drawSkin(same, skin, {0, 0, 5, 5}, SkinState::Hovered);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(same.pixelColor(x, y), skin.image->pixel(5 + x, y) | 0xFF000000u);
        }
    }
    // Narrower than both corners plus a pixel: no nine parts, the frame is scaled down.
    Canvas small(4, 10);
    drawSkin(small, skin, {0, 0, 4, 10});
    EXPECT_NE(small.pixelColor(0, 0), 0u);
    EXPECT_NE(small.pixelColor(3, 9), 0u);
    EXPECT_EQ(alphaOf(small.pixelColor(2, 5)), 255);

    UISkin plain = skin;
    plain.columns = {};
    plain.rows = {};
    Canvas stretched(50, 50);
    drawSkin(stretched, plain, {0, 0, 50, 50});
    // The 2-pixel corner now covers about a fifth of the target, not 2 pixels.
    EXPECT_EQ(stretched.pixelColor(8, 8), partColor(0, 0, 0));
    drawSkin(stretched, plain, {0, 0, 0, 50});
}

} // namespace
} // namespace scalora
