// The balloon tip: a tool tip for telling rather than explaining. It points at a spot the
// program chooses (an input field that refused a value, say) instead of following the cursor,
// carries a bold title and an optional message icon beside its text, and stays until it is
// clicked, hidden, or its time runs out. Style class "UIBalloonTip": the tool tip's properties
// plus "titleFont" and "iconSpacing"; skin "UIBalloonTip_Background".
#pragma once

#include "ui/widgets/ui_tool_tip.h"

#include <cstdint>
#include <string>

namespace scalora {

class UIBalloonTip : public UIToolTip {
public:
    // How long a balloon stays when nobody dismisses it.
    static constexpr std::int64_t kDefaultTimeout = 10000;

    explicit UIBalloonTip(UIElement* parent = nullptr);

    // Shows the balloon with its top-left at a screen point (above the point when there is no
    // room below). iconKind 1 information, 2 question, 3 warning, 4 critical, anything else
    // none. A timeout of 0 or less keeps it until it is clicked or hidden.
    void showBalloon(std::string title, std::string text, std::int32_t iconKind, Point at,
                     std::int64_t timeoutMs = kDefaultTimeout);
    const std::string& title() const { return title_; }
    std::int32_t iconKind() const { return iconKind_; }

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;

protected:
    void paintEvent(UIEvent& e) override;
    void mouseReleaseEvent(UIEvent& e) override;
    void timerEvent(UIEvent& e) override;

private:
    // The small message icon of the kind, or null.
    const PixelImage* icon() const;
    std::int32_t iconSide() const;

    UIFont titleFont_{UIFont::defaultFamily(), 9, UIFont::kBold};
    std::int32_t iconSpacing_ = 6;
    std::string title_;
    std::int32_t iconKind_ = 0;
};

} // namespace scalora
