// Feeds arbitrary bytes to one image format's decoder and probe, chosen at build time
// (SCALORA_FUZZ_FORMAT), or to the probe of every format (0). A decode that succeeds must give
// a whole image; a probe that succeeds must report a size the decoder would accept.
#include "imaging/codecs.h"
#include "imaging/image_decoder.h"
#include "imaging/image_probe.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

using namespace scalora;

bool decode(codec::Bytes data, PixelImage& out) {
    [[maybe_unused]] int orientation = 1;
    [[maybe_unused]] bool cutShort = false;
#if SCALORA_FUZZ_FORMAT == 1
    return codec::decodeBmp(data, out, cutShort);
#elif SCALORA_FUZZ_FORMAT == 2
    return codec::decodeTiff(data, out, orientation, cutShort);
#elif SCALORA_FUZZ_FORMAT == 3
    return codec::decodeGif(data, out, cutShort);
#elif SCALORA_FUZZ_FORMAT == 4
    return codec::decodeJpeg(data, 8, out, nullptr, orientation);
#elif SCALORA_FUZZ_FORMAT == 5
    return codec::decodePng(data, out, cutShort);
#else
    static_cast<void>(data);
    static_cast<void>(out);
    return false;
#endif
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    PixelImage image;
    if (decode(bytes, image) &&
        (image.isNull() ||
         static_cast<std::uint64_t>(image.width()) * image.height() > kMaxPixelCount)) {
        std::abort();
    }
    ImageProbe probe;
    if (probeImageData(bytes, probe) &&
        (probe.storedSize.isEmpty() ||
         static_cast<std::uint64_t>(probe.storedSize.width) * probe.storedSize.height >
             kMaxPixelCount)) {
        std::abort();
    }
    return 0;
}
