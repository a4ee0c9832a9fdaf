#include "imaging/resample_decode.h"

#include "imaging/image_decoder.h"

namespace scalora {

int chooseJpegScaleEighths(const SourceRect& rect, Size target) {
    if (target.isEmpty() || !(rect.width > 0) || !(rect.height > 0)) {
        return 8;
    }
    for (const int m : {1, 2, 4}) {
        const double scale = m / 8.0;
        if (rect.width * scale >= kShrinkOnLoadMargin * target.width &&
            rect.height * scale >= kShrinkOnLoadMargin * target.height) {
            return m;
        }
    }
    return 8;
}

SourceRect scaleSourceRect(const SourceRect& rect, int scaleEighths) {
    const double scale = scaleEighths / 8.0;
    return {rect.x * scale, rect.y * scale, rect.width * scale, rect.height * scale};
}

bool decodeForResize(const std::string& path, const SourceRect& rect, Size target,
                     ResizeSource& out, ImageMetadata* metadata) {
    out = ResizeSource{};
    if (!probeImageFile(path, out.probe)) {
        return false;
    }
    DecodeOptions options;
    if (out.probe.format == ImageFormat::Jpeg) {
        options.jpegScaleEighths = chooseJpegScaleEighths(rect, target);
    }
    if (!decodeImageFile(path, options, out.image, metadata)) {
        return false;
    }
    out.scaleEighths = options.jpegScaleEighths;
    out.rect = scaleSourceRect(rect, out.scaleEighths);
    return true;
}

} // namespace scalora
