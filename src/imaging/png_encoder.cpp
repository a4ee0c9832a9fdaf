// PNG writing: our own filtering and chunks, with the compression done by libdeflate, which is
// several times faster than zlib for the same size (the choice is measured below). libpng can
// only compress through zlib, so it is used for reading only (png_codec.cpp).

#include "imaging/codec_support.h"
#include "imaging/codecs.h"
#include "imaging/image_rows.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <libdeflate.h>
#include <memory>

namespace scalora::codec {
namespace {

// Measured on the 22 camera JPEGs resized to width 800 (bench/engine/compare_peers.sh, W4), the
// share of the encoder in the batch's CPU time and the total size:
//   libpng over zlib level 3, adaptive filters (the former writer): 0.82 s, 18.21 MB
//   libdeflate level 1, adaptive: 0.50 s, 18.09 MB      level 2, adaptive: 0.64 s, 17.77 MB
//   libdeflate level 1, Paeth only: 0.37 s, 18.42 MB    level 1, Sub only: 0.29 s, 19.30 MB
//   (whole-batch CPU at level 6, adaptive: +0.97 s for 17.32 MB)
// Level 1 with the adaptive choice is smaller than the former writer in 60 % of its time; the
// fixed filters save time but give back more than the level gains. On the 12 PNGs at 50 % (W3)
// it writes 3.61 MB where the former writer wrote 3.62 MB.
constexpr int kCompressionLevel = 1;

struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void putBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v >> 24),
                               static_cast<std::uint8_t>(v >> 16),
                               static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    out.insert(out.end(), b, b + 4);
}

void putChunk(std::vector<std::uint8_t>& out, const char type[4], const std::uint8_t* data,
              std::size_t size) {
    putBe32(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0) {
        out.insert(out.end(), data, data + size);
    }
    putBe32(out, libdeflate_crc32(0, out.data() + start, size + 4));
}

std::uint8_t paeth(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Filter type t of `row` (bpp bytes per pixel) against `prior` (zeros for the first row), one
// loop per type so that the compiler can vectorise all but Paeth.
void filterRow(int t, const std::uint8_t* row, const std::uint8_t* prior, std::size_t n,
               std::size_t bpp, std::uint8_t* out) {
    const auto left = [&](std::size_t i) { return i >= bpp ? row[i - bpp] : std::uint8_t{0}; };
    switch (t) {
    case 0:
        std::memcpy(out, row, n);
        break;
    case 1:
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = static_cast<std::uint8_t>(row[i] - left(i));
        }
        break;
    case 2:
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = static_cast<std::uint8_t>(row[i] - prior[i]);
        }
        break;
    case 3:
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = static_cast<std::uint8_t>(row[i] - ((left(i) + prior[i]) >> 1));
        }
        break;
    default:
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t c = i >= bpp ? prior[i - bpp] : 0;
            out[i] = static_cast<std::uint8_t>(row[i] - paeth(left(i), prior[i], c));
        }
        break;
    }
}

// Sum of the filtered bytes taken as signed: the smaller, the better the row compresses.
std::uint64_t cost(const std::uint8_t* f, std::size_t n) {
    std::uint64_t s = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto v = static_cast<std::int8_t>(f[i]);
        s += static_cast<std::uint64_t>(v < 0 ? -v : v);
    }
    return s;
}

// Rows are filtered as they come; the whole filtered picture is compressed at the end, since
// libdeflate compresses one buffer at a time. That buffer (3 or 4 bytes per pixel) is the only
// full-size copy the writer keeps.
class PngRowWriter final : public ImageRowWriter {
public:
    PngRowWriter(Size size, double dpiX, double dpiY, bool withAlpha, Bytes iccProfile)
        : size_(size), dpiX_(dpiX), dpiY_(dpiY), withAlpha_(withAlpha),
          iccProfile_(iccProfile.begin(), iccProfile.end()), bpp_(withAlpha ? 4 : 3),
          rowBytes_(static_cast<std::size_t>(size.width) * bpp_),
          // Sizes are bounded by kMaxPixelCount (2^28) x 4 bytes, far inside size_t.
          filtered_(static_cast<std::size_t>(size.height) * (rowBytes_ + 1)), current_(rowBytes_),
          prior_(rowBytes_, 0) {
        for (auto& t : trial_) {
            t.resize(rowBytes_);
        }
    }

    bool writeRow(const std::uint32_t* src) override {
        if (rows_ >= size_.height) {
            return false;
        }
        for (std::size_t x = 0; x < static_cast<std::size_t>(size_.width); ++x) {
            const std::uint32_t p = src[x];
            std::uint8_t* o = current_.data() + x * bpp_;
            o[0] = static_cast<std::uint8_t>(p >> 16);
            o[1] = static_cast<std::uint8_t>(p >> 8);
            o[2] = static_cast<std::uint8_t>(p);
            if (withAlpha_) {
                o[3] = static_cast<std::uint8_t>(p >> 24);
            }
        }
        std::uint8_t* line = filtered_.data() + static_cast<std::size_t>(rows_) * (rowBytes_ + 1);
        // Each row gets the filter whose output has the smallest sum of magnitudes, the usual
        // heuristic (libpng's too): photos mostly pick Paeth or Sub, flat graphics None or Up.
        std::size_t best = 0;
        std::uint64_t bestCost = ~std::uint64_t{0};
        for (std::size_t t = 0; t < trial_.size(); ++t) {
            filterRow(static_cast<int>(t), current_.data(), prior_.data(), rowBytes_, bpp_,
                      trial_[t].data());
            const std::uint64_t c = cost(trial_[t].data(), rowBytes_);
            if (c < bestCost) {
                bestCost = c;
                best = t;
            }
        }
        std::memcpy(line + 1, trial_[best].data(), rowBytes_);
        line[0] = static_cast<std::uint8_t>(best);
        current_.swap(prior_);
        ++rows_;
        return true;
    }

    bool finish(std::vector<std::uint8_t>& out) override {
        out.clear();
        const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
            libdeflate_alloc_compressor(kCompressionLevel));
        if (rows_ != size_.height || !compressor) {
            return false;
        }
        std::vector<std::uint8_t> compressed(
            libdeflate_zlib_compress_bound(compressor.get(), filtered_.size()));
        const std::size_t size =
            libdeflate_zlib_compress(compressor.get(), filtered_.data(), filtered_.size(),
                                     compressed.data(), compressed.size());
        if (size == 0) {
            return false;
        }
        filtered_ = {};

        static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        out.reserve(size + 1024);
        out.insert(out.end(), kSignature, kSignature + 8);
        std::vector<std::uint8_t> header;
        putBe32(header, static_cast<std::uint32_t>(size_.width));
        putBe32(header, static_cast<std::uint32_t>(size_.height));
        header.insert(header.end(), {8, static_cast<std::uint8_t>(withAlpha_ ? 6 : 2), 0, 0, 0});
        putChunk(out, "IHDR", header.data(), header.size());
        if (saneDpi(dpiX_) > 0 && saneDpi(dpiY_) > 0) {
            std::vector<std::uint8_t> phys;
            putBe32(phys, static_cast<std::uint32_t>(dpiX_ / 0.0254 + 0.5));
            putBe32(phys, static_cast<std::uint32_t>(dpiY_ / 0.0254 + 0.5));
            phys.push_back(1); // per metre
            putChunk(out, "pHYs", phys.data(), phys.size());
        }
        if (!iccProfile_.empty() && !putProfile(out, compressor.get())) {
            return false;
        }
        // One zlib stream split over IDAT chunks of at most 1 MiB each.
        constexpr std::size_t kChunk = std::size_t{1} << 20;
        for (std::size_t at = 0; at < size; at += kChunk) {
            putChunk(out, "IDAT", compressed.data() + at, std::min(kChunk, size - at));
        }
        putChunk(out, "IEND", nullptr, 0);
        return true;
    }

private:
    // iCCP: a name, compression method 0, the profile as a zlib stream.
    bool putProfile(std::vector<std::uint8_t>& out, libdeflate_compressor* compressor) const {
        static constexpr char kName[] = "ICC Profile";
        std::vector<std::uint8_t> chunk(kName, kName + sizeof kName);
        chunk.push_back(0);
        const std::size_t head = chunk.size();
        chunk.resize(head + libdeflate_zlib_compress_bound(compressor, iccProfile_.size()));
        const std::size_t size =
            libdeflate_zlib_compress(compressor, iccProfile_.data(), iccProfile_.size(),
                                     chunk.data() + head, chunk.size() - head);
        if (size == 0) {
            return false;
        }
        chunk.resize(head + size);
        putChunk(out, "iCCP", chunk.data(), chunk.size());
        return true;
    }

    Size size_;
    double dpiX_;
    double dpiY_;
    bool withAlpha_;
    std::vector<std::uint8_t> iccProfile_;
    std::size_t bpp_;
    std::size_t rowBytes_;
    std::vector<std::uint8_t> filtered_;
    std::vector<std::uint8_t> current_;
    std::vector<std::uint8_t> prior_;
    std::array<std::vector<std::uint8_t>, 5> trial_;
    std::int32_t rows_ = 0;
};

} // namespace

bool encodePng(const PixelImage& image, Bytes iccProfile, std::vector<std::uint8_t>& out) {
    out.clear();
    if (image.isNull()) {
        return false;
    }
    const bool withAlpha = hasTransparentPixel(image);
    PngRowWriter writer(image.size(), image.dpiX(), image.dpiY(), withAlpha, iccProfile);
    std::vector<std::uint32_t> straight(static_cast<std::size_t>(image.width()));
    const bool premultiplied = image.alphaKind() == AlphaKind::Premultiplied && withAlpha;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        const std::uint32_t* row = image.row(y);
        if (premultiplied) {
            unpremultiplyRow(row, straight.data(), image.width());
            row = straight.data();
        }
        if (!writer.writeRow(row)) {
            return false;
        }
    }
    return writer.finish(out);
}

} // namespace scalora::codec

namespace scalora {

std::unique_ptr<ImageRowWriter> startPngRows(Size size, double dpiX, double dpiY,
                                             std::span<const std::uint8_t> iccProfile) {
    if (size.isEmpty()) {
        return nullptr;
    }
    return std::make_unique<codec::PngRowWriter>(size, dpiX, dpiY, false, iccProfile);
}

} // namespace scalora
