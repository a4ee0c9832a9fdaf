#include "engine/image_item.h"
#include "engine/result_name.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(ImageItem, NamePartsComeFromTheFileName) {
    const ImageItem item("  /pics/Photo.Final.JPG \t");
    EXPECT_EQ(item.path, "/pics/Photo.Final.JPG");
    EXPECT_EQ(item.baseName, "Photo.Final");
    EXPECT_EQ(item.extension, "JPG");
    EXPECT_EQ(item.nameKey, "photo.final.jpg");
    EXPECT_EQ(item.status, ItemStatus::StatusUndefined);
    EXPECT_FALSE(item.measured);

    const ImageItem bare("/pics/README");
    EXPECT_EQ(bare.baseName, "README");
    EXPECT_EQ(bare.extension, "");
    // A dot in a folder name is not an extension.
    const ImageItem dotted("/my.pics/scan");
    EXPECT_EQ(dotted.baseName, "scan");
    EXPECT_EQ(dotted.extension, "");
    // Non-ASCII names lower-case properly for the key.
    EXPECT_EQ(ImageItem("/p/ÄPFEL.Png").nameKey, "äpfel.png");
}

TEST(ResultName, ExtensionFollowsTheWrittenFormat) {
    ImageItem jpeg("/pics/A.JPEG");
    EXPECT_EQ(resultFileName(jpeg, OutputFormat::AsOriginal), "A.jpg");
    EXPECT_EQ(resultFileName(ImageItem("/pics/photo.tif"), OutputFormat::Png), "photo.png");
    EXPECT_EQ(resultFileName(ImageItem("/pics/scan.TIFF"), OutputFormat::AsOriginal), "scan.tif");
    EXPECT_EQ(resultFileName(ImageItem("/pics/x.Jpg"), OutputFormat::Bmp), "x.bmp");
    // No format for the extension: the name ends with '.', which means "cannot be written".
    EXPECT_EQ(resultFileName(ImageItem("/pics/anim.gif"), OutputFormat::AsOriginal), "anim.");
    jpeg.copyIndex = 12;
    EXPECT_EQ(resultFileName(jpeg, OutputFormat::Tif), "A_copy12.tif");
    EXPECT_EQ(resultNameKey(jpeg, OutputFormat::Tif), "a.tif");
    EXPECT_EQ(resultNameKey(ImageItem("/x/A.PNG"), OutputFormat::Jpg), "a.jpg");
}

} // namespace
} // namespace scalora
