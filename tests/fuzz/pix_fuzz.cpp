// Feeds arbitrary bytes to the thumbnail cache's pix reader. What reads must write out and
// read back to the same pixels.
#include "engine/pix_format.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    PixelImage image;
    if (!decodePix(std::span<const std::uint8_t>(data, size), image)) {
        return 0;
    }
    const std::vector<std::uint8_t> bytes = encodePix(image);
    PixelImage again;
    if (!decodePix(bytes, again) || again.size() != image.size()) {
        std::abort();
    }
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != again.pixel(x, y)) {
                std::abort();
            }
        }
    }
    return 0;
}
