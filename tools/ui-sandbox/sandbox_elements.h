// The elements of the sandbox window. Each reports what happens to it through a line
// reporter (standard output and, for end-to-end tests, a log file).
#pragma once

#include "ui/core/ui_element.h"
#include "ui/core/ui_window.h"
#include "ui/core/window_system.h"
#include "ui/draw/ui_font.h"
#include "ui/style/skin.h"

#include <functional>
#include <memory>
#include <string>

namespace scalora::sandbox {

using Reporter = std::function<void(const std::string& line)>;

// A clickable box with a caption; it shows hovered and pressed states and reports clicks.
class ClickBox : public UIElement {
public:
    ClickBox(UIElement* parent, std::string name, Color color, Reporter report);
    const std::string& name() const { return name_; }
    Size sizeHint() const override { return {140, 56}; }
    int clicks() const { return clicks_; }

protected:
    void paintEvent(UIEvent& e) override;
    void enterEvent(UIEvent& e) override {
        update();
        (void)e;
    }
    void leaveEvent(UIEvent& e) override {
        update();
        (void)e;
    }
    void mousePressEvent(UIEvent& e) override {
        update();
        (void)e;
    }
    void mouseReleaseEvent(UIEvent& e) override {
        update();
        (void)e;
    }
    void mouseClickEvent(UIEvent& e) override;
    void mouseDoubleClickEvent(UIEvent& e) override;
    void focusInEvent(UIEvent& e) override {
        update();
        (void)e;
    }
    void focusOutEvent(UIEvent& e) override {
        update();
        (void)e;
    }
    void keyPressEvent(UIEvent& e) override;

private:
    std::string name_;
    Color color_;
    Reporter report_;
    UIFont font_;
    int clicks_ = 0;
};

// Lines of text in several point sizes and styles.
class TextSamples : public UIElement {
public:
    explicit TextSamples(UIElement* parent);
    Size sizeHint() const override { return {420, 200}; }

protected:
    void paintEvent(UIEvent& e) override;
};

// Skin-like button faces drawn in the five widget states (normal, hovered, pressed,
// disabled, checked) with gradients and outlines.
class StateStrip : public UIElement {
public:
    explicit StateStrip(UIElement* parent);
    Size sizeHint() const override { return {420, 44}; }

protected:
    void paintEvent(UIEvent& e) override;
};

// The style's "UIButton_Background" skin drawn into a row of boxes, one per widget state,
// with the nine-part grid stretching it to each box.
class SkinStrip : public UIElement {
public:
    explicit SkinStrip(UIElement* parent);
    Size sizeHint() const override { return {420, 44}; }
    void setSkinImage(const std::string& name, const UISkin& skin) override;
    bool hasSkin() const { return skin_ != nullptr; }

protected:
    void paintEvent(UIEvent& e) override;

private:
    std::unique_ptr<UISkin> skin_;
};

// Accepts drops and shows (and reports) what arrived.
class DropTarget : public UIElement {
public:
    DropTarget(UIElement* parent, Reporter report);
    Size sizeHint() const override { return {200, 90}; }

protected:
    void paintEvent(UIEvent& e) override;
    void dragEnterEvent(UIEvent& e) override;
    void dragMoveEvent(UIEvent& e) override;
    void dragLeaveEvent(UIEvent& e) override;
    void dropEvent(UIEvent& e) override;

private:
    Reporter report_;
    std::string lastDrop_ = "Drop files here";
    bool dragging_ = false;
    int moves_ = 0;
};

// A popup shown as the context menu of a box: a borderless window without a taskbar entry
// that does not take the focus; a click on it reports and hides it.
class ContextPopup : public UIWindow {
public:
    ContextPopup(UIElement* owner, Reporter report);

protected:
    void paintEvent(UIEvent& e) override;
    void mouseClickEvent(UIEvent& e) override;
    void showEvent(UIEvent& e) override;

private:
    Reporter report_;
};

// A clock driven by a 250 ms timer.
class TickerBox : public UIElement {
public:
    explicit TickerBox(UIElement* parent);
    Size sizeHint() const override { return {200, 40}; }
    int ticks() const { return ticks_; }

protected:
    void paintEvent(UIEvent& e) override;
    void timerEvent(UIEvent& e) override;

private:
    int ticks_ = 0;
};

} // namespace scalora::sandbox
