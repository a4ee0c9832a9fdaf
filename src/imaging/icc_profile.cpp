#include "imaging/icc_profile.h"

#include "imaging/codec_support.h"
#include "imaging/image_format.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <string_view>

namespace scalora {
namespace {

using Bytes = std::span<const std::uint8_t>;
using codec::readBe16;
using codec::readBe32;
using codec::readLe16;
using codec::readLe32;

constexpr std::size_t kIccHeaderBytes = 128 + 4; // the header and the tag count

bool startsWith(Bytes data, std::string_view prefix) {
    return data.size() >= prefix.size() &&
           std::memcmp(data.data(), prefix.data(), prefix.size()) == 0;
}

// JPEG: the APP2 "ICC_PROFILE" chunks before the first scan, joined by their sequence numbers.
// A missing, doubled or miscounted chunk makes the whole profile unusable.
IccProfile jpegProfile(Bytes data) {
    constexpr std::string_view kTag("ICC_PROFILE\0", 12);
    std::array<Bytes, 256> chunks{};
    int count = 0;
    std::size_t at = 2;
    while (at + 4 <= data.size()) {
        if (data[at] != 0xFF) {
            return {};
        }
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) {
            break;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        const std::size_t length = readBe16(data.data() + at + 2);
        if (length < 2 || at + 2 + length > data.size()) {
            return {};
        }
        const Bytes payload = data.subspan(at + 4, length - 2);
        if (marker == 0xE2 && startsWith(payload, kTag) && payload.size() > kTag.size() + 2) {
            const int sequence = payload[kTag.size()];
            const int total = payload[kTag.size() + 1];
            if (sequence < 1 || total < 1 || sequence > total || (count != 0 && total != count) ||
                !chunks[static_cast<std::size_t>(sequence)].empty()) {
                return {};
            }
            count = total;
            chunks[static_cast<std::size_t>(sequence)] = payload.subspan(kTag.size() + 2);
        }
        at += 2 + length;
    }
    IccProfile profile;
    for (int sequence = 1; sequence <= count; ++sequence) {
        const Bytes chunk = chunks[static_cast<std::size_t>(sequence)];
        if (chunk.empty() || profile.size() + chunk.size() > kMaxIccProfileBytes) {
            return {};
        }
        profile.insert(profile.end(), chunk.begin(), chunk.end());
    }
    return profile;
}

struct DecompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// PNG: the iCCP chunk before the image data: a name, the compression method 0, a zlib stream.
IccProfile pngProfile(Bytes data) {
    std::size_t at = 8;
    while (at + 12 <= data.size()) {
        const std::size_t length = readBe32(data.data() + at);
        const Bytes type = data.subspan(at + 4, 4);
        if (length > data.size() - at - 12 || startsWith(type, "IDAT") ||
            startsWith(type, "IEND")) {
            return {};
        }
        if (startsWith(type, "iCCP")) {
            const Bytes chunk = data.subspan(at + 8, length);
            const std::size_t nameEnd =
                static_cast<std::size_t>(std::find(chunk.begin(), chunk.end(), 0) - chunk.begin());
            if (nameEnd == 0 || nameEnd > 79 || nameEnd + 2 > chunk.size() ||
                chunk[nameEnd + 1] != 0) {
                return {};
            }
            const Bytes stream = chunk.subspan(nameEnd + 2);
            const std::unique_ptr<libdeflate_decompressor, DecompressorFree> inflater(
                libdeflate_alloc_decompressor());
            // Most profiles fit the first try; only a large one costs the second.
            for (const std::size_t room : {std::size_t{1} << 20, kMaxIccProfileBytes}) {
                IccProfile profile(room);
                std::size_t produced = 0;
                const libdeflate_result result =
                    inflater
                        ? libdeflate_zlib_decompress(inflater.get(), stream.data(), stream.size(),
                                                     profile.data(), room, &produced)
                        : LIBDEFLATE_BAD_DATA;
                if (result == LIBDEFLATE_SUCCESS) {
                    profile.resize(produced);
                    return profile;
                }
                if (result != LIBDEFLATE_INSUFFICIENT_SPACE) {
                    return {};
                }
            }
            return {};
        }
        at += length + 12;
    }
    return {};
}

// TIFF: tag 34675 of the first directory (classic TIFF; BigTIFF is not written by anyone whose
// profiles we would keep).
IccProfile tiffProfile(Bytes data) {
    constexpr std::uint16_t kIccTag = 34675;
    if (data.size() < 8) {
        return {};
    }
    const bool little = data[0] == 'I';
    const auto u16 = [&](std::size_t at) {
        return little ? readLe16(data.data() + at) : readBe16(data.data() + at);
    };
    const auto u32 = [&](std::size_t at) {
        return little ? readLe32(data.data() + at) : readBe32(data.data() + at);
    };
    if (u16(2) != 42) {
        return {};
    }
    const std::size_t directory = u32(4);
    if (directory > data.size() - 2) {
        return {};
    }
    const std::size_t entries = u16(directory);
    for (std::size_t index = 0; index < entries; ++index) {
        const std::size_t entry = directory + 2 + index * 12;
        if (entry + 12 > data.size()) {
            return {};
        }
        const std::uint16_t type = u16(entry + 2);
        if (u16(entry) != kIccTag || (type != 1 && type != 7)) {
            continue;
        }
        const std::size_t count = u32(entry + 4);
        const std::size_t offset = count <= 4 ? entry + 8 : u32(entry + 8);
        if (count > kMaxIccProfileBytes || offset > data.size() || count > data.size() - offset) {
            return {};
        }
        return {data.begin() + static_cast<std::ptrdiff_t>(offset),
                data.begin() + static_cast<std::ptrdiff_t>(offset + count)};
    }
    return {};
}

// BMP: a version 5 header whose colour space is "embedded" points at the profile, counted from
// the start of that header.
IccProfile bmpProfile(Bytes data) {
    constexpr std::size_t kInfoHeader = 14;
    constexpr std::uint32_t kEmbedded = 0x4D424544; // 'MBED'
    if (data.size() < kInfoHeader + 124 || readLe32(data.data() + kInfoHeader) < 124 ||
        readLe32(data.data() + kInfoHeader + 56) != kEmbedded) {
        return {};
    }
    const std::size_t offset = kInfoHeader + readLe32(data.data() + kInfoHeader + 112);
    const std::size_t size = readLe32(data.data() + kInfoHeader + 116);
    if (size > kMaxIccProfileBytes || offset > data.size() || size > data.size() - offset) {
        return {};
    }
    return {data.begin() + static_cast<std::ptrdiff_t>(offset),
            data.begin() + static_cast<std::ptrdiff_t>(offset + size)};
}

} // namespace

bool isRgbIccProfile(std::span<const std::uint8_t> profile) {
    if (profile.size() < kIccHeaderBytes) {
        return false;
    }
    const std::size_t declared = readBe32(profile.data());
    return declared >= kIccHeaderBytes && declared <= profile.size() &&
           startsWith(profile.subspan(16), "RGB ") && startsWith(profile.subspan(36), "acsp");
}

IccProfile readIccProfile(std::span<const std::uint8_t> fileData) {
    IccProfile profile;
    switch (detectImageFormat(fileData)) {
    case ImageFormat::Jpeg:
        profile = jpegProfile(fileData);
        break;
    case ImageFormat::Png:
        profile = pngProfile(fileData);
        break;
    case ImageFormat::Tiff:
        profile = tiffProfile(fileData);
        break;
    case ImageFormat::Bmp:
        profile = bmpProfile(fileData);
        break;
    case ImageFormat::Gif:
    case ImageFormat::Unknown:
        break;
    }
    if (!isRgbIccProfile(profile)) {
        return {};
    }
    // Padding some writers leave after the declared end is not part of the profile.
    profile.resize(readBe32(profile.data()));
    return profile;
}

} // namespace scalora
