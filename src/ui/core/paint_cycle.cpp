#include "ui/core/paint_cycle.h"

#include "ui/core/ui_element.h"
#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"

namespace scalora {

bool UIPaintCycle::paint(UIWindow& window) {
    if (!window.isVisible() || window.isDead() || window.nativeWindow() == nullptr ||
        window.dirtyRect().isEmpty()) {
        return false;
    }
    Canvas& target = window.windowCanvas();
    if (target.size() != window.size()) {
        target.resize(window.width(), window.height());
        window.markDirty(window.rect());
    }
    const Rect dirty = window.dirtyRect().intersected(window.rect());
    window.clearDirty();
    if (dirty.isEmpty()) {
        return false;
    }
    target.resetClip();
    target.setOrigin({0, 0});
    target.clipTo(dirty);
    UIEvent e(UIEventType::Paint);
    e.rect = dirty;
    e.canvas = &target;
    window.sendEvent(e);
    target.resetClip();
    target.setOrigin({0, 0});
    // Index loop: children may not change during painting, but a handler that closes one
    // must not leave us walking a stale iterator.
    for (std::size_t i = 0; i < window.children().size(); ++i) {
        paintElement(window, *window.children()[i], dirty, {0, 0});
    }
    window.nativeWindow()->present(target.image(), dirty);
    return true;
}

void UIPaintCycle::paintAll(UIWindow& window) {
    window.markDirty(window.rect());
    paint(window);
}

void UIPaintCycle::paintElement(UIWindow& window, UIElement& element, const Rect& clip,
                                Point parentOrigin) {
    if (element.isWindow() || !element.isVisible() || element.isDead()) {
        return;
    }
    const Rect inWindow{parentOrigin.x + element.x(), parentOrigin.y + element.y(), element.width(),
                        element.height()};
    const Rect visible = inWindow.intersected(clip);
    if (visible.isEmpty()) {
        return;
    }
    Canvas& canvas = element.ensureCanvas();
    canvas.resize(element.width(), element.height());
    const Rect local = visible.translated(-inWindow.x, -inWindow.y);
    canvas.resetClip();
    canvas.setOrigin({0, 0});
    Canvas& target = window.windowCanvas();
    if (element.hasFlag(kParentBackground)) {
        canvas.copyFrom(target, visible, local.topLeft());
    }
    canvas.clipTo(local);
    UIEvent e(UIEventType::Paint);
    e.rect = local;
    e.canvas = &canvas;
    element.sendEvent(e);
    canvas.resetClip();
    canvas.setOrigin({0, 0});
    target.copyFrom(canvas, local, visible.topLeft());
    for (std::size_t i = 0; i < element.children().size(); ++i) {
        paintElement(window, *element.children()[i], visible, inWindow.topLeft());
    }
}

} // namespace scalora
