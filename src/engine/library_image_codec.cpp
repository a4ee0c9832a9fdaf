#include "engine/library_image_codec.h"

#include "engine/image_file.h"
#include "engine/resize_image_file.h"
#include "engine/thumbnail.h"

namespace scalora {
namespace {

class LibraryImageCodec final : public ImageCodec {
public:
    std::optional<Size> measure(const std::string& path) override {
        const ImageFile file(path);
        if (!file.isOpen()) {
            return std::nullopt;
        }
        return file.size();
    }

    PixelImage makeThumbnail(const std::string& path) override {
        return scalora::makeThumbnail(path);
    }

    bool resizeImageFile(const std::string& destinationPath, Size target,
                         const ResizeOptions& options, const std::string& sourcePath,
                         Size sourceSize, Size canvas, ResizeFailure& failure) override {
        return scalora::resizeImageFile(destinationPath, target, options, sourcePath, sourceSize,
                                        canvas, &failure);
    }
};

} // namespace

std::unique_ptr<ImageCodec> makeLibraryImageCodec() {
    return std::make_unique<LibraryImageCodec>();
}

} // namespace scalora
