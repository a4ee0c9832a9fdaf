#include "imaging/output_colour.h"

#include "imaging/codec_support.h"

#include <lcms2.h>
#include <memory>

namespace scalora {
namespace {

struct ProfileClose {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct TransformDelete {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using ProfilePtr = std::unique_ptr<void, ProfileClose>;
using TransformPtr = std::unique_ptr<void, TransformDelete>;

} // namespace

void flattenOntoWhite(PixelImage& image) {
    const AlphaKind kind = image.alphaKind();
    if (image.isNull() || kind == AlphaKind::None) {
        image.setAlphaKind(AlphaKind::None);
        return;
    }
    for (std::int32_t y = 0; y < image.height(); ++y) {
        std::uint32_t* row = image.row(y);
        for (std::int32_t x = 0; x < image.width(); ++x) {
            const std::uint32_t p = row[x];
            const std::uint32_t a = p >> 24;
            // Straight: c a + 255 (1 - a); premultiplied colour already holds the c a part.
            const auto over = [&](std::uint32_t c) {
                const std::uint32_t v = kind == AlphaKind::Premultiplied
                                            ? c + (255 - a)
                                            : (c * a + 255 * (255 - a) + 127) / 255;
                return v > 255 ? 255u : v;
            };
            row[x] =
                codec::packArgb(255, over((p >> 16) & 0xFF), over((p >> 8) & 0xFF), over(p & 0xFF));
        }
    }
    image.setAlphaKind(AlphaKind::None);
}

bool convertToSrgb(PixelImage& image, std::span<const std::uint8_t> profile) {
    if (image.isNull() || profile.empty()) {
        return false;
    }
    const ProfilePtr source(
        cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size())));
    const ProfilePtr srgb(cmsCreate_sRGBProfile());
    if (!source || !srgb || cmsGetColorSpace(source.get()) != cmsSigRgbData) {
        return false;
    }
    // 0xAARRGGBB words are B G R A bytes in memory (see codec_support.h).
    const TransformPtr transform(cmsCreateTransform(source.get(), TYPE_BGRA_8, srgb.get(),
                                                    TYPE_BGRA_8, INTENT_PERCEPTUAL,
                                                    cmsFLAGS_COPY_ALPHA));
    if (!transform) {
        return false;
    }
    for (std::int32_t y = 0; y < image.height(); ++y) {
        cmsDoTransform(transform.get(), image.row(y), image.row(y),
                       static_cast<cmsUInt32Number>(image.width()));
    }
    return true;
}

} // namespace scalora
