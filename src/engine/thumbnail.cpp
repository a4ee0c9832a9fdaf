#include "engine/thumbnail.h"

#include "engine/geometry.h"
#include "engine/image_file.h"
#include "imaging/image_decoder.h"
#include "imaging/orientation.h"
#include "imaging/resample_decode.h"
#include "platform/file_contents.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace scalora {
namespace {

// The EXIF segment is at most 64 KiB and comes first or after a JFIF segment, so this much of
// the head always holds it when a camera wrote one.
constexpr std::size_t kExifHeadBytes = 128 * 1024;

constexpr std::uint16_t kTagThumbnailOffset = 0x0201;
constexpr std::uint16_t kTagThumbnailLength = 0x0202;

// Reads a TIFF structure inside one APP1 payload, refusing anything that points outside it.
class TiffReader {
public:
    TiffReader(std::span<const std::uint8_t> tiff) : tiff_(tiff) {}

    bool readHeader(std::uint32_t& firstIfd) {
        if (tiff_.size() < 8) {
            return false;
        }
        if (tiff_[0] == 'I' && tiff_[1] == 'I') {
            bigEndian_ = false;
        } else if (tiff_[0] == 'M' && tiff_[1] == 'M') {
            bigEndian_ = true;
        } else {
            return false;
        }
        std::uint16_t magic = 0;
        return read16(2, magic) && magic == 42 && read32(4, firstIfd);
    }
    bool read16(std::size_t at, std::uint16_t& value) const {
        if (at > tiff_.size() || tiff_.size() - at < 2) {
            return false;
        }
        const std::uint32_t a = tiff_[at];
        const std::uint32_t b = tiff_[at + 1];
        value = static_cast<std::uint16_t>(bigEndian_ ? (a << 8) | b : (b << 8) | a);
        return true;
    }
    bool read32(std::size_t at, std::uint32_t& value) const {
        std::uint16_t first = 0;
        std::uint16_t second = 0;
        if (!read16(at, first) || !read16(at + 2, second)) {
            return false;
        }
        value = bigEndian_ ? (std::uint32_t{first} << 16) | second
                           : (std::uint32_t{second} << 16) | first;
        return true;
    }
    // The entry count of the IFD at `at`, checked against the payload.
    bool ifdCount(std::size_t at, std::uint16_t& count) const {
        return read16(at, count) && tiff_.size() - at - 2 >= std::size_t{count} * 12 + 4;
    }
    // A LONG or SHORT value of a tag in the IFD at `at`.
    bool tagValue(std::size_t at, std::uint16_t count, std::uint16_t tag,
                  std::uint32_t& value) const {
        for (std::uint16_t i = 0; i < count; ++i) {
            const std::size_t entry = at + 2 + std::size_t{i} * 12;
            std::uint16_t id = 0;
            std::uint16_t type = 0;
            if (!read16(entry, id) || !read16(entry + 2, type) || id != tag) {
                continue;
            }
            if (type == 4) {
                return read32(entry + 8, value);
            }
            std::uint16_t shortValue = 0;
            if (type == 3 && read16(entry + 8, shortValue)) {
                value = shortValue;
                return true;
            }
            return false;
        }
        return false;
    }
    std::size_t size() const { return tiff_.size(); }

private:
    std::span<const std::uint8_t> tiff_;
    bool bigEndian_ = false;
};

bool findInTiff(std::span<const std::uint8_t> tiff, std::size_t& offset, std::size_t& length) {
    TiffReader reader(tiff);
    std::uint32_t ifd0 = 0;
    std::uint16_t count0 = 0;
    if (!reader.readHeader(ifd0) || !reader.ifdCount(ifd0, count0)) {
        return false;
    }
    std::uint32_t ifd1 = 0;
    std::uint16_t count1 = 0;
    if (!reader.read32(ifd0 + 2 + std::size_t{count0} * 12, ifd1) || ifd1 == 0 ||
        !reader.ifdCount(ifd1, count1)) {
        return false;
    }
    std::uint32_t at = 0;
    std::uint32_t bytes = 0;
    if (!reader.tagValue(ifd1, count1, kTagThumbnailOffset, at) ||
        !reader.tagValue(ifd1, count1, kTagThumbnailLength, bytes) || bytes == 0 ||
        at > reader.size() || reader.size() - at < bytes) {
        return false;
    }
    offset = at;
    length = bytes;
    return true;
}

// The brightest a bar pixel may be in any channel: bars are black, give or take the JPEG's
// ringing.
constexpr std::uint32_t kBarLevel = 40;

bool isDark(const PixelImage& image, const Rect& area) {
    for (std::int32_t y = area.y; y < area.y + area.height; ++y) {
        const std::uint32_t* row = image.row(y);
        for (std::int32_t x = area.x; x < area.x + area.width; ++x) {
            const std::uint32_t p = row[x];
            if (((p >> 16) & 0xFF) > kBarLevel || ((p >> 8) & 0xFF) > kBarLevel ||
                (p & 0xFF) > kBarLevel) {
                return false;
            }
        }
    }
    return true;
}

// The sum of the colour channels along one row (or column) of `area`.
std::uint64_t lineLight(const PixelImage& image, const Rect& area, std::int32_t line,
                        bool columns) {
    std::uint64_t sum = 0;
    const std::int32_t length = columns ? area.height : area.width;
    for (std::int32_t i = 0; i < length; ++i) {
        const std::uint32_t p =
            columns ? image.row(area.y + i)[area.x + line] : image.row(area.y + line)[area.x + i];
        sum += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
    }
    return sum;
}

// Lines where a bar meets the picture are often a blend of both (the thumbnail's blocks smear
// the edge, and cameras round the bars either way): up to kMaxEdgeLines of them go at each
// edge while they are much darker than the line two further in.
constexpr std::int32_t kMaxEdgeLines = 2;

void trimBarEdges(const PixelImage& image, Rect& content, bool sideBars) {
    std::int32_t& start = sideBars ? content.x : content.y;
    std::int32_t& lines = sideBars ? content.width : content.height;
    const auto darker = [&](std::int32_t edge, std::int32_t inner) {
        return lineLight(image, content, edge, sideBars) * 10 <
               lineLight(image, content, inner, sideBars) * 7;
    };
    for (std::int32_t i = 0; i < kMaxEdgeLines && lines > 8; ++i) {
        const bool lastGoes = darker(lines - 1, lines - 3);
        if (darker(0, 2)) {
            start += 1;
            lines -= 1;
        }
        if (lastGoes) {
            lines -= 1;
        }
    }
}

// Cameras fill a thumbnail of fixed proportions (160 x 120 mostly) with a picture of others
// between black bars. Where the picture's proportions put the bars and they are dark, the
// thumbnail is cut down to what lies between them. The pixel beside the picture is not
// looked at: rounding may give it to either side.
PixelImage withoutBars(PixelImage thumbnail, Size picture) {
    const std::int64_t tw = thumbnail.width();
    const std::int64_t th = thumbnail.height();
    Rect content{0, 0, thumbnail.width(), thumbnail.height()};
    Rect first;
    Rect second;
    const bool sideBars = tw * picture.height > th * picture.width;
    if (sideBars) {
        content.width = static_cast<std::int32_t>((th * picture.width * 2 + picture.height) /
                                                  (2 * picture.height));
        content.x = (thumbnail.width() - content.width) / 2;
        first = {0, 0, content.x - 1, content.height};
        second = {content.x + content.width + 1, 0,
                  thumbnail.width() - content.x - content.width - 1, content.height};
    } else { // bars above and below
        content.height = static_cast<std::int32_t>((tw * picture.height * 2 + picture.width) /
                                                   (2 * picture.width));
        content.y = (thumbnail.height() - content.height) / 2;
        first = {0, 0, content.width, content.y - 1};
        second = {0, content.y + content.height + 1, content.width,
                  thumbnail.height() - content.y - content.height - 1};
    }
    if (first.isEmpty() || second.isEmpty() || !isDark(thumbnail, first) ||
        !isDark(thumbnail, second)) {
        return thumbnail;
    }
    trimBarEdges(thumbnail, content, sideBars);
    // Trimming made the picture a little narrower across the bars: a line or two less along
    // them keeps its proportions (rather than stretching it).
    if (sideBars) {
        const std::int32_t keep = static_cast<std::int32_t>(
            (std::int64_t{content.width} * picture.height * 2 + picture.width) /
            (2 * std::int64_t{picture.width}));
        content.y += (content.height - keep) / 2;
        content.height = std::min(content.height, keep);
    } else {
        const std::int32_t keep = static_cast<std::int32_t>(
            (std::int64_t{content.height} * picture.width * 2 + picture.height) /
            (2 * std::int64_t{picture.height}));
        content.x += (content.width - keep) / 2;
        content.width = std::min(content.width, keep);
    }
    PixelImage cut;
    if (!cut.allocate(content.width, content.height, thumbnail.alphaKind())) {
        return thumbnail;
    }
    for (std::int32_t y = 0; y < content.height; ++y) {
        const std::uint32_t* from = thumbnail.row(content.y + y) + content.x;
        std::copy(from, from + content.width, cut.row(y));
    }
    return cut;
}

// Both sizes give the same preview width at the preview's height, give or take `slack`.
bool sameProportions(Size thumbnail, Size picture, std::int32_t slack) {
    const std::int32_t a = scaledToHeight(thumbnail, kThumbnailHeight).width;
    const std::int32_t b = scaledToHeight(picture, kThumbnailHeight).width;
    return a - b <= slack && b - a <= slack;
}

} // namespace

bool findExifThumbnail(std::span<const std::uint8_t> head, std::size_t& offset,
                       std::size_t& length) {
    if (head.size() < 4 || head[0] != 0xFF || head[1] != 0xD8) {
        return false;
    }
    std::size_t at = 2;
    while (head.size() - at >= 4) {
        if (head[at] != 0xFF) {
            return false;
        }
        const std::uint8_t marker = head[at + 1];
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) {
            return false; // image data begins: no EXIF before it
        }
        const std::size_t segment = (std::size_t{head[at + 2]} << 8) | head[at + 3];
        if (segment < 2 || head.size() - at - 2 < segment) {
            return false;
        }
        const std::span<const std::uint8_t> payload = head.subspan(at + 4, segment - 2);
        static constexpr std::uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
        if (marker == 0xE1 && payload.size() > sizeof kExif &&
            std::equal(std::begin(kExif), std::end(kExif), payload.begin())) {
            if (!findInTiff(payload.subspan(sizeof kExif), offset, length)) {
                return false;
            }
            offset += at + 4 + sizeof kExif;
            return true;
        }
        at += 2 + segment;
    }
    return false;
}

PixelImage previewFromExifThumbnail(const ImageFile& file, Size target) {
    if (!file.isOpen() || file.probe().format != ImageFormat::Jpeg || target.isEmpty()) {
        return {};
    }
    std::vector<std::uint8_t> head;
    std::uint64_t fileSize = 0;
    std::size_t offset = 0;
    std::size_t length = 0;
    if (!readRegularFileHead(file.path(), kExifHeadBytes, head, fileSize) ||
        !findExifThumbnail(head, offset, length)) {
        return {};
    }
    PixelImage thumbnail;
    DecodeOptions options;
    options.applyOrientation = false; // the thumbnail is stored as the main picture is
    if (!decodeImageData(std::span(head).subspan(offset, length), options, thumbnail)) {
        return {};
    }
    applyOrientation(thumbnail, file.probe().orientation);
    std::int32_t widthSlack = 0;
    if (!sameProportions(thumbnail.size(), file.size(), 0)) {
        thumbnail = withoutBars(std::move(thumbnail), file.size());
        widthSlack = 1; // the lines trimmed at the bars' edges
    }
    if (thumbnail.width() < target.width || thumbnail.height() < target.height ||
        !sameProportions(thumbnail.size(), file.size(), widthSlack)) {
        return {};
    }
    if (thumbnail.size() == target) {
        return thumbnail;
    }
    return resampled(thumbnail, target);
}

PixelImage makeThumbnail(const ImageFile& file) {
    const Size size = file.size();
    if (!file.isOpen() || size.isEmpty()) {
        return {};
    }
    const Size thumb = scaledToHeight(size, kThumbnailHeight);
    // A picture smaller than the preview in either direction is shown as it is.
    const bool asItIs = thumb.width > size.width || thumb.height > size.height;
    const Size target = asItIs ? size : thumb;
    if (!asItIs) {
        if (PixelImage fromExif = previewFromExifThumbnail(file, target); !fromExif.isNull()) {
            return fromExif;
        }
    }
    const SourceRect all{0, 0, static_cast<double>(size.width), static_cast<double>(size.height)};
    ResizeSource source;
    if (!decodeForResize(file.path(), all, target, source)) {
        return {};
    }
    if (asItIs && source.image.size() == size) {
        return std::move(source.image);
    }
    PixelImage out;
    if (!out.allocate(target.width, target.height, source.image.alphaKind())) {
        return {};
    }
    out.setDpi(source.image.dpiX(), source.image.dpiY());
    if (!resampleOnto(source.image, source.rect, out, {0, 0, target.width, target.height})) {
        return {};
    }
    return out;
}

PixelImage makeThumbnail(const std::string& path) {
    const ImageFile file(path);
    return makeThumbnail(file);
}

} // namespace scalora
