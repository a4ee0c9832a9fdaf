#include "engine/image_file.h"

#include "platform/file_system.h"

namespace scalora {

bool ImageFile::open(const std::string& path) {
    close();
    path_ = path;
    if (!isRegularFile(path) || !probeImageFile(path, probe_)) {
        probe_ = ImageProbe{};
        return false;
    }
    open_ = true;
    return true;
}

void ImageFile::close() {
    path_.clear();
    probe_ = ImageProbe{};
    open_ = false;
}

} // namespace scalora
