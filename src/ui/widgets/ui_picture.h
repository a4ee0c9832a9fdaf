// Shows an image on its "background" brush, with an optional caption in one line below it.
// The image is centred in the room above the caption and shrunk to fit it, keeping its
// proportions; it is never enlarged. Decoding is the caller's business: the picture only
// draws the pixels it is given.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/brush.h"
#include "ui/widgets/ui_text_style.h"

#include <memory>
#include <string>

namespace scalora {

class PixelImage;

class UIPicture : public UIElement {
public:
    explicit UIPicture(UIElement* parent, std::shared_ptr<const PixelImage> image = {});

    const std::shared_ptr<const PixelImage>& image() const { return image_; }
    void setImage(std::shared_ptr<const PixelImage> image);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    // Where the image is drawn in the current size.
    Rect imageRect() const;

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;

protected:
    void paintEvent(UIEvent& e) override;

private:
    std::int32_t captionHeight() const;

    std::shared_ptr<const PixelImage> image_;
    std::string caption_;
    UITextStyle textStyle_;
    Brush background_;
};

} // namespace scalora
