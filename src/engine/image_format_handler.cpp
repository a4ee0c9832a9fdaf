#include "engine/image_format_handler.h"

#include "base/paths.h"
#include "base/strings.h"
#include "engine/output_format.h"
#include "engine/pix_format.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"

#include <initializer_list>

namespace scalora {

namespace {

class PixFormatHandler final : public ImageFormatHandler {
public:
    PixFormatHandler() : ImageFormatHandler("pix") {}
    bool matches(std::string_view extension) const override { return extension == "pix"; }
    PixelImage loadFromMemory(std::span<const std::uint8_t> data) const override {
        PixelImage image;
        if (!decodePix(data, image)) {
            return {};
        }
        return image;
    }
    PixelImage loadFromFile(const std::string& path) const override {
        PixelImage image;
        if (!readPixFile(path, image)) {
            return {};
        }
        return image;
    }
    bool save(const PixelImage& image, const std::string& path) const override {
        return !path.empty() && writePixFile(image, path);
    }
};

// The five families read and written by the imaging library share one implementation and differ
// only in the extensions they claim. Decoders go by the file's content, so a family's load reads
// any supported format.
class LibraryFormatHandler final : public ImageFormatHandler {
public:
    LibraryFormatHandler(std::string familyName, std::initializer_list<std::string_view> extensions)
        : ImageFormatHandler(std::move(familyName)), extensions_(extensions) {}

    bool matches(std::string_view extension) const override {
        for (const std::string_view e : extensions_) {
            if (e == extension) {
                return true;
            }
        }
        return false;
    }

    PixelImage loadFromMemory(std::span<const std::uint8_t> data) const override {
        PixelImage image;
        if (!decodeImageData(data, DecodeOptions{}, image)) {
            return {};
        }
        return image;
    }

    PixelImage loadFromFile(const std::string& path) const override {
        PixelImage image;
        // The path is used as given: file names are case-sensitive here.
        if (isRegularFile(path) && !decodeImageFile(path, DecodeOptions{}, image)) {
            return {};
        }
        return image;
    }

    bool save(const PixelImage& image, const std::string& path) const override {
        if (image.isNull() || path.empty()) {
            return false;
        }
        const ImageFormat format = encoderFormatOfExtension(extension(path), true);
        if (!hasImageEncoder(format)) {
            return false;
        }
        AtomicFile file(path);
        EncodeOptions options;
        options.jpegQuality = kPixelImageJpegQuality;
        return file.isOpen() && encodeImage(image, format, options, file.stream()) && file.commit();
    }

private:
    std::vector<std::string_view> extensions_;
};

} // namespace

ImageFormatRegistry ImageFormatRegistry::createDefault() {
    ImageFormatRegistry registry;
    registry.add(std::make_unique<PixFormatHandler>());
    registry.add(std::make_unique<LibraryFormatHandler>(
        "bmp", std::initializer_list<std::string_view>{"bmp"}));
    registry.add(std::make_unique<LibraryFormatHandler>(
        "jpeg", std::initializer_list<std::string_view>{"jpg", "jpeg"}));
    registry.add(std::make_unique<LibraryFormatHandler>(
        "png", std::initializer_list<std::string_view>{"png"}));
    registry.add(std::make_unique<LibraryFormatHandler>(
        "tiff", std::initializer_list<std::string_view>{"tif", "tiff"}));
    registry.add(std::make_unique<LibraryFormatHandler>(
        "gif", std::initializer_list<std::string_view>{"gif"}));
    return registry;
}

void ImageFormatRegistry::add(std::unique_ptr<ImageFormatHandler> handler) {
    if (handler) {
        handlers_.push_back(std::move(handler));
    }
}

const ImageFormatHandler* ImageFormatRegistry::find(std::string_view extension) const {
    const std::string lower = toLower(extension);
    if (lower.size() != 3 && lower.size() != 4) {
        return nullptr;
    }
    for (const auto& handler : handlers_) {
        if (handler->matches(lower)) {
            return handler.get();
        }
    }
    return nullptr;
}

const ImageFormatRegistry& imageFormatRegistry() {
    static const ImageFormatRegistry registry = ImageFormatRegistry::createDefault();
    return registry;
}

const ImageFormatHandler* findFormatHandler(std::string_view extension) {
    return imageFormatRegistry().find(extension);
}

bool isAcceptedImageExtension(std::string_view extension) {
    return toLower(extension) != "gif" && findFormatHandler(extension) != nullptr;
}

PixelImage loadPixelImage(std::string_view extension, std::span<const std::uint8_t> data) {
    const ImageFormatHandler* handler = findFormatHandler(extension);
    return handler ? handler->loadFromMemory(data) : PixelImage{};
}

PixelImage loadPixelImageFile(const std::string& path) {
    const ImageFormatHandler* handler = findFormatHandler(extension(path));
    return handler ? handler->loadFromFile(path) : PixelImage{};
}

bool savePixelImageFile(const PixelImage& image, const std::string& path) {
    const ImageFormatHandler* handler = findFormatHandler(extension(path));
    return handler != nullptr && handler->save(image, path);
}

} // namespace scalora
