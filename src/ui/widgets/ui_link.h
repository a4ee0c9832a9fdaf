// A hyperlink: its caption in the link colours, in the hovered font and colours while the mouse
// is over it. A left-button click (or Enter or Space while focused) opens its address with the
// desktop's preferred application, unless the last opening was less than 201 ms ago (a double
// click opens one browser tab, not two); clicked is emitted either way, and an empty address
// opens nothing. A failed opening is not reported. The caption is left-aligned and centred
// vertically; the focus frame surrounds it.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/core/ui_signal.h"
#include "ui/draw/ui_font.h"

#include <functional>
#include <string>
#include <string_view>

namespace scalora {

// Hands an address to the desktop; true when it was started.
using UILinkOpener = std::function<bool(std::string_view address)>;

class UILink : public UIElement {
public:
    UILink(UIElement* parent, std::string text, std::string address = {});

    UISignal<>& clicked() { return clicked_; }

    const std::string& text() const { return text_; }
    void setText(std::string text);
    const std::string& address() const { return address_; }
    void setAddress(std::string address) { address_ = std::move(address); }
    // Replaces how addresses are opened (the desktop's opener by default).
    void setOpener(UILinkOpener opener) { opener_ = std::move(opener); }

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;

protected:
    void paintEvent(UIEvent& e) override;
    void mouseClickEvent(UIEvent& e) override;
    void keyPressEvent(UIEvent& e) override;
    void enterEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    void focusInEvent(UIEvent& e) override;
    void focusOutEvent(UIEvent& e) override;

private:
    void activate();

    UISignal<> clicked_;
    std::string text_;
    std::string address_;
    UIFont font_;
    Color foreground_;
    Color shadowForeground_;
    Point shadowOffset_;
    UIFont hoveredFont_;
    Color hoveredForeground_;
    Color hoveredShadowForeground_;
    UILinkOpener opener_;
    std::int64_t lastOpening_ = 0;
    bool hasOpened_ = false;
};

} // namespace scalora
