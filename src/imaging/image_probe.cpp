#include "imaging/image_probe.h"

namespace scalora {

bool probeImageFile(const std::string&, ImageProbe& out) {
    out = {};
    return false;
}

bool probeImageData(std::span<const std::uint8_t>, ImageProbe& out) {
    out = {};
    return false;
}

} // namespace scalora
