#include "imaging/resample_decode.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(ShrinkOnLoad, DecodesAtHalfOrEighthOnlyWithTheirMargins) {
    const SourceRect photo{0, 0, 4000, 3000};
    // 1280 x 960 needs 1600 x 1200: 1/2 (2000 x 1500) is enough.
    EXPECT_EQ(chooseJpegScaleEighths(photo, {1280, 960}), 4);
    // 1/2 gives 2000 x 1500, exactly 1.25 x 1600 x 1200: exactly the margin is enough.
    EXPECT_EQ(chooseJpegScaleEighths(photo, {1600, 1200}), 4);
    EXPECT_EQ(chooseJpegScaleEighths(photo, {1601, 1200}), 8);
    // The 64 x 48 list preview: 1/8 (500 x 375) keeps more than 4 x.
    EXPECT_EQ(chooseJpegScaleEighths(photo, {64, 48}), 1);
    EXPECT_EQ(chooseJpegScaleEighths(photo, {125, 93}), 1);
    // Between the two: 1/4 would do by size, but only 1/2 is used.
    EXPECT_EQ(chooseJpegScaleEighths(photo, {126, 94}), 4);
    // The tighter direction decides.
    EXPECT_EQ(chooseJpegScaleEighths(photo, {100, 1201}), 8);
    EXPECT_EQ(chooseJpegScaleEighths(photo, {4000, 3000}), 8);
    EXPECT_EQ(chooseJpegScaleEighths(photo, {8000, 6000}), 8);
    EXPECT_EQ(chooseJpegScaleEighths(photo, {0, 0}), 8);

    EXPECT_EQ(scaleSourceRect({8, 16, 4000, 3000}, 2), (SourceRect{2, 4, 1000, 750}));
    EXPECT_EQ(scaleSourceRect({3, 5, 7, 9}, 8), (SourceRect{3, 5, 7, 9}));
}

// A DCT-scaled decode at M/8 behaves like an M/8 box reduction. Resizing from such a reduction
// with the mapped rectangle must put edges where the full-size resize puts them.
TEST(ShrinkOnLoad, MappedRectangleKeepsTheGeometry) {
    PixelImage full;
    ASSERT_TRUE(full.allocate(400, 240));
    for (std::int32_t y = 0; y < 240; ++y) {
        for (std::int32_t x = 0; x < 400; ++x) {
            const bool bright = (x >= 152 && x < 248) || (y >= 96 && y < 120);
            full.setPixel(x, y, bright ? 0xFFFFFFFFu : 0xFF000000u);
        }
    }
    PixelImage half; // 4/8: each 2 x 2 block averaged
    ASSERT_TRUE(half.allocate(200, 120));
    for (std::int32_t y = 0; y < 120; ++y) {
        for (std::int32_t x = 0; x < 200; ++x) {
            std::uint32_t sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += full.pixel(2 * x + k % 2, 2 * y + k / 2) & 0xFF;
            }
            const std::uint32_t v = (sum + 2) / 4;
            half.setPixel(x, y, 0xFF000000u | v << 16 | v << 8 | v);
        }
    }
    const SourceRect rect{10, 6, 380, 228};
    const Size target{50, 30};
    PixelImage direct;
    PixelImage viaHalf;
    ASSERT_TRUE(direct.allocate(target.width, target.height));
    ASSERT_TRUE(viaHalf.allocate(target.width, target.height));
    ASSERT_TRUE(resampleOnto(full, rect, direct, {0, 0, 50, 30}));
    ASSERT_TRUE(resampleOnto(half, scaleSourceRect(rect, 4), viaHalf, {0, 0, 50, 30}));
    std::int64_t total = 0;
    for (std::int32_t y = 0; y < target.height; ++y) {
        for (std::int32_t x = 0; x < target.width; ++x) {
            const int a = static_cast<int>(direct.pixel(x, y) & 0xFF);
            const int b = static_cast<int>(viaHalf.pixel(x, y) & 0xFF);
            EXPECT_LE(std::abs(a - b), 24) << x << "," << y;
            total += std::abs(a - b);
        }
    }
    // A shift by half a destination pixel would put the differences near 60 along every edge.
    EXPECT_LT(static_cast<double>(total) / (target.width * target.height), 3.0);
}

} // namespace
} // namespace scalora
