#include "imaging/generated_images.h"
#include "imaging/orientation.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace scalora {
namespace {

// A 3 x 2 picture whose pixels are numbered
//   1 2 3
//   4 5 6
PixelImage numbered() {
    PixelImage image;
    EXPECT_TRUE(image.allocate(3, 2));
    for (std::uint32_t i = 0; i < 6; ++i) {
        image.setPixel(static_cast<std::int32_t>(i % 3), static_cast<std::int32_t>(i / 3),
                       0xFF000000u | (i + 1));
    }
    return image;
}

std::vector<std::uint32_t> numbers(const PixelImage& image) {
    std::vector<std::uint32_t> out;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            out.push_back(image.pixel(x, y) & 0xFF);
        }
    }
    return out;
}

struct Expected {
    int orientation;
    Size size;
    std::vector<std::uint32_t> pixels; // rows top to bottom
};

// Worked out by hand from the EXIF meaning of each value: where the stored first row and
// first column must appear for the picture to look right.
const std::array<Expected, 8> kExpected = {{
    {1, {3, 2}, {1, 2, 3, 4, 5, 6}},
    {2, {3, 2}, {3, 2, 1, 6, 5, 4}}, // mirrored left-right
    {3, {3, 2}, {6, 5, 4, 3, 2, 1}}, // turned half round
    {4, {3, 2}, {4, 5, 6, 1, 2, 3}}, // mirrored top-bottom
    {5, {2, 3}, {1, 4, 2, 5, 3, 6}}, // transposed
    {6, {2, 3}, {4, 1, 5, 2, 6, 3}}, // turned clockwise
    {7, {2, 3}, {6, 3, 5, 2, 4, 1}}, // transversed
    {8, {2, 3}, {3, 6, 2, 5, 1, 4}}, // turned counter-clockwise
}};

TEST(Orientation, EachOfTheEightMatchesItsHandMadeReference) {
    const PixelImage stored = numbered();
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.orientation);
        EXPECT_EQ(orientedSize(stored.size(), e.orientation), e.size);
        const PixelImage turned = orientedImage(stored, e.orientation);
        EXPECT_EQ(turned.size(), e.size);
        EXPECT_EQ(numbers(turned), e.pixels);
        PixelImage inPlace = stored.clone();
        applyOrientation(inPlace, e.orientation);
        EXPECT_EQ(numbers(inPlace), e.pixels);
    }
}

TEST(Orientation, LargeImagesTurnLikeSmallOnesAndKeepTheirProperties) {
    // Larger than the transform's tiles in both directions, with ragged edges.
    PixelImage stored = test::makeTestImage(77, 45, true);
    stored.setDpi(300, 150);
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        const PixelImage turned = orientedImage(stored, o);
        ASSERT_EQ(turned.size(), orientedSize(stored.size(), o));
        EXPECT_EQ(turned.alphaKind(), AlphaKind::Straight);
        EXPECT_EQ(turned.dpiX(), orientationSwapsAxes(o) ? 150 : 300);
        // Every transform is undone by its inverse: 6 and 8 undo each other, the rest
        // undo themselves.
        const int inverse = o == 6 ? 8 : o == 8 ? 6 : o;
        EXPECT_TRUE(test::samePixels(orientedImage(turned, inverse), stored));
    }
}

TEST(Orientation, InvalidValuesAndNullImagesAreLeftAlone) {
    const PixelImage stored = numbered();
    EXPECT_EQ(numbers(orientedImage(stored, 0)), numbers(stored));
    EXPECT_EQ(numbers(orientedImage(stored, 9)), numbers(stored));
    EXPECT_TRUE(orientedImage(PixelImage{}, 6).isNull());
    PixelImage empty;
    applyOrientation(empty, 6);
    EXPECT_TRUE(empty.isNull());
}

} // namespace
} // namespace scalora
