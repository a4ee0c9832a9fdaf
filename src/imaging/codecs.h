// The per-format readers and writers behind image_decoder.h, image_encoder.h and image_probe.h
// (not part of the imaging interface). Decoders return the pixels as stored, with the file's
// resolution and, where the format has one, its orientation; turning is left to the caller.
// When they fail, `cutShort` says whether it was because the data end before the picture does.
#pragma once

#include "imaging/image_metadata.h"
#include "imaging/image_probe.h"
#include "imaging/pixel_image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace scalora::codec {

using Bytes = std::span<const std::uint8_t>;

[[nodiscard]] bool decodeJpeg(Bytes data, int scaleEighths, PixelImage& out,
                              ImageMetadata* metadata, int& orientation);
[[nodiscard]] bool decodePng(Bytes data, PixelImage& out, bool& cutShort);
[[nodiscard]] bool decodeTiff(Bytes data, PixelImage& out, int& orientation, bool& cutShort);
[[nodiscard]] bool decodeBmp(Bytes data, PixelImage& out, bool& cutShort);
[[nodiscard]] bool decodeGif(Bytes data, PixelImage& out, bool& cutShort);

// Probes fill storedSize, dpi, orientation and hasAlpha from the head of a file of `fileSize`
// bytes and refuse what the decoder would refuse from the header alone; the caller sets the
// format and the display size. A head that ends too early makes them fail; a sound header of a
// file cut short inside its pixels is measured, and left for the decoder to refuse.
[[nodiscard]] bool probeJpeg(Bytes head, std::uint64_t fileSize, ImageProbe& out);
[[nodiscard]] bool probePng(Bytes head, std::uint64_t fileSize, ImageProbe& out);
[[nodiscard]] bool probeTiff(Bytes head, std::uint64_t fileSize, ImageProbe& out);
[[nodiscard]] bool probeBmp(Bytes head, std::uint64_t fileSize, ImageProbe& out);
[[nodiscard]] bool probeGif(Bytes head, std::uint64_t fileSize, ImageProbe& out);

// `iccProfile` (empty: none) goes into APP2 chunks, an iCCP chunk or tag 34675.
[[nodiscard]] bool encodeJpeg(const PixelImage& image, int quality, const ImageMetadata* metadata,
                              Bytes iccProfile, std::vector<std::uint8_t>& out);
[[nodiscard]] bool encodePng(const PixelImage& image, Bytes iccProfile,
                             std::vector<std::uint8_t>& out);
[[nodiscard]] bool encodeTiff(const PixelImage& image, Bytes iccProfile,
                              std::vector<std::uint8_t>& out);
[[nodiscard]] bool encodeBmp(const PixelImage& image, std::vector<std::uint8_t>& out);

} // namespace scalora::codec
