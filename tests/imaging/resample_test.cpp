#include "imaging/linear_light.h"
#include "imaging/resample.h"
#include "imaging/resample_stream.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace scalora {
namespace {

std::uint32_t argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}
std::uint32_t channel(std::uint32_t p, int shift) {
    return p >> shift & 0xFF;
}

PixelImage solid(std::int32_t w, std::int32_t h, std::uint32_t color, AlphaKind kind) {
    PixelImage image;
    EXPECT_TRUE(image.allocate(w, h, kind));
    image.fill(color);
    return image;
}

// Deterministic noise with some structure, so that filters have something to ring on.
PixelImage noisy(std::int32_t w, std::int32_t h, AlphaKind kind, std::uint32_t seed) {
    PixelImage image;
    EXPECT_TRUE(image.allocate(w, h, kind));
    std::uint32_t state = seed;
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            const std::uint32_t a = kind == AlphaKind::None ? 255 : state >> 24;
            const std::uint32_t r = static_cast<std::uint32_t>((x * 7 + y * 3) & 0xFF);
            image.setPixel(x, y, argb(a, r, state >> 8 & 0xFF, state >> 16 & 0xFF));
        }
    }
    return image;
}

double meanLightOf(const PixelImage& image, int shift) {
    double sum = 0;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            sum += linearOfSrgb(static_cast<std::uint8_t>(channel(image.pixel(x, y), shift)));
        }
    }
    return sum / (static_cast<double>(image.width()) * image.height());
}

TEST(ResampleWeights, SumToOneAndStayInsideThePicture) {
    for (const ResampleFilter filter : {ResampleFilter::Lanczos3, ResampleFilter::CatmullRom}) {
        for (const auto& [src, dst] : std::vector<std::pair<double, std::int32_t>>{
                 {100, 50}, {100, 33}, {7, 100}, {4000, 1280}, {3, 1}, {1, 9}, {1000, 999}}) {
            AxisWeights w;
            ASSERT_TRUE(computeAxisWeights(0, src, static_cast<std::int32_t>(std::ceil(src)), dst,
                                           filter, w));
            for (std::int32_t i = 0; i < dst; ++i) {
                double sum = 0;
                for (std::int32_t t = 0; t < w.taps; ++t) {
                    sum += w.weightsOf(i)[t];
                }
                EXPECT_NEAR(sum, 1.0, 1e-6) << src << " -> " << dst << " at " << i;
            }
            EXPECT_GE(w.realLow, 0);
            EXPECT_LE(w.realHigh, static_cast<std::int32_t>(std::ceil(src)));
        }
    }
    AxisWeights w;
    EXPECT_FALSE(computeAxisWeights(0, 0, 10, 5, kDefaultResampleFilter, w));
}

TEST(ResampleWeights, MirrorRepeatsTheEdgeAndFlips) {
    const std::vector<std::int32_t> expected = {2, 1, 0, 0, 1, 2, 2, 1, 0, 0, 1};
    for (std::int32_t i = -3; i < 8; ++i) {
        EXPECT_EQ(mirrorIndex(i, 3), expected[static_cast<std::size_t>(i + 3)]) << i;
    }
    EXPECT_EQ(mirrorIndex(-5, 1), 0);
    EXPECT_EQ(mirrorIndex(17, 1), 0);
}

TEST(Resample, ConstantPictureStaysConstantUnderAnyResize) {
    struct Case {
        AlphaKind kind;
        std::uint32_t color;
    };
    const Case cases[] = {{AlphaKind::None, argb(255, 200, 17, 93)},
                          {AlphaKind::Straight, argb(128, 200, 17, 93)},
                          {AlphaKind::Straight, argb(3, 255, 1, 250)},
                          {AlphaKind::Premultiplied, argb(128, 100, 8, 46)}};
    const Size sizes[] = {{1, 1}, {13, 7}, {40, 30}, {97, 61}, {250, 3}, {3, 250}};
    for (const ResampleFilter filter : {ResampleFilter::Lanczos3, ResampleFilter::CatmullRom}) {
        for (const Case& c : cases) {
            const PixelImage source = solid(37, 23, c.color, c.kind);
            for (const Size size : sizes) {
                const PixelImage out = resampled(source, size, {filter});
                ASSERT_FALSE(out.isNull());
                for (std::int32_t y = 0; y < size.height; ++y) {
                    for (std::int32_t x = 0; x < size.width; ++x) {
                        ASSERT_EQ(out.pixel(x, y), c.color)
                            << size.width << "x" << size.height << " at " << x << "," << y;
                    }
                }
            }
            // A fractional rectangle, partly outside the picture, still sees only the colour.
            PixelImage canvas = solid(20, 20, 0, c.kind);
            ASSERT_TRUE(
                resampleOnto(source, {-2.25, 5.5, 40.7, 3.3}, canvas, {0, 0, 20, 20}, {filter}));
            EXPECT_EQ(canvas.pixel(0, 0), c.color);
            EXPECT_EQ(canvas.pixel(19, 19), c.color);
        }
    }
}

TEST(Resample, ShrinkKeepsTheMeanLight) {
    const PixelImage source = noisy(403, 301, AlphaKind::None, 7);
    for (const Size size : {Size{201, 150}, Size{100, 75}, Size{57, 43}, Size{13, 9}}) {
        const PixelImage out = resampled(source, size);
        ASSERT_FALSE(out.isNull());
        for (const int shift : {0, 8, 16}) {
            // Light, not the stored values, is what a shrink averages: within half a percent.
            EXPECT_NEAR(meanLightOf(out, shift), meanLightOf(source, shift), 0.005)
                << size.width << " channel " << shift;
        }
        EXPECT_EQ(channel(out.pixel(size.width / 2, size.height / 2), 24), 255u);
    }
}

TEST(Resample, HundredByOneAtHalfAveragesPairsOfLight) {
    PixelImage source;
    ASSERT_TRUE(source.allocate(100, 1));
    for (std::int32_t x = 0; x < 100; ++x) {
        const std::uint32_t v = static_cast<std::uint32_t>(x * 2);
        source.setPixel(x, 0, argb(255, v, v, 255 - v));
    }
    const PixelImage out = resampled(source, {50, 1});
    ASSERT_EQ(out.size(), (Size{50, 1}));
    for (std::int32_t x = 0; x < 50; ++x) {
        // Output pixel x covers source pixels 2x and 2x + 1 (values 4x and 4x + 2): the light of
        // a smooth ramp filtered by a symmetric kernel is about the mean of their light, away
        // from the mirrored ends.
        const std::uint32_t g = channel(out.pixel(x, 0), 8);
        if (x >= 3 && x < 47) {
            const auto v = static_cast<std::uint8_t>(4 * x);
            const float mean =
                (linearOfSrgb(v) + linearOfSrgb(static_cast<std::uint8_t>(v + 2))) / 2;
            EXPECT_NEAR(static_cast<double>(g), srgbOfLinear(mean), 1.0) << x;
        }
        EXPECT_EQ(channel(out.pixel(x, 0), 16), g);
        EXPECT_EQ(channel(out.pixel(x, 0), 24), 255u);
    }
    // A single row must not darken at its mirrored top and bottom.
    const PixelImage flat =
        resampled(solid(100, 1, argb(255, 255, 255, 255), AlphaKind::None), {50, 1});
    EXPECT_EQ(flat.pixel(0, 0), argb(255, 255, 255, 255));
    EXPECT_EQ(flat.pixel(49, 0), argb(255, 255, 255, 255));
}

TEST(Resample, HalvesFinePatternsToHalfTheLight) {
    // 1-pixel black and white lines, and a checkerboard, at 50 %: each result pixel sees as much
    // black as white, so it shows half the light, sRGB 188, not the 128 of averaging the bytes.
    PixelImage lines;
    PixelImage checker;
    ASSERT_TRUE(lines.allocate(64, 64));
    ASSERT_TRUE(checker.allocate(64, 64));
    for (std::int32_t y = 0; y < 64; ++y) {
        for (std::int32_t x = 0; x < 64; ++x) {
            lines.setPixel(x, y, y % 2 != 0 ? 0xFFFFFFFFu : 0xFF000000u);
            checker.setPixel(x, y, (x + y) % 2 != 0 ? 0xFFFFFFFFu : 0xFF000000u);
        }
    }
    for (const PixelImage* pattern : {&lines, &checker}) {
        const PixelImage out = resampled(*pattern, {32, 32});
        ASSERT_FALSE(out.isNull());
        // Away from the edges, where the mirrored pattern is not symmetric about each pixel.
        for (std::int32_t y = 4; y < 28; ++y) {
            for (std::int32_t x = 4; x < 28; ++x) {
                ASSERT_EQ(out.pixel(x, y), argb(255, 188, 188, 188)) << x << "," << y;
            }
        }
    }
}

TEST(Resample, TransparentAreasNeitherDarkenNorLeakColour) {
    // Left half opaque red, right half fully transparent green: the green must never appear and
    // the red must not fade towards black where the two meet.
    PixelImage source;
    ASSERT_TRUE(source.allocate(64, 16, AlphaKind::Straight));
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 64; ++x) {
            source.setPixel(x, y, x < 32 ? argb(255, 255, 0, 0) : argb(0, 0, 255, 0));
        }
    }
    for (const Size size : {Size{21, 5}, Size{64, 16}, Size{150, 40}}) {
        const SourceRect all{0.5, 0, 63.0, 16};
        PixelImage out;
        ASSERT_TRUE(out.allocate(size.width, size.height, AlphaKind::Straight));
        ASSERT_TRUE(resampleOnto(source, all, out, {0, 0, size.width, size.height}));
        bool sawEdge = false;
        for (std::int32_t x = 0; x < size.width; ++x) {
            const std::uint32_t p = out.pixel(x, size.height / 2);
            const std::uint32_t a = channel(p, 24);
            if (a == 0) {
                EXPECT_EQ(p, 0u) << x;
                continue;
            }
            sawEdge = sawEdge || a < 255;
            EXPECT_EQ(channel(p, 16), 255u) << "red faded at " << x;
            EXPECT_EQ(channel(p, 8), 0u) << "green leaked at " << x;
        }
        EXPECT_TRUE(sawEdge);
    }
}

TEST(Resample, ScaleOneIsAnExactCopy) {
    for (const AlphaKind kind : {AlphaKind::None, AlphaKind::Straight}) {
        const PixelImage source = noisy(31, 17, kind, 3);
        const PixelImage out = resampled(source, source.size());
        ASSERT_EQ(out.size(), source.size());
        for (std::int32_t y = 0; y < 17; ++y) {
            for (std::int32_t x = 0; x < 31; ++x) {
                ASSERT_EQ(out.pixel(x, y), source.pixel(x, y));
            }
        }
        // A whole-pixel rectangle reaching past the corner copies the mirrored pixels.
        PixelImage canvas = solid(10, 10, 0, kind);
        ASSERT_TRUE(resampleOnto(source, {25, -2, 10, 10}, canvas, {0, 0, 10, 10}));
        EXPECT_EQ(canvas.pixel(0, 2), source.pixel(25, 0));
        EXPECT_EQ(canvas.pixel(0, 0), source.pixel(25, 1));
        EXPECT_EQ(canvas.pixel(6, 2), source.pixel(30, 0));
        EXPECT_EQ(canvas.pixel(7, 3), source.pixel(29, 1));
    }
}

TEST(Resample, UpscalingInterpolatesSmoothly) {
    PixelImage source;
    ASSERT_TRUE(source.allocate(4, 1));
    for (std::int32_t x = 0; x < 4; ++x) {
        source.setPixel(x, 0, argb(255, 0, static_cast<std::uint32_t>(x * 60 + 30), 0));
    }
    const PixelImage out = resampled(source, {16, 3});
    ASSERT_FALSE(out.isNull());
    // Between the sample centres the values rise monotonically (no staircase, no overshoot).
    for (std::int32_t x = 2; x < 14; ++x) {
        EXPECT_LE(channel(out.pixel(x - 1, 1), 8), channel(out.pixel(x, 1), 8)) << x;
    }
    EXPECT_EQ(out.pixel(5, 0), out.pixel(5, 2));
}

TEST(Resample, PlacesOnALargerCanvasAndClipsWhatDoesNotFit) {
    PixelImage canvas = solid(30, 20, argb(255, 0, 0, 0), AlphaKind::None);
    const PixelImage white = solid(50, 50, argb(255, 255, 255, 255), AlphaKind::None);
    ASSERT_TRUE(resampleOnto(white, {0, 0, 50, 50}, canvas, {10, 5, 10, 10}));
    EXPECT_EQ(canvas.pixel(9, 5), argb(255, 0, 0, 0));
    EXPECT_EQ(canvas.pixel(10, 5), argb(255, 255, 255, 255));
    EXPECT_EQ(canvas.pixel(19, 14), argb(255, 255, 255, 255));
    EXPECT_EQ(canvas.pixel(20, 14), argb(255, 0, 0, 0));
    EXPECT_EQ(canvas.pixel(19, 15), argb(255, 0, 0, 0));

    // Wider than the canvas: drawn from the left edge, the rest cut off.
    ASSERT_TRUE(resampleOnto(white, {0, 0, 50, 50}, canvas, {0, 18, 40, 5}));
    EXPECT_EQ(canvas.pixel(29, 19), argb(255, 255, 255, 255));
    EXPECT_EQ(canvas.pixel(29, 17), argb(255, 0, 0, 0));

    // Half-transparent white composited over the black mat becomes opaque grey: half the light.
    const PixelImage veil = solid(8, 8, argb(128, 255, 255, 255), AlphaKind::Straight);
    ResampleOptions over;
    over.blend = ResampleBlend::Over;
    for (const Size size : {Size{8, 8}, Size{4, 4}}) {
        PixelImage mat = solid(12, 12, argb(255, 0, 0, 0), AlphaKind::None);
        ASSERT_TRUE(resampleOnto(veil, {0, 0, 8, 8}, mat, {2, 2, size.width, size.height}, over));
        EXPECT_EQ(mat.pixel(3, 3), argb(255, 188, 188, 188));
        EXPECT_EQ(mat.pixel(1, 1), argb(255, 0, 0, 0));
    }

    EXPECT_FALSE(resampleOnto(white, {0, 0, 0, 50}, canvas, {0, 0, 5, 5}));
    EXPECT_FALSE(resampleOnto(white, {0, 0, 50, 50}, canvas, {0, 0, 0, 5}));
    EXPECT_FALSE(resampleOnto(PixelImage{}, {0, 0, 50, 50}, canvas, {0, 0, 5, 5}));
}

} // namespace
} // namespace scalora

namespace scalora {
namespace {

TEST(Resample, VectorKernelsMatchThePlainOnesBitForBit) {
    for (const AlphaKind kind : {AlphaKind::None, AlphaKind::Straight, AlphaKind::Premultiplied}) {
        const PixelImage source = noisy(211, 157, kind, 11);
        const SourceRect rects[] = {{0, 0, 211, 157}, {3.7, -1.25, 150.5, 120.1}, {100, 100, 5, 3}};
        const Size sizes[] = {{105, 78}, {70, 52}, {53, 39}, {17, 100}, {300, 7}, {211, 156}};
        for (const ResampleFilter filter : {ResampleFilter::Lanczos3, ResampleFilter::CatmullRom}) {
            for (const SourceRect& rect : rects) {
                for (const Size size : sizes) {
                    PixelImage plain;
                    ASSERT_TRUE(plain.allocate(size.width, size.height));
                    ResampleOptions options{filter};
                    options.kernels = ResampleKernels::Plain;
                    ASSERT_TRUE(resampleOnto(source, rect, plain, {0, 0, size.width, size.height},
                                             options));
                    for (const ResampleKernels kernels :
                         {ResampleKernels::Fastest, ResampleKernels::Sse2}) {
                        PixelImage fast;
                        ASSERT_TRUE(fast.allocate(size.width, size.height));
                        options.kernels = kernels;
                        ASSERT_TRUE(resampleOnto(source, rect, fast,
                                                 {0, 0, size.width, size.height}, options));
                        for (std::int32_t y = 0; y < size.height; ++y) {
                            for (std::int32_t x = 0; x < size.width; ++x) {
                                ASSERT_EQ(fast.pixel(x, y), plain.pixel(x, y))
                                    << size.width << "x" << size.height << " at " << x << "," << y;
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace scalora

namespace scalora {
namespace {

// A direct evaluation of the separable filter in double precision, one destination pixel at a
// time from the whole picture: the streaming engine with its ring of rows must agree with it.
PixelImage directResize(const PixelImage& source, Size size) {
    AxisWeights wx;
    AxisWeights wy;
    EXPECT_TRUE(computeAxisWeights(0, source.width(), source.width(), size.width,
                                   kDefaultResampleFilter, wx));
    EXPECT_TRUE(computeAxisWeights(0, source.height(), source.height(), size.height,
                                   kDefaultResampleFilter, wy));
    PixelImage out;
    EXPECT_TRUE(out.allocate(size.width, size.height));
    for (std::int32_t y = 0; y < size.height; ++y) {
        for (std::int32_t x = 0; x < size.width; ++x) {
            double c[3] = {0, 0, 0};
            for (std::int32_t ty = 0; ty < wy.taps; ++ty) {
                const std::int32_t sy =
                    mirrorIndex(wy.first[static_cast<std::size_t>(y)] + ty, source.height());
                for (std::int32_t tx = 0; tx < wx.taps; ++tx) {
                    const std::int32_t sx =
                        mirrorIndex(wx.first[static_cast<std::size_t>(x)] + tx, source.width());
                    const double w = double{wy.weightsOf(y)[ty]} * wx.weightsOf(x)[tx];
                    for (int k = 0; k < 3; ++k) {
                        c[k] += w * linearOfSrgb(static_cast<std::uint8_t>(
                                        channel(source.pixel(sx, sy), 8 * k)));
                    }
                }
            }
            out.setPixel(x, y,
                         argb(255, srgbOfLinear(static_cast<float>(c[2])),
                              srgbOfLinear(static_cast<float>(c[1])),
                              srgbOfLinear(static_cast<float>(c[0]))));
        }
    }
    return out;
}

TEST(RowResampler, StreamedRowsMatchADirectResizeAndComeOnceInOrder) {
    struct Recorder final : ResampleTarget {
        PixelImage image;
        std::vector<std::int32_t> order;
        std::uint32_t* rowAt(std::int32_t y) override { return image.row(y); }
        bool rowDone(std::int32_t y) override {
            order.push_back(y);
            return true;
        }
    };
    const PixelImage source = noisy(61, 47, AlphaKind::None, 9);
    for (const Size size : {Size{20, 15}, Size{61, 5}, Size{7, 47}, Size{150, 100}, Size{1, 1}}) {
        Recorder target;
        ASSERT_TRUE(target.image.allocate(size.width, size.height));
        RowResampler resampler;
        ASSERT_TRUE(resampler.configure(source.size(), AlphaKind::None, {0, 0, 61, 47}, size,
                                        {0, size.width}, {0, size.height}, {}, target));
        for (std::int32_t y = 0; y < source.height(); ++y) {
            ASSERT_TRUE(resampler.pushRow(y, source.row(y)));
        }
        ASSERT_TRUE(resampler.finished());
        ASSERT_EQ(target.order.size(), static_cast<std::size_t>(size.height));
        for (std::size_t i = 0; i < target.order.size(); ++i) {
            ASSERT_EQ(target.order[i], static_cast<std::int32_t>(i));
        }
        const PixelImage expected = directResize(source, size);
        for (std::int32_t y = 0; y < size.height; ++y) {
            for (std::int32_t x = 0; x < size.width; ++x) {
                for (const int shift : {0, 8, 16}) {
                    ASSERT_NEAR(static_cast<int>(channel(target.image.pixel(x, y), shift)),
                                static_cast<int>(channel(expected.pixel(x, y), shift)), 1)
                        << size.width << "x" << size.height << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(LinearLight, EveryByteSurvivesTheRoundTripAndRoundingIsExact) {
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(srgbOfLinear(linearOfSrgb(static_cast<std::uint8_t>(v))), v);
    }
    // Against the exact curve in double precision, on a fine grid.
    const auto exact = [](double l) {
        const double s = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
        return static_cast<int>(std::floor(s * 255 + 0.5));
    };
    for (int i = 0; i <= 100000; ++i) {
        const float l = static_cast<float>(i) / 100000.0f;
        ASSERT_EQ(srgbOfLinear(l), exact(l)) << l;
    }
    EXPECT_EQ(srgbOfLinear(-0.5f), 0);
    EXPECT_EQ(srgbOfLinear(7.0f), 255);
    EXPECT_EQ(srgbOfLinear(std::nanf("")), 0);
}

} // namespace
} // namespace scalora
