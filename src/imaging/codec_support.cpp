#include "imaging/codec_support.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace scalora::codec {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr openRegularFile(const std::string& path, std::uint64_t& size) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    struct stat st {};
    if (!file || fstat(fileno(file.get()), &st) != 0 || !S_ISREG(st.st_mode)) {
        return nullptr;
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return file;
}

} // namespace

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    out.clear();
    std::uint64_t size = 0;
    FilePtr file = openRegularFile(path, size);
    // Image files beyond 4 GiB are not read whole (nothing this program writes comes near it).
    if (!file || size > (std::uint64_t{1} << 32)) {
        return false;
    }
    out.resize(static_cast<std::size_t>(size));
    const std::size_t got = std::fread(out.data(), 1, out.size(), file.get());
    // A file that shrank while being read keeps what was there.
    out.resize(got);
    return !std::ferror(file.get());
}

bool readFileHead(const std::string& path, std::size_t count, std::vector<std::uint8_t>& out) {
    out.clear();
    std::uint64_t size = 0;
    FilePtr file = openRegularFile(path, size);
    if (!file) {
        return false;
    }
    out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, count)));
    out.resize(std::fread(out.data(), 1, out.size(), file.get()));
    return !std::ferror(file.get());
}

void unpremultiplyRow(const std::uint32_t* src, std::uint32_t* dst, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x) {
        dst[x] = unpremultiply(src[x]);
    }
}

bool hasTransparentPixel(const PixelImage& image) {
    if (image.isNull() || image.alphaKind() == AlphaKind::None) {
        return false;
    }
    for (std::int32_t y = 0; y < image.height(); ++y) {
        const std::uint32_t* row = image.row(y);
        std::uint32_t all = 0xFF000000;
        for (std::int32_t x = 0; x < image.width(); ++x) {
            all &= row[x];
        }
        if ((all & 0xFF000000) != 0xFF000000) {
            return true;
        }
    }
    return false;
}

} // namespace scalora::codec
