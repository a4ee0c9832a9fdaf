// The per-format readers and writers behind image_decoder.h, image_encoder.h and image_probe.h
// (not part of the imaging interface). Decoders return the pixels as stored, with the file's
// resolution and, where the format has one, its orientation; turning is left to the caller.
#pragma once

#include "imaging/image_metadata.h"
#include "imaging/image_probe.h"
#include "imaging/pixel_image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace scalora::codec {

using Bytes = std::span<const std::uint8_t>;

bool decodeJpeg(Bytes data, int scaleEighths, PixelImage& out, ImageMetadata* metadata,
                int& orientation);
bool decodePng(Bytes data, PixelImage& out);
bool decodeTiff(Bytes data, PixelImage& out, int& orientation);
bool decodeBmp(Bytes data, PixelImage& out);
bool decodeGif(Bytes data, PixelImage& out);

// Probes fill storedSize, dpi, orientation and hasAlpha from the head of a file of `fileSize`
// bytes and refuse what the decoder would refuse from the header alone; the caller sets the
// format and the display size. A head that ends too early makes them fail.
bool probeJpeg(Bytes head, std::uint64_t fileSize, ImageProbe& out);
bool probePng(Bytes head, std::uint64_t fileSize, ImageProbe& out);
bool probeTiff(Bytes head, std::uint64_t fileSize, ImageProbe& out);
bool probeBmp(Bytes head, std::uint64_t fileSize, ImageProbe& out);
bool probeGif(Bytes head, std::uint64_t fileSize, ImageProbe& out);

bool encodeJpeg(const PixelImage& image, int quality, const ImageMetadata* metadata,
                std::vector<std::uint8_t>& out);
bool encodePng(const PixelImage& image, std::vector<std::uint8_t>& out);
bool encodeTiff(const PixelImage& image, std::vector<std::uint8_t>& out);
bool encodeBmp(const PixelImage& image, std::vector<std::uint8_t>& out);

} // namespace scalora::codec
