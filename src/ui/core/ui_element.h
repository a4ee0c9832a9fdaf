// The base of every widget: geometry, flags, children (owned), style class, focus policy,
// signals per event kind, and the one dispatch routine `event` that applies the toolkit's rules
// (disabled and dead elements, grab, focus, click synthesis, Tab traversal, hover, closing)
// before calling the empty hooks that widgets override.
#pragma once

#include "base/geometry.h"
#include "ui/core/ui_event.h"
#include "ui/core/ui_event_queue.h"
#include "ui/core/ui_signal.h"
#include "ui/core/ui_timers.h"
#include "ui/style/style_ids.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace scalora {

class Canvas;
class UILayout;
class UISkin;
class UIWindow;

enum UIElementFlag : std::uint32_t {
    kIsWindow = 0x1,
    kInitialized = 0x4,
    kDead = 0x8,
    kAcceptsDoubleClick = 0x10,
    kEnabled = 0x20,
    kVisible = 0x40,
    kHovered = 0x80,
    kPressed = 0x100,
    kTracksHover = 0x400,
    // On a window element the same bit means that the window previews the keys of its
    // elements before they do; an open popup window with it takes the keys of its owner's
    // window.
    kKeyPreview = 0x400,
    kRealized = 0x800,
    kRepaintPending = 0x2000,
    kParentBackground = 0x4000,
    kMouseTransparent = 0x80000,
};

// Focus policy bits. Tab traversal visits elements with kTabFocus; a press focuses elements
// with kClickFocus.
enum UIFocusPolicy : std::uint8_t {
    kNoFocus = 0,
    kTabFocus = 1,
    kClickFocus = 2,
    kStrongFocus = 3,
};

enum UIElementOption : std::uint32_t {
    kAcceptsDrops = 2,
};

// How an element takes part in a layout along one axis.
enum class UISizePolicy : std::int32_t {
    Preferred = 0, // the size hint, grows when no expanding neighbour wants the room
    Fixed = 1,     // exactly the size hint
    Expanding = 2, // the size hint, and takes the spare room first
};

class UIElement : public UIEventReceiver, public UITimerReceiver {
public:
    using EventSignal = UISignal<UIEvent&>;

    explicit UIElement(UIElement* parent = nullptr);
    ~UIElement() override;

    // Tree. Children are owned: they are destroyed with their parent.
    UIElement* parent() const { return parent_; }
    const std::vector<UIElement*>& children() const { return children_; }
    // The nearest ancestor (or self) that is a window, or null.
    UIWindow* window() const;
    bool isAncestorOf(const UIElement* other) const;

    // The element's own lock, for other threads that read it.
    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }

    // A unique positive number; the first element of the process gets 1.
    std::uint64_t id() const { return id_; }
    const std::string& styleClass() const { return styleClass_; }
    std::uint64_t styleClassHash() const { return styleClassHash_; }
    // Every widget constructor calls this once with its class name: it stores the name and its
    // hash, gives a window element its native window, marks the element Initialized and hidden,
    // and hands it the current style's model and skins for the class (setStyleProperty, then
    // setSkinImage). The recipe in src/ui/widgets/README.md says what the constructor does next.
    virtual void setStyleClass(const std::string& name);
    // Style hooks: widgets parse their own properties and take their own skin images.
    virtual void setStyleProperty(const std::string& name, const std::string& value);
    virtual void setSkinImage(const std::string& name, const UISkin& skin);

    std::uint32_t flags() const { return flags_; }
    bool hasFlag(std::uint32_t flag) const { return (flags_ & flag) == flag; }
    // Changes one flag with its side effects (Enabled, Visible, ParentBackground, IsWindow);
    // nothing happens when the flag already has the value.
    void setFlag(std::uint32_t flag, bool on);
    bool isWindow() const { return hasFlag(kIsWindow); }
    bool isEnabled() const { return hasFlag(kEnabled); }
    bool isVisible() const { return hasFlag(kVisible); }
    bool isDead() const { return hasFlag(kDead); }
    bool isInitialized() const { return hasFlag(kInitialized); }
    // Visible itself and every ancestor up to its window visible.
    bool isVisibleOnScreen() const;

    // Geometry: position in the parent's coordinates and size.
    std::int32_t x() const { return x_; }
    std::int32_t y() const { return y_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    Point position() const { return {x_, y_}; }
    Size size() const { return {width_, height_}; }
    Rect rect() const { return {0, 0, width_, height_}; }
    Rect geometry() const { return {x_, y_, width_, height_}; }
    // Send Move and Resize events (the dispatcher stores and clamps the values).
    virtual void setPosition(std::int32_t x, std::int32_t y);
    virtual void setSize(std::int32_t width, std::int32_t height);
    void setGeometry(const Rect& r);
    Size minimumSize() const { return minimum_; }
    Size maximumSize() const { return maximum_; }
    // 0 means no limit in that direction.
    void setMinimumSize(Size size);
    void setMaximumSize(Size size);
    Size clampedSize(Size size) const;
    // Point and rectangle mapping between the element, its ancestors and its window.
    Point mapFromAncestor(const UIElement* ancestor, Point p) const;
    Point mapToAncestor(const UIElement* ancestor, Point p) const;
    Point mapFromWindow(Point p) const { return mapFromAncestor(nullptr, p); }
    Point mapToWindow(Point p) const { return mapToAncestor(nullptr, p); }
    // The element's rectangle in its window's coordinates.
    Rect windowRect() const;
    // The part of windowRect() not cut away by ancestors.
    Rect visibleWindowRect() const;

    // Layout.
    virtual Size sizeHint() const;
    virtual Size minimumSizeHint() const;
    virtual Margins contentsMargins() const;
    UISizePolicy horizontalPolicy() const { return horizontalPolicy_; }
    UISizePolicy verticalPolicy() const { return verticalPolicy_; }
    void setSizePolicy(UISizePolicy horizontal, UISizePolicy vertical);
    void setLayout(std::unique_ptr<UILayout> layout);
    UILayout* layout() const { return layout_.get(); }
    // Places the children by the layout (if any) in the rect minus the contents margins.
    void relayout();

    // Visibility and enabling.
    virtual void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    virtual void enable();
    virtual void disable();
    void setEnabled(bool enabled) { enabled ? enable() : disable(); }

    // Focus.
    std::uint8_t focusPolicy() const { return focusPolicy_; }
    void setFocusPolicy(std::uint8_t policy) { focusPolicy_ = policy; }
    void setFocus();
    bool hasFocus() const;
    // Can take the focus now through Tab traversal.
    bool isTabFocusable() const;

    std::uint32_t options() const { return options_; }
    void setOption(std::uint32_t option, bool on);
    bool acceptsDrops() const { return (options_ & kAcceptsDrops) != 0; }

    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string text) { toolTip_ = std::move(text); }
    // The tool tip for a point inside the element; lists and labels give per-point texts.
    virtual std::string toolTipText(Point point) const;

    // The cursor shown over the element (Inherit: its parent's).
    CursorId cursorId() const { return cursorId_; }
    void setCursorId(CursorId cursor) { cursorId_ = cursor; }

    // The menu shown on a right-button release inside the element (not owned).
    void setContextMenu(UIElement* menu) { contextMenu_ = menu; }
    UIElement* contextMenu() const { return contextMenu_; }
    // Shows this element as a popup at a screen point; menus override it.
    virtual void popupAt(Point screenPosition);

    // Asks for a repaint of the whole element or of a part (element coordinates). Painting
    // happens later, in the paint cycle.
    void update();
    void update(const Rect& part);
    // The canvas the element paints into during the paint cycle.
    Canvas* canvas() const { return canvas_.get(); }

    // The deepest visible, not mouse-transparent descendant under a point of this element
    // (windows excluded), or this element itself.
    UIElement* hitTest(Point p);

    // Closes the element: it stops receiving events, gives up grab and focus, ends a modal loop
    // it runs, hides, leaves its parent and is deleted later by the run loop (unless
    // setDeleteOnClose(false)). Only an Initialized element closes; returns whether it did.
    bool close();
    bool deleteOnClose() const { return deleteOnClose_; }
    void setDeleteOnClose(bool on) { deleteOnClose_ = on; }

    // The signal of one event kind (emitted after the handler ran).
    EventSignal& signal(UIEventType type);

    // Timers of this element, keyed by id.
    bool startTimer(std::int64_t intervalMs, std::int64_t id);
    bool stopTimer(std::int64_t id);
    bool isTimerActive(std::int64_t id) const;

    // Sends (delivers now) or posts (queues) an event to this element.
    bool sendEvent(UIEvent& e);
    void postEvent(const UIEvent& e);

    // The dispatch routine.
    bool event(UIEvent& e) override;
    void onTimer(std::int64_t id) override;

    // Detaches a child without deleting it (ownership passes to the caller).
    void removeChild(UIElement* child);
    // Moves an element under a new parent (appended at the tail).
    void setParent(UIElement* parent);

protected:
    // Hooks with empty base behaviour.
    virtual void paintEvent(UIEvent& e);
    virtual void resizeEvent(UIEvent& e);
    virtual void moveEvent(UIEvent& e);
    virtual void keyPressEvent(UIEvent& e);
    virtual void keyReleaseEvent(UIEvent& e);
    virtual void mousePressEvent(UIEvent& e);
    virtual void mouseReleaseEvent(UIEvent& e);
    virtual void mouseClickEvent(UIEvent& e);
    virtual void mouseDoubleClickEvent(UIEvent& e);
    virtual void wheelEvent(UIEvent& e);
    virtual void enterEvent(UIEvent& e);
    virtual void leaveEvent(UIEvent& e);
    virtual void mouseMoveEvent(UIEvent& e);
    virtual void timerEvent(UIEvent& e);
    virtual void focusInEvent(UIEvent& e);
    virtual void focusOutEvent(UIEvent& e);
    virtual void showEvent(UIEvent& e);
    virtual void hideEvent(UIEvent& e);
    virtual void changeEvent(UIEvent& e);
    virtual void closeEvent(UIEvent& e);
    virtual void externalMessageEvent(UIEvent& e);
    virtual void dragEnterEvent(UIEvent& e);
    virtual void dragMoveEvent(UIEvent& e);
    virtual void dragLeaveEvent(UIEvent& e);
    virtual void dropEvent(UIEvent& e);

    // Window elements carry their own native window; UIWindow overrides these.
    virtual void nativeSetEnabled(bool enabled);
    virtual void nativeShow();
    virtual void nativeHide();
    virtual void endModalLoop();
    virtual void sizeLimitsChanged();
    // A window's destructor closes it while it is still a window.
    void closeBeforeDestruction() { closeElement(true); }
    // Deletes the children now (a window does it while it is still a window).
    void destroyChildren();

private:
    friend class UIPaintCycle;
    friend class UIToolkit;

    void applyEnabled(bool on);
    void applyVisible(bool on);
    void handleKeyPress(UIEvent& e);
    void handleKeyRelease(UIEvent& e);
    void handleHoverTick(UIEvent& e);
    void callHandler(UIEvent& e);
    void closeElement(bool destroying);
    Canvas& ensureCanvas();

    std::recursive_mutex mutex_;
    std::array<std::unique_ptr<EventSignal>, kEventTypeCount> signals_;
    UIElement* parent_ = nullptr;
    std::vector<UIElement*> children_;
    std::unique_ptr<UILayout> layout_;
    std::unique_ptr<Canvas> canvas_;
    UIElement* contextMenu_ = nullptr;
    std::uint64_t id_ = 0;
    std::string styleClass_;
    std::uint64_t styleClassHash_ = 0;
    std::uint32_t flags_ = kEnabled;
    std::uint8_t focusPolicy_ = kNoFocus;
    std::uint32_t options_ = 0;
    std::string toolTip_;
    CursorId cursorId_ = CursorId::Inherit;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::int32_t width_ = 1;
    std::int32_t height_ = 1;
    Size minimum_;
    Size maximum_;
    UISizePolicy horizontalPolicy_ = UISizePolicy::Preferred;
    UISizePolicy verticalPolicy_ = UISizePolicy::Preferred;
    bool deleteOnClose_ = true;
    bool pressAcceptedByWindow_ = false;
    bool inDestructor_ = false;
};

// The style-class hash: h = h * 101 + c over the UTF-16 code units, wrapping at 64 bits.
std::uint64_t styleClassHash(const std::string& name);

} // namespace scalora
