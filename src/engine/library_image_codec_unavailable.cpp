// Stands in while the codec layer is not part of the build: no file opens, so every image is
// left out with an honest "not a readable image" instead of a crash.
#include "engine/library_image_codec.h"

namespace scalora {
namespace {

class UnavailableImageCodec final : public ImageCodec {
public:
    std::optional<Size> measure(const std::string&) override { return std::nullopt; }
    PixelImage makeThumbnail(const std::string&) override { return {}; }
    bool resizeImageFile(const std::string&, Size, const ResultWriteOptions&, const std::string&,
                         Size, Size) override {
        return false;
    }
};

} // namespace

std::unique_ptr<ImageCodec> makeLibraryImageCodec() {
    return std::make_unique<UnavailableImageCodec>();
}

} // namespace scalora
