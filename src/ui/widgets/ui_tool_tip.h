// The tool tip: a small popup window without a taskbar entry or focus that shows a text below
// the cursor, in a frame with rounded corners. UIToolTipTracker decides when it shows and for
// which element; the balloon tip (UIBalloonTip) is its variant with a title and an icon.
#pragma once

#include "base/geometry.h"
#include "ui/core/ui_window.h"
#include "ui/draw/brush.h"
#include "ui/draw/ui_font.h"
#include "ui/style/skin.h"
#include "ui/widgets/ui_text_style.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scalora {

class UIToolTip : public UIWindow {
public:
    explicit UIToolTip(UIElement* parent = nullptr);

    // Shows the text for a cursor at a screen point: below it by desktopVerticalOffset, above
    // it when there is no room below, and desktopPadding pixels inside the work area. Lines
    // longer than the tip's widest line wrap; line feeds break lines.
    void showText(std::string text, Point cursorScreenPosition);
    void hideTip() { setVisible(false); }
    const std::string& text() const { return text_; }

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

    // The widest a line of the text grows before it wraps, in pixels.
    static constexpr std::int32_t kMaxTextWidth = 400;

protected:
    // For the variants: their own style class.
    UIToolTip(UIElement* parent, const std::string& styleClass);
    void paintEvent(UIEvent& e) override;

    // The frame and background; the variants paint their contents on top.
    void paintFrame(Canvas& c) const;
    // The text's lines, the first with its top-left at the point.
    void paintText(Canvas& c, Point at) const;
    // The wrapped lines of the text and their box.
    std::vector<std::string> textLines() const;
    Size textSize() const;
    // Places a popup of the current size hint below `at` (above `anchor` when it does not
    // fit) and shows it.
    void placeAndShow(Point at, const Rect& anchor);

    struct Style {
        UITextStyle text{UIFont(UIFont::defaultFamily(), 9), 0xFF404040, kTransparentColor, {0, 1}};
        Brush background{Color{0xFFFFFFFF}};
        Color borderColor = 0xFF767676;
        Margins padding{6, 4, 6, 4};
        std::int32_t cornerDiametr = 6;
        std::int32_t desktopPadding = 4;
        std::int32_t desktopVerticalOffset = 20;
    };
    Style style_;
    UISkin backgroundSkin_;
    std::string text_;
};

} // namespace scalora
