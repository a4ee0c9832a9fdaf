// A stand-in for the codec layer: sizes come from a table instead of decoding, and a "result"
// is a small text file naming the sizes it was asked for. Lets the per-image task and the
// worker run on real paths without real images.
#pragma once

#include "engine/image_codec.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace scalora::test {

class FakeImageCodec : public ImageCodec {
public:
    struct ResizeCall {
        std::string destination;
        Size target;
        ResizeOptions options;
        std::string source;
        Size sourceSize;
        Size canvas;
    };

    void setSize(const std::string& path, Size size) {
        const std::lock_guard guard(lock_);
        sizes_[path] = size;
    }
    // Runs inside resizeImageFile, before the result is written (to stop a run mid-item).
    std::function<void(const std::string& source)> onResize;
    bool failWrites = false;
    // An injected write failure: the errno the write reports (0: none).
    int writeError = 0;

    std::optional<Size> measure(const std::string& path) override {
        const std::lock_guard guard(lock_);
        const auto found = sizes_.find(path);
        if (found == sizes_.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    PixelImage makeThumbnail(const std::string& path) override;

    bool resizeImageFile(const std::string& destinationPath, Size target,
                         const ResizeOptions& options, const std::string& sourcePath,
                         Size sourceSize, Size canvas, ResizeFailure& failure) override;

    std::vector<ResizeCall> calls() const {
        const std::lock_guard guard(lock_);
        return calls_;
    }
    int thumbnailsMade() const {
        const std::lock_guard guard(lock_);
        return thumbnails_;
    }

private:
    mutable std::mutex lock_;
    std::map<std::string, Size> sizes_;
    std::vector<ResizeCall> calls_;
    int thumbnails_ = 0;
};

} // namespace scalora::test
