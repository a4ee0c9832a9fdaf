#include "imaging/resample_decode.h"

#include "imaging/image_decoder.h"

namespace scalora {

int chooseJpegScaleEighths(const SourceRect& rect, Size target) {
    if (target.isEmpty() || !(rect.width > 0) || !(rect.height > 0)) {
        return 8;
    }
    const auto keeps = [&](int m, double margin) {
        return rect.width * m / 8.0 >= margin * target.width &&
               rect.height * m / 8.0 >= margin * target.height;
    };
    if (keeps(1, kEighthDecodeMargin)) {
        return 1;
    }
    return keeps(4, kHalfDecodeMargin) ? 4 : 8;
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
