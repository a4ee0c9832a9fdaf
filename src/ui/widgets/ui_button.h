// The push button, and the base of the button family (tool buttons, check boxes): a caption
// with up to four state icons on the style's "UIButton_Background" skin, checkable or not,
// optionally dropping down a menu.
//
// The background skin and the icon follow the flags: disabled (skin state 3, disabled icon);
// showing checked (4, pressed icon); pressed with the mouse over it (2, pressed icon); neither
// pressed nor hovered (0, normal icon); otherwise, hovered or pressed with the mouse dragged
// out (1, hovered icon). A checkable button shows checked while checked; a menu button shows
// checked while its menu is open.
//
// A left-button click or Enter or Space while focused activates the button: a checkable one
// toggles, then clicked is emitted. A press (or Enter, Space or Down) on a menu button drops the
// menu down below its bottom-left corner; when the menu closes the button stays disarmed for
// 10 ms, so the press that closed the menu over the button does not open it again.
//
// Icons are drawn at the left of the caption (placements 0 and 1) or above it (2 and 3); a
// button without a caption centres its icon. The caption is centred in the room beside or
// below the icon and shortened with an ellipsis when it does not fit.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/core/ui_signal.h"
#include "ui/draw/brush.h"
#include "ui/style/skin.h"
#include "ui/widgets/ui_text_style.h"

#include <array>
#include <memory>
#include <string>

namespace scalora {

class PixelImage;
class UIDropDownMenu;

// The four icons of a button, by the index the state rules give (premultiplied images; any
// may be null, a missing one falls back to the normal icon).
enum class UIButtonIcon : std::int32_t { Normal = 0, Disabled = 1, Hovered = 2, Pressed = 3 };
using UIButtonIcons = std::array<std::shared_ptr<const PixelImage>, 4>;

enum class UIIconPlacement : std::int32_t {
    Left = 0,
    BeforeText = 1,
    Top = 2,
    AboveText = 3,
};

class UIButton : public UIElement {
public:
    explicit UIButton(UIElement* parent, std::string text = {});
    ~UIButton() override;

    UISignal<>& clicked() { return clicked_; }

    const std::string& text() const { return text_; }
    void setText(std::string text);
    void setIcons(UIButtonIcons icons);
    const UIButtonIcons& icons() const { return icons_; }
    bool isCheckable() const { return checkable_; }
    void setCheckable(bool checkable);
    bool isChecked() const { return checked_; }
    // Stores the checked state and repaints when it changes; emits nothing.
    virtual void setChecked(bool checked);
    // The caption colours while checked (until set, the normal ones).
    void setCheckedColors(Color foreground, Color shadowForeground);
    bool isFlat() const { return flat_; }
    void setFlat(bool flat);
    UIIconPlacement iconPlacement() const { return iconPlacement_; }
    void setIconPlacement(UIIconPlacement placement);
    UIDropDownMenu* menu() const { return menu_; }
    // The menu is not owned; clear it (setMenu(nullptr)) before it is destroyed.
    void setMenu(UIDropDownMenu* menu);
    bool isArmed() const { return armed_; }
    const UITextStyle& textStyle() const { return textStyle_; }
    // The caption does not fit the room the button leaves it beside its icon: it is drawn
    // shortened with an ellipsis, or cut at the top and bottom.
    bool isShortened() const;

    // The skin state and icon the flags select (see the header comment).
    SkinState backgroundState() const;
    UIButtonIcon iconState() const;

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

    // The re-arm operation: the menu closed, so uncheck, disarm and re-arm after 10 ms.
    virtual void menuClosed();

protected:
    // For the family: the derived class sets its own style class (and so its own style
    // values) after this, and re-arms with its own timer.
    UIButton(UIElement* parent, std::string text, std::int64_t rearmTimerId);

    void paintEvent(UIEvent& e) override;
    void keyPressEvent(UIEvent& e) override;
    void mousePressEvent(UIEvent& e) override;
    void mouseReleaseEvent(UIEvent& e) override;
    void mouseClickEvent(UIEvent& e) override;
    void enterEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    void timerEvent(UIEvent& e) override;
    void focusInEvent(UIEvent& e) override;
    void focusOutEvent(UIEvent& e) override;

    // Toggles a checkable button and emits clicked (a click or a key).
    void activate();
    // Drops the menu down when there is one, the button is enabled and armed.
    bool dropDownMenu();
    // Shows checked: checked and checkable, or checked while its menu is open.
    bool showsChecked() const { return checked_ && (checkable_ || menu_ != nullptr); }
    // The state from the mouse alone (rules without checked): 0, 1, 2 or 3.
    SkinState interactionState() const;

    // Pieces of the button's painting and size for the family.
    // Content size of the icon and caption, before padding.
    Size contentSize() const;
    // The rect less padding, moved by the down offset while pushed (unless flat).
    Rect contentRect() const;
    void paintBackground(Canvas& canvas) const;
    void paintIconAndText(Canvas& canvas, const Rect& content) const;
    // The part of content the caption is drawn in: beside or below the icon.
    Rect textAreaIn(const Rect& content) const;
    // Where the caption goes while the button rests (not pushed down).
    virtual Rect captionRoom() const;
    void paintFocus(Canvas& canvas) const;
    const PixelImage* iconFor(UIButtonIcon state) const;
    Size widestAndTallestIcon() const;
    bool hasIcon() const;
    Size textSize() const { return textSize_; }
    void setPaddingValue(Margins padding) { padding_ = padding; }
    void setMinimumSizeValue(Size size) { minimumSize_ = size; }
    void setBackgroundValue(Brush brush) { background_ = std::move(brush); }
    UITextStyle& mutableTextStyle() { return textStyle_; }
    Margins padding() const { return padding_; }
    std::int32_t iconAndTextSpacing() const { return iconAndTextSpacing_; }
    const UISkin& backgroundSkin() const { return backgroundSkin_; }
    void setBackgroundSkin(const UISkin& skin) { backgroundSkin_ = skin; }
    // Measures the caption again after the text or the font changed.
    void layoutText();

private:
    void construct();

    UISignal<> clicked_;
    std::string text_;
    Size textSize_;
    bool checkable_ = false;
    bool checked_ = false;
    UITextStyle textStyle_;
    Color checkedForeground_ = kTransparentColor;
    Color checkedShadowForeground_ = kTransparentColor;
    bool hasCheckedColors_ = false;
    Point downOffset_;
    Margins padding_;
    Size minimumSize_;
    std::int32_t iconAndTextSpacing_ = 0;
    Brush background_;
    UISkin backgroundSkin_;
    UIButtonIcons icons_;
    bool flat_ = false;
    UIIconPlacement iconPlacement_ = UIIconPlacement::Left;
    UIDropDownMenu* menu_ = nullptr;
    UIConnectionId menuConnection_ = 0;
    bool armed_ = true;
    std::int64_t rearmTimerId_;
};

} // namespace scalora
