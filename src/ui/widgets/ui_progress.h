// A progress bar, horizontal or vertical, drawn with the three skins of its orientation: the
// background over the whole bar, the chunk over the done part (from the left, or from the
// bottom when vertical) inside the padding, and the border on top. Thickness is the bar's
// cross size. When the text is shown, the done part reads as a whole percentage ("42%") in
// the middle of the bar.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/ui_font.h"
#include "ui/style/skin.h"

#include <cstdint>
#include <string>

namespace scalora {

enum class UIOrientation { Horizontal, Vertical };

class UIProgress : public UIElement {
public:
    explicit UIProgress(UIElement* parent, UIOrientation orientation = UIOrientation::Horizontal);

    UIOrientation orientation() const { return orientation_; }
    void setOrientation(UIOrientation orientation);
    std::int64_t value() const { return value_; }
    // Clamped to the range.
    void setValue(std::int64_t value);
    std::int64_t minimum() const { return minimum_; }
    std::int64_t maximum() const { return maximum_; }
    // A maximum below the minimum is raised to it.
    void setRange(std::int64_t minimum, std::int64_t maximum);
    bool isTextVisible() const { return textVisible_; }
    void setTextVisible(bool visible);
    // The done fraction in 0..1 (0 for an empty range).
    double fraction() const;
    // The rounded percentage text.
    std::string text() const;
    // Where the chunk is drawn in the current size.
    Rect chunkRect() const;

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;

private:
    struct Skins {
        UISkin background;
        UISkin chunk;
        UISkin border;
    };
    const Skins& skins() const {
        return orientation_ == UIOrientation::Horizontal ? horizontal_ : vertical_;
    }

    UIOrientation orientation_;
    std::int64_t minimum_ = 0;
    std::int64_t maximum_ = 100;
    std::int64_t value_ = 0;
    bool textVisible_ = false;
    UIFont font_;
    Color foreground_;
    Margins padding_;
    std::int32_t thickness_;
    Skins horizontal_;
    Skins vertical_;
};

} // namespace scalora
