// Test-only PNG reading and writing of canvases (libpng), so rendered scenes can be saved,
// looked at and compared after a round trip through a file.
#pragma once

#include "imaging/pixel_image.h"

#include <filesystem>

namespace scalora::test {

// Writes straight-alpha RGBA; premultiplied pixels are converted first.
bool writePng(const PixelImage& image, const std::filesystem::path& path);
// Reads any PNG as straight ARGB.
bool readPng(const std::filesystem::path& path, PixelImage& image);

} // namespace scalora::test
