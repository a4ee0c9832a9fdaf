// PNG files of canvases for the UI tests, through the imaging library's own encoder and
// decoder, so rendered scenes can be saved, looked at and compared after a round trip.
#pragma once

#include "imaging/pixel_image.h"

#include <filesystem>

namespace scalora::test {

// Writes any alpha kind (premultiplied pixels are written straight); false on failure.
[[nodiscard]] bool writePng(const PixelImage& image, const std::filesystem::path& path);
// Reads a PNG; false when it cannot be read.
[[nodiscard]] bool readPng(const std::filesystem::path& path, PixelImage& image);

} // namespace scalora::test
