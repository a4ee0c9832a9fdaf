#include "engine/thumbnail.h"

#include "engine/geometry.h"
#include "engine/image_file.h"
#include "imaging/resample_decode.h"

namespace scalora {

PixelImage makeThumbnail(const ImageFile& file) {
    const Size size = file.size();
    if (!file.isOpen() || size.isEmpty()) {
        return {};
    }
    const Size thumb = scaledToHeight(size, kThumbnailHeight);
    // A picture smaller than the preview in either direction is shown as it is.
    const bool asItIs = thumb.width > size.width || thumb.height > size.height;
    const Size target = asItIs ? size : thumb;
    const SourceRect all{0, 0, static_cast<double>(size.width), static_cast<double>(size.height)};
    ResizeSource source;
    if (!decodeForResize(file.path(), all, target, source)) {
        return {};
    }
    if (asItIs && source.image.size() == size) {
        return std::move(source.image);
    }
    PixelImage out;
    if (!out.allocate(target.width, target.height, source.image.alphaKind())) {
        return {};
    }
    out.setDpi(source.image.dpiX(), source.image.dpiY());
    if (!resampleOnto(source.image, source.rect, out, {0, 0, target.width, target.height})) {
        return {};
    }
    return out;
}

PixelImage makeThumbnail(const std::string& path) {
    const ImageFile file(path);
    return makeThumbnail(file);
}

} // namespace scalora
