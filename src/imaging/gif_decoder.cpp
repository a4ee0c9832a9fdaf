// The first frame of a GIF over giflib, placed on the logical screen as a viewer shows it.

#include "imaging/codec_support.h"
#include "imaging/codecs.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>

namespace scalora::codec {
namespace {

// LZW with 12-bit codes can stand for a few thousand pixels per code of 1.5 bytes at most.
constexpr std::uint64_t kGifPixelsPerByte = 4096;

struct MemoryReader {
    Bytes data;
    std::size_t offset = 0;
    bool ranOut = false; // a read wanted more than the data holds
};

int readFromMemory(GifFileType* gif, GifByteType* out, int count) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(std::max(count, 0)),
                                                reader->data.size() - reader->offset);
    std::memcpy(out, reader->data.data() + reader->offset, n);
    reader->offset += n;
    reader->ranOut = reader->ranOut || static_cast<int>(n) < count;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

GifPtr openGif(MemoryReader& reader) {
    int error = 0;
    return GifPtr(DGifOpen(&reader, readFromMemory, &error));
}

struct FirstFrame {
    int transparentIndex = -1;
    bool found = false;
};

// Walks the records up to the first image descriptor, noting the transparent colour of the
// graphic control extension that precedes it.
bool findFirstFrame(GifFileType* gif, FirstFrame& frame) {
    while (true) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            return false;
        }
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_ERROR) {
                return false;
            }
            frame.found = true;
            return true;
        }
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
                return false;
            }
            if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
                frame.transparentIndex = (block[1] & 0x01) != 0 ? block[4] : -1;
            }
            while (block != nullptr) {
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
                    return false;
                }
            }
            continue;
        }
        return false; // the trailer (or garbage) before any image
    }
}

} // namespace

bool decodeGif(Bytes data, PixelImage& out, bool& cutShort) {
    out.reset();
    MemoryReader reader{data, 0};
    cutShort = false;
    GifPtr gif = openGif(reader);
    FirstFrame frame;
    if (!gif || !findFirstFrame(gif.get(), frame)) {
        cutShort = reader.ranOut;
        return false;
    }
    const GifImageDesc& desc = gif->Image;
    const std::int64_t screenW = std::max<std::int64_t>(gif->SWidth, desc.Left + desc.Width);
    const std::int64_t screenH = std::max<std::int64_t>(gif->SHeight, desc.Top + desc.Height);
    if (desc.Width <= 0 || desc.Height <= 0 || desc.Left < 0 || desc.Top < 0 ||
        !plausibleImageSize(static_cast<std::uint64_t>(screenW),
                            static_cast<std::uint64_t>(screenH), data.size(), kGifPixelsPerByte)) {
        return false;
    }
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    std::uint32_t palette[256];
    for (int i = 0; i < 256; ++i) {
        if (map == nullptr) {
            // Without any colour table the indexes are grey levels.
            palette[i] = packArgb(255, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i),
                                  static_cast<std::uint32_t>(i));
        } else if (i < map->ColorCount) {
            const GifColorType& c = map->Colors[i];
            palette[i] = packArgb(255, c.Red, c.Green, c.Blue);
        } else {
            palette[i] = packArgb(255, 0, 0, 0);
        }
    }
    const bool transparent = frame.transparentIndex >= 0;
    if (transparent) {
        palette[frame.transparentIndex] = 0;
    }
    if (!out.allocate(static_cast<std::int32_t>(screenW), static_cast<std::int32_t>(screenH),
                      transparent ? AlphaKind::Straight : AlphaKind::None)) {
        return false;
    }
    // Screen area outside the first frame shows the background: transparent when the frame
    // has a transparent colour, else the background colour of the global table.
    std::uint32_t background = packArgb(255, 0, 0, 0);
    if (transparent) {
        background = 0;
    } else if (gif->SColorMap != nullptr && gif->SBackGroundColor < gif->SColorMap->ColorCount) {
        const GifColorType& c = gif->SColorMap->Colors[gif->SBackGroundColor];
        background = packArgb(255, c.Red, c.Green, c.Blue);
    }
    out.fill(background);
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    // Interlaced frames store every 8th row from 0, every 8th from 4, every 4th from 2, then
    // every 2nd from 1.
    static constexpr int kPassStart[4] = {0, 4, 2, 1};
    static constexpr int kPassStep[4] = {8, 8, 4, 2};
    const int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = desc.Interlace ? kPassStart[pass] : 0;
        const int step = desc.Interlace ? kPassStep[pass] : 1;
        for (int row = start; row < desc.Height; row += step) {
            if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR) {
                out.reset();
                cutShort = reader.ranOut;
                return false;
            }
            std::uint32_t* dst = out.row(desc.Top + row) + desc.Left;
            for (int x = 0; x < desc.Width; ++x) {
                dst[x] = palette[line[static_cast<std::size_t>(x)]];
            }
        }
    }
    return true;
}

bool probeGif(Bytes head, std::uint64_t fileSize, ImageProbe& out) {
    MemoryReader reader{head, 0, false};
    GifPtr gif = openGif(reader);
    FirstFrame frame;
    if (!gif || !findFirstFrame(gif.get(), frame)) {
        return false;
    }
    const GifImageDesc& desc = gif->Image;
    const std::int64_t screenW = std::max<std::int64_t>(gif->SWidth, desc.Left + desc.Width);
    const std::int64_t screenH = std::max<std::int64_t>(gif->SHeight, desc.Top + desc.Height);
    out.storedSize = {static_cast<std::int32_t>(screenW), static_cast<std::int32_t>(screenH)};
    out.hasAlpha = frame.transparentIndex >= 0;
    return desc.Width > 0 && desc.Height > 0 &&
           plausibleImageSize(static_cast<std::uint64_t>(screenW),
                              static_cast<std::uint64_t>(screenH), fileSize, kGifPixelsPerByte);
}

} // namespace scalora::codec
