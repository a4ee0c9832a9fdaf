#include "image_list_fixture.h"

#include "app/settings_access.h"
#include "engine/image_format_handler.h"
#include "engine/library_image_codec.h"

namespace scalora::test {
namespace {

class SilentObserver : public BatchObserver {
public:
    void post(BatchMessage, ResizeThread&) override {}
};

} // namespace

ImageListFixture::ImageListFixture()
    : codec(makeLibraryImageCodec()), observer(std::make_unique<SilentObserver>()),
      engine(std::make_unique<BatchEngine>(*codec, *observer)),
      settings(openSettingsStore("Scalora", (dir / "config").string())),
      list(std::make_unique<ImageList>(*engine, *settings, host)) {
    list->setMessageHandler([this](const std::string& text) { messages.push_back(text); });
}

ImageListFixture::~ImageListFixture() = default;

std::string ImageListFixture::picture(const std::string& relativePath, Size size) const {
    const std::filesystem::path path = dir / relativePath;
    std::filesystem::create_directories(path.parent_path());
    PixelImage image;
    EXPECT_TRUE(image.allocate(size.width, size.height));
    image.fill(0xFF808080);
    EXPECT_TRUE(savePixelImageFile(image, path.string()));
    return path.string();
}

} // namespace scalora::test
