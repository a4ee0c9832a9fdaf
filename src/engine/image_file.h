// An image file opened for measuring: its header is read (never its pixels), so the list can
// measure thousands of files quickly. Width and height are as displayed, after the EXIF or TIFF
// orientation.
#pragma once

#include "base/geometry.h"
#include "imaging/image_probe.h"

#include <string>

namespace scalora {

class ImageFile {
public:
    ImageFile() = default;
    // Same as open(path); a failed open shows as a closed file.
    explicit ImageFile(const std::string& path) { static_cast<void>(open(path)); }

    // Succeeds when `path` is a regular file whose content is a picture the imaging library reads
    // and whose header is sound. A failed open leaves the object closed (width and height 0).
    [[nodiscard]] bool open(const std::string& path);
    void close();

    bool isOpen() const { return open_; }
    const std::string& path() const { return path_; }
    std::int32_t width() const { return open_ ? probe_.displaySize.width : 0; }
    std::int32_t height() const { return open_ ? probe_.displaySize.height : 0; }
    Size size() const { return {width(), height()}; }
    const ImageProbe& probe() const { return probe_; }

private:
    std::string path_;
    ImageProbe probe_;
    bool open_ = false;
};

} // namespace scalora
