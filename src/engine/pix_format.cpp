#include "engine/pix_format.h"

#include "platform/atomic_file.h"
#include "platform/file_contents.h"

namespace scalora {

namespace {

std::uint32_t readLe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void appendLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void storePixel(std::uint8_t* out, std::uint32_t argb) {
    out[0] = static_cast<std::uint8_t>(argb);
    out[1] = static_cast<std::uint8_t>(argb >> 8);
    out[2] = static_cast<std::uint8_t>(argb >> 16);
    out[3] = static_cast<std::uint8_t>(argb >> 24);
}

} // namespace

bool decodePix(std::span<const std::uint8_t> data, PixelImage& out) {
    out.reset();
    if (data.size() <= kPixHeaderBytes || readLe32(data.data()) != kPixMagic) {
        return false;
    }
    const std::uint32_t width = readLe32(data.data() + 4);
    const std::uint32_t height = readLe32(data.data() + 8);
    const std::uint32_t byteCount = readLe32(data.data() + 12);
    // Products in 64 bits: a forged header cannot wrap them around to a matching small count.
    const std::uint64_t expected = std::uint64_t{width} * height * 4;
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX ||
        expected != byteCount || data.size() != kPixHeaderBytes + expected) {
        return false;
    }
    // The size is backed by the buffer itself, so allocating it cannot be a forged request.
    if (!out.allocate(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                      AlphaKind::Straight)) {
        return false;
    }
    const std::uint8_t* p = data.data() + kPixHeaderBytes;
    for (std::int32_t y = 0; y < out.height(); ++y) {
        std::uint32_t* row = out.row(y);
        for (std::int32_t x = 0; x < out.width(); ++x, p += 4) {
            row[x] = readLe32(p);
        }
    }
    return true;
}

bool readPixFile(const std::string& path, PixelImage& out) {
    out.reset();
    // Header plus the largest picture the pixel limit allows; anything longer cannot be valid.
    std::vector<std::uint8_t> data;
    return readRegularFile(path, kPixHeaderBytes + kMaxPixelCount * 4, data) &&
           decodePix(data, out);
}

std::vector<std::uint8_t> encodePix(const PixelImage& image) {
    std::vector<std::uint8_t> out;
    if (image.isNull()) {
        return out;
    }
    const std::size_t pixels =
        static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
    out.reserve(kPixHeaderBytes + pixels * 4);
    appendLe32(out, kPixMagic);
    appendLe32(out, static_cast<std::uint32_t>(image.width()));
    appendLe32(out, static_cast<std::uint32_t>(image.height()));
    appendLe32(out, static_cast<std::uint32_t>(pixels * 4));
    out.resize(kPixHeaderBytes + pixels * 4);
    std::uint8_t* p = out.data() + kPixHeaderBytes;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        const std::uint32_t* row = image.row(y);
        for (std::int32_t x = 0; x < image.width(); ++x, p += 4) {
            storePixel(p, row[x]);
        }
    }
    return out;
}

bool writePixFile(const PixelImage& image, const std::string& path) {
    // width x height x 4 must fit the 32-bit byte count field.
    if (image.isNull() || std::uint64_t{4} * static_cast<std::uint64_t>(image.width()) *
                                  static_cast<std::uint64_t>(image.height()) >
                              UINT32_MAX) {
        return false;
    }
    const std::vector<std::uint8_t> bytes = encodePix(image);
    return writeFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        TargetLink::Replace);
}

} // namespace scalora
