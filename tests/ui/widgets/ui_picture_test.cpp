// UIPicture: the image is shrunk to fit above the caption, centred, never enlarged.
#include "imaging/pixel_image.h"
#include "ui/widgets/ui_picture.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UIPictureTest : public WidgetTest {};

TEST_F(UIPictureTest, TheImageShrinksToFitAndIsNeverEnlarged) {
    RecordingWindow* w = makeWindow({300, 200});
    auto wide = std::make_shared<PixelImage>();
    ASSERT_TRUE(wide->allocate(200, 100, AlphaKind::Premultiplied));
    auto* picture = place(new UIPicture(w, wide), {0, 0, 50, 50});
    EXPECT_EQ(picture->sizeHint(), (Size{200, 100}));
    EXPECT_EQ(picture->imageRect(), (Rect{0, 12, 50, 25}));
    picture->setGeometry({0, 0, 260, 150});
    EXPECT_EQ(picture->imageRect(), (Rect{30, 25, 200, 100}));
    // A caption takes a line below.
    picture->setCaption("Logo");
    const Rect withCaption = picture->imageRect();
    EXPECT_EQ(withCaption.size(), (Size{200, 100}));
    EXPECT_LT(withCaption.y, 25);
    EXPECT_GT(picture->sizeHint().height, 100);
}

} // namespace
} // namespace scalora::test
