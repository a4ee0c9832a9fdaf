// The registry of image format handlers: which file extensions are pictures, and loading and
// saving the program's own pixel images (toolkit skins, icons) through the handler of a file's
// extension. The order is fixed: pix, bmp, jpeg, png, tiff, gif; the first match wins.
#pragma once

#include "imaging/pixel_image.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class ImageFormatHandler {
public:
    explicit ImageFormatHandler(std::string familyName) : familyName_(std::move(familyName)) {}
    virtual ~ImageFormatHandler() = default;
    ImageFormatHandler(const ImageFormatHandler&) = delete;
    ImageFormatHandler& operator=(const ImageFormatHandler&) = delete;

    const std::string& familyName() const { return familyName_; }

    // True when `extension` equals one of the family's extensions exactly (callers lower-case).
    virtual bool matches(std::string_view extension) const = 0;
    // The picture in `data`, or a null image.
    virtual PixelImage loadFromMemory(std::span<const std::uint8_t> data) const = 0;
    // The picture in the file, or a null image.
    virtual PixelImage loadFromFile(const std::string& path) const = 0;
    // Writes the picture (atomically); false for a null image, an empty path or any failure.
    [[nodiscard]] virtual bool save(const PixelImage& image, const std::string& path) const = 0;

private:
    std::string familyName_;
};

class ImageFormatRegistry {
public:
    // The six handlers in their fixed order.
    static ImageFormatRegistry createDefault();

    ImageFormatRegistry() = default;
    ImageFormatRegistry(ImageFormatRegistry&&) = default;
    ImageFormatRegistry& operator=(ImageFormatRegistry&&) = default;

    void add(std::unique_ptr<ImageFormatHandler> handler);
    // Lower-cases the extension; only extensions of 3 or 4 characters are looked up. Null when
    // no handler matches.
    const ImageFormatHandler* find(std::string_view extension) const;
    const std::vector<std::unique_ptr<ImageFormatHandler>>& handlers() const { return handlers_; }

private:
    std::vector<std::unique_ptr<ImageFormatHandler>> handlers_;
};

// The process-wide registry, built on first use (thread-safe) and only read afterwards.
const ImageFormatRegistry& imageFormatRegistry();
const ImageFormatHandler* findFormatHandler(std::string_view extension);

// Whether files with this extension are taken into the image list: a handler exists and the
// extension is not "gif" (GIFs are readable but never listed). "pix" passes here, but such a file
// never opens as an ImageFile, so it is not listed either.
bool isAcceptedImageExtension(std::string_view extension);

// Loading and saving the program's pixel images through the handler of an extension (for a
// path, the text after its last dot). Null image / false when no handler fits.
PixelImage loadPixelImage(std::string_view extension, std::span<const std::uint8_t> data);
PixelImage loadPixelImageFile(const std::string& path);
[[nodiscard]] bool savePixelImageFile(const PixelImage& image, const std::string& path);

// JPEG quality of pixel images saved through a handler (not of resize results): the program's
// own pictures are kept at full quality.
inline constexpr int kPixelImageJpegQuality = 100;

} // namespace scalora
