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
    EXPECT_EQ(item.status, StatusUndefined);
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
    EXPECT_EQ(resultFileName(jpeg, 0), "A.jpg");
    EXPECT_EQ(resultFileName(ImageItem("/pics/photo.tif"), 2), "photo.png");
    EXPECT_EQ(resultFileName(ImageItem("/pics/scan.TIFF"), 0), "scan.tif");
    EXPECT_EQ(resultFileName(ImageItem("/pics/x.Jpg"), 4), "x.bmp");
    // No format for the extension: the name ends with '.', which means "cannot be written".
    EXPECT_EQ(resultFileName(ImageItem("/pics/anim.gif"), 0), "anim.");
    jpeg.copyIndex = 12;
    EXPECT_EQ(resultFileName(jpeg, 3), "A_copy12.tif");
    EXPECT_EQ(resultNameKey(jpeg, 3), "a.tif");
    EXPECT_EQ(resultNameKey(ImageItem("/x/A.PNG"), 1), "a.jpg");
}

} // namespace
} // namespace scalora
