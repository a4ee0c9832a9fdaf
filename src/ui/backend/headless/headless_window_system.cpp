#include "ui/backend/headless/headless_window_system.h"

#include "imaging/image_encoder.h"
#include "platform/atomic_file.h"
#include "ui/core/ui_timers.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/draw/screen_dpi.h"

#include <algorithm>
#include <cstring>

namespace scalora {

// --- HeadlessNativeWindow ---

void HeadlessNativeWindow::show(UIShowMode mode) {
    visible_ = true;
    minimized_ = mode == UIShowMode::Minimized;
    maximized_ = mode == UIShowMode::Maximized;
    // Popups never take the focus; neither does a window shown without activation.
    if ((options_ & kWindowPopup) == 0 && mode == UIShowMode::Normal) {
        active_ = true;
    }
}

void HeadlessNativeWindow::setGeometry(const Rect& rect) {
    const Size size = clampSize(rect.size(), minimum_, maximum_);
    geometry_ = {rect.x, rect.y, size.width, size.height};
}

void HeadlessNativeWindow::setSizeLimits(Size minimum, Size maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void HeadlessNativeWindow::activate() {
    if ((options_ & kWindowPopup) == 0 && visible_) {
        active_ = true;
    }
}

void HeadlessNativeWindow::minimize() {
    // The state change is announced before the window minimizes.
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().windowStateChange(&owner_);
    }
    minimized_ = true;
}

void HeadlessNativeWindow::maximize() {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().windowStateChange(&owner_);
    }
    maximized_ = true;
    minimized_ = false;
}

void HeadlessNativeWindow::restore() {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().windowStateChange(&owner_);
    }
    maximized_ = false;
    minimized_ = false;
}

void HeadlessNativeWindow::setIcons(const PixelImage* small, const PixelImage* big,
                                    const PixelImage* large) {
    hasIcons_ = small != nullptr || big != nullptr || large != nullptr;
}

void HeadlessNativeWindow::present(const PixelImage& canvas, const Rect& dirty) {
    if (screen_.size() != canvas.size()) {
        if (!screen_.allocate(canvas.width(), canvas.height(), canvas.alphaKind())) {
            return;
        }
        screen_.fill(0);
    }
    const Rect r = dirty.intersected({0, 0, canvas.width(), canvas.height()});
    for (std::int32_t y = r.y; y < r.bottom(); ++y) {
        std::memcpy(screen_.row(y) + r.x, canvas.row(y) + r.x,
                    static_cast<std::size_t>(r.width) * sizeof(std::uint32_t));
    }
    screen_.setAlphaKind(canvas.alphaKind());
    ++presentCount_;
}

// --- HeadlessWindowSystem ---

HeadlessWindowSystem::HeadlessWindowSystem() {
    setScreenDpi(kDpi);
}

HeadlessWindowSystem::~HeadlessWindowSystem() {
    // Back to the display's own resolution.
    setScreenDpi(0);
}

std::unique_ptr<UINativeWindow> HeadlessWindowSystem::createWindow(UIWindow& owner,
                                                                   std::uint32_t options) {
    return std::make_unique<HeadlessNativeWindow>(owner, options);
}

std::vector<UIDisplayInfo> HeadlessWindowSystem::displays() const {
    return displays_;
}

bool HeadlessWindowSystem::pumpEvents(std::int64_t timeoutMs) {
    if (timeoutMs > 0) {
        now_ += timeoutMs;
        return false;
    }
    if (timeoutMs < 0) {
        if (idleHook_) {
            // The hook may inject input; it runs once per wait.
            const std::function<void()> hook = idleHook_;
            hook();
        } else if (UIToolkit* tk = UIToolkit::instance()) {
            tk->quit(-1);
        }
    }
    return false;
}

HeadlessNativeWindow* HeadlessWindowSystem::native(UIWindow& window) {
    return dynamic_cast<HeadlessNativeWindow*>(window.nativeWindow());
}

void HeadlessWindowSystem::settle() {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->processEvents();
    }
}

void HeadlessWindowSystem::advance(std::int64_t ms) {
    const std::int64_t end = now_ + std::max<std::int64_t>(ms, 0);
    settle();
    while (now_ < end) {
        // Step to the next timer so timers fire at their own times, in order.
        const std::int64_t next = UITimerRegistry::instance().msUntilNext();
        now_ = next < 0 ? end : std::min(end, now_ + std::max<std::int64_t>(next, 1));
        settle();
    }
}

void HeadlessWindowSystem::mouseMove(UIWindow& window, Point position) {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().mouseMove(&window, position, buttons_, modifiers_);
    }
    settle();
}

void HeadlessWindowSystem::mousePress(UIWindow& window, Point position, std::uint32_t button) {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().mouseMove(&window, position, buttons_, modifiers_);
        buttons_ |= button;
        tk->input().mousePress(&window, position, button, modifiers_);
    }
    settle();
}

void HeadlessWindowSystem::mouseRelease(UIWindow& window, Point position, std::uint32_t button) {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().mouseMove(&window, position, buttons_, modifiers_);
        buttons_ &= ~button;
        tk->input().mouseRelease(&window, position, button, modifiers_);
    }
    settle();
}

void HeadlessWindowSystem::click(UIWindow& window, Point position, std::uint32_t button) {
    mousePress(window, position, button);
    mouseRelease(window, position, button);
}

void HeadlessWindowSystem::wheel(UIWindow& window, Point position, std::int32_t delta) {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().wheel(&window, position, kWheelVertical, delta, modifiers_);
    }
    settle();
}

void HeadlessWindowSystem::pointerLeaves(UIWindow& window) {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().pointerLeft(&window);
    }
    settle();
}

void HeadlessWindowSystem::keyPress(UIWindow& window, std::int32_t key, std::uint32_t modifiers) {
    modifiers_ = modifiers | modifierOfKey(key);
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().keyPress(&window, key, modifiers_, false);
    }
    settle();
}

void HeadlessWindowSystem::keyRelease(UIWindow& window, std::int32_t key, std::uint32_t modifiers) {
    modifiers_ = modifiers & ~modifierOfKey(key);
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().keyRelease(&window, key, modifiers_);
    }
    settle();
}

void HeadlessWindowSystem::typeText(UIWindow& window, const std::string& text) {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().textInput(&window, text, modifiers_);
    }
    settle();
}

void HeadlessWindowSystem::requestClose(UIWindow& window) {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().closeRequested(&window);
    }
    settle();
}

void HeadlessWindowSystem::moveWindow(UIWindow& window, Point position) {
    if (HeadlessNativeWindow* n = native(window)) {
        Rect g = n->geometry();
        n->setGeometry({position.x, position.y, g.width, g.height});
    }
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().windowMoved(&window, position);
    }
    settle();
}

void HeadlessWindowSystem::resizeWindow(UIWindow& window, Size size) {
    Size applied = size;
    if (HeadlessNativeWindow* n = native(window)) {
        const Rect g = n->geometry();
        n->setGeometry({g.x, g.y, size.width, size.height});
        applied = n->geometry().size();
    }
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().windowResized(&window, applied);
    }
    settle();
}

namespace {
// Popups (menus, tool tips) never take drops.
UIDropListener* dropTargetFor(UIWindow& window) {
    UIToolkit* tk = UIToolkit::instance();
    if (tk == nullptr || window.isPopup()) {
        return nullptr;
    }
    return tk->dropListener();
}
} // namespace

void HeadlessWindowSystem::dragEnter(UIWindow& window, Point position, std::uint32_t actions) {
    if (UIDropListener* l = dropTargetFor(window)) {
        l->dragEnter(window, position, actions);
    }
    settle();
}

void HeadlessWindowSystem::dragMove(UIWindow& window, Point position, std::uint32_t actions) {
    if (UIDropListener* l = dropTargetFor(window)) {
        l->dragMove(window, position, actions);
    }
    settle();
}

void HeadlessWindowSystem::dragLeave(UIWindow& window) {
    if (UIDropListener* l = dropTargetFor(window)) {
        l->dragLeave(window);
    }
    settle();
}

std::uint32_t HeadlessWindowSystem::drop(UIWindow& window, Point position,
                                         const UIDropPayload& data) {
    std::uint32_t action = kDropNone;
    if (UIDropListener* l = dropTargetFor(window)) {
        action = l->drop(window, position, data);
    }
    settle();
    return action;
}

bool HeadlessWindowSystem::saveWindowPng(UIWindow& window, const std::filesystem::path& path) {
    settle();
    HeadlessNativeWindow* n = native(window);
    if (n == nullptr || n->screen().isNull()) {
        return false;
    }
    // The file is complete or absent, never half-written, so a test looking at it after a
    // failure sees nothing rather than a broken picture.
    AtomicFile file(path.string());
    return file.isOpen() && encodeImage(n->screen(), ImageFormat::Png, {}, file.stream()) &&
           file.commit();
}

} // namespace scalora
