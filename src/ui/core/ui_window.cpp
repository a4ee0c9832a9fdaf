#include "ui/core/ui_window.h"

#include "ui/core/ui_toolkit.h"
#include "ui/draw/canvas.h"
#include "ui/style/ui_style_manager.h"

namespace scalora {

UIWindow::UIWindow(UIElement* parent, std::uint32_t options)
    : UIElement(parent), windowCanvas_(std::make_unique<Canvas>()), windowOptions_(options) {
    setFlag(kIsWindow, true);
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->registerWindow(this);
    }
}

UIWindow::~UIWindow() {
    closeBeforeDestruction();
    destroyChildren();
    native_.reset();
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->unregisterWindow(this);
    }
    // From here on this is only an element: nothing may take it for a window any more.
    setFlag(kIsWindow, false);
}

UINativeWindow* UIWindow::ensureNativeWindow() {
    UIToolkit* tk = UIToolkit::instance();
    if (!native_ && tk != nullptr) {
        native_ = tk->windowSystem().createWindow(*this, windowOptions_);
        if (!native_) {
            return nullptr;
        }
        native_->setTitle(title_);
        native_->setSizeLimits(minimumSize(), maximumSize());
        native_->setGeometry(geometry());
        const UIStyleManager& styles = UIStyleManager::instance();
        native_->setIcons(styles.windowIcon(false), styles.windowIcon(true),
                          styles.largeWindowIcon());
    }
    return native_.get();
}

void UIWindow::setTitle(std::string title) {
    title_ = std::move(title);
    if (native_) {
        native_->setTitle(title_);
    }
}

void UIWindow::setBackground(Color color) {
    background_ = color;
    update();
}

void UIWindow::setVisible(bool visible) {
    UIElement::setVisible(visible);
}

void UIWindow::setPosition(std::int32_t x, std::int32_t y) {
    if (native_ && !syncingGeometry_) {
        native_->setGeometry({x, y, width(), height()});
    }
    UIElement::setPosition(x, y);
}

void UIWindow::setSize(std::int32_t width, std::int32_t height) {
    const Size s = clampedSize({width, height});
    if (native_ && !syncingGeometry_) {
        native_->setGeometry({x(), y(), s.width, s.height});
    }
    UIElement::setSize(s.width, s.height);
}

void UIWindow::markDirty(const Rect& r) {
    dirty_ = dirty_.united(r.intersected(rect()));
}

int UIWindow::exec() {
    UIToolkit* tk = UIToolkit::instance();
    if (tk == nullptr || isDead()) {
        return modalResult_;
    }
    if (!isInitialized()) {
        setStyleClass("UIWindow");
    }
    setVisible(true);
    modalRunning_ = true;
    tk->pushModal(this);
    while (modalRunning_ && !tk->quitRequested()) {
        tk->iterate(true);
    }
    tk->popModal(this);
    modalRunning_ = false;
    return modalResult_;
}

void UIWindow::endModalLoop() {
    modalRunning_ = false;
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->windowSystem().wake();
    }
}

void UIWindow::sizeLimitsChanged() {
    // The frame must refuse sizes the element would clamp anyway.
    if (native_) {
        native_->setSizeLimits(minimumSize(), maximumSize());
    }
}

void UIWindow::activate() {
    if (native_) {
        native_->activate();
    }
}

void UIWindow::minimize() {
    if (native_) {
        native_->minimize();
    }
}

void UIWindow::maximize() {
    if (native_) {
        native_->maximize();
    }
}

void UIWindow::restore() {
    if (native_) {
        native_->restore();
    }
}

void UIWindow::paintEvent(UIEvent& e) {
    if (e.canvas != nullptr) {
        e.canvas->fillRect(e.rect, background_ | 0xFF000000);
    }
}

void UIWindow::nativeSetEnabled(bool enabled) {
    if (native_) {
        native_->setEnabled(enabled);
    }
}

void UIWindow::nativeShow() {
    UINativeWindow* native = ensureNativeWindow();
    if (native == nullptr) {
        return;
    }
    setFlag(kVisible | kRealized, true);
    native->setGeometry(geometry());
    native->show(showMode_);
    showMode_ = UIShowMode::Normal;
    setFlag(kRepaintPending, false);
    markDirty(rect());
}

void UIWindow::nativeHide() {
    if (native_) {
        native_->hide();
    }
}

} // namespace scalora
