#include "fake_image_codec.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace scalora::test {

PixelImage FakeImageCodec::makeThumbnail(const std::string& path) {
    PixelImage image;
    if (measure(path)) {
        EXPECT_TRUE(image.allocate(1, 1));
        const std::lock_guard guard(lock_);
        ++thumbnails_;
    }
    return image;
}

bool FakeImageCodec::resizeImageFile(const std::string& destinationPath, Size target,
                                     const ResizeOptions& options, const std::string& sourcePath,
                                     Size sourceSize, Size canvas, ResizeFailure& failure) {
    if (onResize) {
        onResize(sourcePath);
    }
    {
        const std::lock_guard guard(lock_);
        calls_.push_back({destinationPath, target, options, sourcePath, sourceSize, canvas});
    }
    if (failWrites) {
        return false;
    }
    if (writeError != 0) {
        failure.writeError = writeError;
        return false;
    }
    return writeFile(destinationPath,
                     std::to_string(target.width) + "x" + std::to_string(target.height));
}

} // namespace scalora::test
