// Dispatch rules on the headless backend: clicks, grab, context menus, disabled subtrees, Tab
// traversal, key preview, hover, double clicks, closing and modal loops.
#include "ui/core/ui_timers.h"
#include "ui/core/window_system_monitors.h"
#include "ui_test_fixture.h"

#include <gmock/gmock.h>

namespace scalora::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The log of one element without the pointer moves that every injected press brings along.
std::vector<std::string> withoutMoves(std::vector<std::string> entries) {
    std::erase(entries, "MouseMove");
    return entries;
}

TEST_F(UITest, PressAndReleaseInsideClickOnce) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    log.clear();

    sys().mousePress(*w, {20, 20});
    EXPECT_TRUE(a->hasFlag(kPressed));
    EXPECT_EQ(toolkit().mouseGrabber(), a);
    EXPECT_EQ(a->lastEvent.position, (Point{10, 10}));
    EXPECT_EQ(a->lastEvent.screenPosition, (Point{120, 70}));

    sys().mouseRelease(*w, {25, 22});
    EXPECT_FALSE(a->hasFlag(kPressed));
    EXPECT_EQ(toolkit().mouseGrabber(), nullptr);
    EXPECT_THAT(withoutMoves(logOf("a")), ElementsAre("MousePress", "MouseRelease", "MouseClick"));
    EXPECT_EQ(a->lastEvent.type, UIEventType::MouseClick);
    EXPECT_EQ(a->lastEvent.position, (Point{15, 12}));
    EXPECT_EQ(a->lastEvent.button, kLeftButton);
    EXPECT_THAT(withoutMoves(logOf("win")), IsEmpty());
}

TEST_F(UITest, ReleaseOutsideThePressedElementGivesNoClick) {
    RecordingWindow* w = makeWindow();
    makeChild(w, "a", {10, 10, 50, 30});
    makeChild(w, "b", {100, 10, 50, 30});
    log.clear();

    sys().mousePress(*w, {20, 20});
    // Dragged over the neighbour: the grab keeps the pointer with the pressed element.
    sys().mouseMove(*w, {110, 20});
    sys().mouseRelease(*w, {110, 20});
    EXPECT_THAT(withoutMoves(logOf("a")), ElementsAre("MousePress", "MouseRelease"));
    EXPECT_THAT(logOf("b"), IsEmpty());

    // With the grab gone the neighbour gets its own click.
    sys().click(*w, {110, 20});
    EXPECT_THAT(withoutMoves(logOf("b")), ElementsAre("MousePress", "MouseRelease", "MouseClick"));
}

TEST_F(UITest, RightReleaseInsideShowsTheContextMenuAtTheCursor) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    auto* menu = new UIWindow(a, kWindowPopup);
    menu->setStyleClass("UIMenu");
    menu->setSize(40, 60);
    a->setContextMenu(menu);

    sys().click(*w, {20, 25}, kRightButton);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->position(), (Point{120, 75}));
    EXPECT_EQ(toolkit().popup(), menu);
    EXPECT_EQ(toolkit().popupOwner(), a);
    // A popup never takes the focus from the window.
    EXPECT_FALSE(HeadlessWindowSystem::native(*menu)->isActive());

    // A key press on the owner closes its popup.
    toolkit().setFocus(a);
    sys().keyPress(*w, vk::kEscape);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(toolkit().popup(), nullptr);

    // A right press inside and release outside: no menu; a left click: no menu.
    sys().mousePress(*w, {20, 25}, kRightButton);
    sys().mouseRelease(*w, {150, 80}, kRightButton);
    sys().click(*w, {20, 25}, kLeftButton);
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(UITest, DisablingAParentDisablesItsSubtreeButNotChildWindows) {
    RecordingWindow* w = makeWindow();
    RecordingElement* p = makeChild(w, "p", {10, 10, 150, 80});
    RecordingElement* c1 = makeChild(p, "c1", {5, 5, 40, 20});
    RecordingElement* c2 = makeChild(p, "c2", {50, 5, 40, 20});
    c1->setFocusPolicy(kStrongFocus);
    c2->setFocusPolicy(kStrongFocus);
    auto* popup = new UIWindow(p, kWindowPopup);
    popup->setStyleClass("UIToolTip");
    c1->setFocus();
    log.clear();

    p->disable();
    EXPECT_FALSE(c1->isEnabled());
    EXPECT_FALSE(c2->isEnabled());
    EXPECT_TRUE(popup->isEnabled());
    EXPECT_EQ(toolkit().focusElement(), nullptr);
    EXPECT_THAT(logOf("c1"), ElementsAre("FocusOut", "EnabledChange"));
    EXPECT_THAT(logOf("c2"), ElementsAre("EnabledChange"));
    EXPECT_THAT(logOf("p"), ElementsAre("EnabledChange"));

    // Input for the disabled subtree is dropped, and Tab moves no focus into it.
    log.clear();
    sys().click(*w, {20, 20});
    sys().keyPress(*w, vk::kTab);
    EXPECT_THAT(logOf("c1"), IsEmpty());
    EXPECT_EQ(toolkit().focusElement(), nullptr);

    p->enable();
    EXPECT_TRUE(c1->isEnabled());
    EXPECT_TRUE(c2->isEnabled());
    sys().keyPress(*w, vk::kTab);
    EXPECT_EQ(toolkit().focusElement(), c1);
    sys().click(*w, {65, 20});
    EXPECT_EQ(toolkit().focusElement(), c2);
}

TEST_F(UITest, TabVisitsFocusableElementsInTreeOrderAndShiftTabGoesBack) {
    RecordingWindow* w = makeWindow({300, 100});
    RecordingElement* a = makeChild(w, "a", {0, 0, 20, 20});
    RecordingElement* b = makeChild(w, "b", {30, 0, 20, 20}); // takes no focus
    RecordingElement* box = makeChild(w, "box", {60, 0, 100, 50});
    RecordingElement* hidden = makeChild(box, "hidden", {0, 0, 10, 10});
    RecordingElement* d = makeChild(box, "d", {20, 0, 10, 10});
    RecordingElement* f = makeChild(w, "f", {200, 0, 20, 20});
    for (UIElement* e : {static_cast<UIElement*>(a), static_cast<UIElement*>(hidden),
                         static_cast<UIElement*>(d), static_cast<UIElement*>(f)}) {
        e->setFocusPolicy(kStrongFocus);
    }
    hidden->hide();
    (void)b;

    std::vector<UIElement*> seen;
    for (int i = 0; i < 4; ++i) {
        sys().keyPress(*w, vk::kTab);
        seen.push_back(toolkit().focusElement());
    }
    EXPECT_THAT(seen, ElementsAre(a, d, f, a));
    sys().keyPress(*w, vk::kTab, kShiftModifier);
    EXPECT_EQ(toolkit().focusElement(), f);
    sys().keyPress(*w, vk::kTab, kShiftModifier);
    EXPECT_EQ(toolkit().focusElement(), d);
}

TEST_F(UITest, WindowWithKeyPreviewSeesKeysFirst) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    a->setFocus();
    w->setFlag(kKeyPreview, true);
    w->acceptKeys = true;
    log.clear();

    sys().keyPress(*w, 'A');
    sys().keyRelease(*w, 'A');
    EXPECT_THAT(logOf("win"), ElementsAre("KeyPress", "KeyRelease"));
    EXPECT_THAT(logOf("a"), IsEmpty());

    log.clear();
    w->acceptKeys = false;
    sys().keyPress(*w, 'B');
    sys().keyRelease(*w, 'B');
    EXPECT_THAT(log, ElementsAre("win:KeyPress", "a:KeyPress", "win:KeyRelease", "a:KeyRelease"));
    EXPECT_EQ(a->lastEvent.key, 'B');

    // Without the flag the window is not asked.
    log.clear();
    w->setFlag(kKeyPreview, false);
    sys().typeText(*w, "é");
    EXPECT_THAT(log, ElementsAre("a:KeyPress"));
    EXPECT_EQ(a->lastEvent.key, 0);
    EXPECT_EQ(a->lastEvent.text, "é");
}

TEST_F(UITest, HoverLeaveArrivesWithinOneTickAfterThePointerLeaves) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    a->setFlag(kTracksHover, true);
    log.clear();

    sys().mouseMove(*w, {20, 20});
    sys().mouseMove(*w, {30, 25});
    sys().advance(40);
    EXPECT_THAT(withoutMoves(logOf("a")), ElementsAre("MouseEnter"));
    EXPECT_TRUE(a->hasFlag(kHovered));

    sys().mouseMove(*w, {150, 80});
    sys().advance(20);
    EXPECT_THAT(withoutMoves(logOf("a")), ElementsAre("MouseEnter", "MouseLeave"));
    EXPECT_FALSE(a->hasFlag(kHovered));
    EXPECT_FALSE(a->isTimerActive(kHoverTimerId));

    // Leaving the window altogether counts the same.
    log.clear();
    sys().mouseMove(*w, {20, 20});
    sys().pointerLeaves(*w);
    sys().advance(20);
    EXPECT_THAT(withoutMoves(logOf("a")), ElementsAre("MouseEnter", "MouseLeave"));
}

TEST_F(UITest, DoubleClickNeedsTheTimeAndTheRectangle) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    RecordingElement* plain = makeChild(w, "plain", {100, 10, 50, 30});
    a->setFlag(kAcceptsDoubleClick, true);
    log.clear();

    sys().click(*w, {20, 20});
    sys().advance(400);
    sys().click(*w, {22, 22}); // 2 px away, 400 ms later
    EXPECT_THAT(withoutMoves(logOf("a")),
                ElementsAre("MousePress", "MouseRelease", "MouseClick", "MouseDoubleClick",
                            "MouseRelease", "MouseClick"));

    // A third press starts over.
    log.clear();
    sys().click(*w, {22, 22});
    EXPECT_THAT(withoutMoves(logOf("a")), ElementsAre("MousePress", "MouseRelease", "MouseClick"));

    // Too late, or too far.
    log.clear();
    sys().advance(501);
    sys().click(*w, {22, 22});
    sys().advance(10);
    sys().click(*w, {25, 22});
    EXPECT_THAT(withoutMoves(logOf("a")), ElementsAre("MousePress", "MouseRelease", "MouseClick",
                                                      "MousePress", "MouseRelease", "MouseClick"));

    // The middle button never double-clicks; an element without the flag neither.
    log.clear();
    sys().advance(1000);
    sys().click(*w, {30, 20}, kMiddleButton);
    sys().click(*w, {30, 20}, kMiddleButton);
    sys().click(*w, {110, 20});
    sys().click(*w, {110, 20});
    EXPECT_EQ(std::count(log.begin(), log.end(), "a:MouseDoubleClick"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "plain:MouseDoubleClick"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "plain:MousePress"), 2);
    (void)plain;
}

TEST_F(UITest, ClosingAWindowEndsItsModalLoopAndDeletesItLater) {
    RecordingWindow* main = makeWindow();
    makeChild(main, "inMain", {0, 0, 20, 20});
    auto* dialog = new RecordingWindow("dlg", &log);
    dialog->setGeometry({10, 10, 120, 80});
    bool childDestroyed = false;
    RecordingElement* field = makeChild(dialog, "field", {5, 5, 50, 20});
    field->destroyed = &childDestroyed;
    field->setFocusPolicy(kStrongFocus);
    int idleCalls = 0;
    sys().setIdleHook([&] {
        ++idleCalls;
        if (idleCalls == 1) {
            // While the dialog runs, the main window takes no input.
            sys().click(*main, {10, 10});
            sys().click(*dialog, {10, 10});
            sys().requestClose(*dialog);
        }
    });
    dialog->setModalResult(7);
    log.clear();
    EXPECT_EQ(dialog->exec(), 7);
    EXPECT_FALSE(toolkit().quitRequested());
    EXPECT_EQ(idleCalls, 1);
    EXPECT_TRUE(dialog->isDead());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(toolkit().focusElement(), nullptr);
    EXPECT_THAT(logOf("inMain"), IsEmpty());
    EXPECT_THAT(withoutMoves(logOf("field")),
                ElementsAre("FocusIn", "MousePress", "MouseRelease", "MouseClick", "FocusOut"));
    EXPECT_FALSE(childDestroyed);
    toolkit().processEvents();
    EXPECT_TRUE(childDestroyed);
    sys().setIdleHook(nullptr);
}

TEST_F(UITest, EventsQueuedForADestroyedElementAreDropped) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    RecordingElement* b = makeChild(w, "b", {100, 10, 50, 30});
    log.clear();
    a->postEvent(UIEvent::valueEvent(UIEventType::ExternalMessage, 1));
    b->postEvent(UIEvent::valueEvent(UIEventType::ExternalMessage, 2));
    a->postEvent(UIEvent::mouse(UIEventType::MouseClick, 0, kLeftButton, {1, 1}));
    delete a;
    toolkit().processEvents();
    EXPECT_THAT(log, ElementsAre("b:ExternalMessage"));
    EXPECT_FALSE(UIEventQueue::instance().hasPending());

    // A closed element is dead at once and receives nothing before it is deleted.
    bool destroyed = false;
    b->destroyed = &destroyed;
    b->postEvent(UIEvent::valueEvent(UIEventType::ExternalMessage, 3));
    EXPECT_TRUE(b->close());
    EXPECT_TRUE(b->isDead());
    EXPECT_EQ(b->parent(), nullptr);
    EXPECT_TRUE(w->children().empty());
    log.clear();
    toolkit().processEvents();
    EXPECT_THAT(log, IsEmpty());
    EXPECT_TRUE(destroyed);
}

TEST_F(UITest, TimerStartedTwiceRunsOnce) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    const std::size_t before = UITimerRegistry::instance().count();
    EXPECT_TRUE(a->startTimer(100, 7));
    EXPECT_FALSE(a->startTimer(30, 7));
    EXPECT_EQ(UITimerRegistry::instance().count(), before + 1);
    log.clear();
    sys().advance(99);
    EXPECT_THAT(logOf("a"), IsEmpty());
    sys().advance(1);
    sys().advance(100);
    EXPECT_THAT(logOf("a"), ElementsAre("Timer", "Timer"));
    EXPECT_EQ(a->lastEvent.value, 7);
    EXPECT_TRUE(a->stopTimer(7));
    EXPECT_FALSE(a->stopTimer(7));
    sys().advance(500);
    EXPECT_EQ(logOf("a").size(), 2u);
    // Timers die with their element.
    a->startTimer(10, 8);
    delete a;
    EXPECT_EQ(UITimerRegistry::instance().count(), before);
    sys().advance(50);
}

TEST_F(UITest, ResizeClampsToPositiveLimitsAndMoveStoresThePosition) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    a->setMinimumSize({50, 20});
    a->setSize(10, 10);
    EXPECT_EQ(a->size(), (Size{50, 20}));
    a->setSize(500, 400);
    EXPECT_EQ(a->size(), (Size{500, 400}));
    a->setMaximumSize({100, 0});
    EXPECT_EQ(a->size(), (Size{100, 400}));
    EXPECT_EQ(a->lastEvent.oldSize, (Size{500, 400}));
    EXPECT_EQ(a->lastEvent.newSize, (Size{100, 400}));
    a->setPosition(-5, 7);
    EXPECT_EQ(a->position(), (Point{-5, 7}));
    EXPECT_EQ(a->lastEvent.oldPosition, (Point{10, 10}));

    // A window follows the size the user gives its frame, within its limits.
    w->setMinimumSize({150, 80});
    sys().resizeWindow(*w, {120, 300});
    EXPECT_EQ(w->size(), (Size{150, 300}));
    sys().moveWindow(*w, {300, 200});
    EXPECT_EQ(w->position(), (Point{300, 200}));
}

TEST_F(UITest, HitTestingSkipsHiddenAndMouseTransparentChildrenAndTakesTheFirst) {
    RecordingWindow* w = makeWindow();
    RecordingElement* under = makeChild(w, "under", {0, 0, 100, 100});
    RecordingElement* over = makeChild(w, "over", {0, 0, 100, 100});
    RecordingElement* inner = makeChild(under, "inner", {10, 10, 20, 20});
    EXPECT_EQ(w->hitTest({15, 15}), inner);
    inner->setFlag(kMouseTransparent, true);
    EXPECT_EQ(w->hitTest({15, 15}), under);
    under->hide();
    EXPECT_EQ(w->hitTest({15, 15}), over);
    EXPECT_EQ(w->hitTest({150, 15}), w);
}

TEST_F(UITest, FrameCloseButtonSendsCloseAndTheWindowGoesAway) {
    RecordingWindow* w = makeWindow();
    bool destroyed = false;
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    a->destroyed = &destroyed;
    a->setFocus();
    sys().mousePress(*w, {20, 20});
    ASSERT_EQ(toolkit().mouseGrabber(), a);
    UINativeWindow* native = w->nativeWindow();
    ASSERT_NE(native, nullptr);
    log.clear();

    UIEvent close(UIEventType::Close);
    w->sendEvent(close);
    EXPECT_THAT(logOf("win"), ElementsAre("Close"));
    EXPECT_TRUE(w->isDead());
    EXPECT_EQ(toolkit().mouseGrabber(), nullptr);
    EXPECT_EQ(toolkit().focusElement(), nullptr);
    EXPECT_FALSE(native->isVisible());
    EXPECT_FALSE(destroyed);
    toolkit().processEvents();
    EXPECT_TRUE(destroyed);
}

TEST_F(UITest, WindowStateChangesAndTheExternalRelay) {
    RecordingWindow* w = makeWindow();
    log.clear();
    w->minimize();
    toolkit().processEvents();
    EXPECT_THAT(logOf("win"), ElementsAre("WindowStateChange"));
    EXPECT_TRUE(w->nativeWindow()->isMinimized());

    // 0 brings the window back; another value is handed to the window.
    w->hide();
    toolkit().input().externalMessage(w, 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->nativeWindow()->isMinimized());
    EXPECT_TRUE(w->nativeWindow()->isActive());
    log.clear();
    // Relayed through the queue, as the single-instance listener thread does.
    toolkit().setExternalMessageTarget(w);
    toolkit().postExternalMessage(5);
    EXPECT_THAT(logOf("win"), IsEmpty());
    toolkit().processEvents();
    EXPECT_THAT(logOf("win"), ElementsAre("ExternalMessage"));
}

TEST_F(UITest, SignalsRunInConnectionOrderAfterTheHandler) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    std::vector<std::string> order;
    UIConnectionId second = 0;
    a->signal(UIEventType::MouseClick).connect([&](UIEvent&) { order.push_back("first"); });
    second = a->signal(UIEventType::MouseClick).connect([&](UIEvent&) {
        order.push_back("second");
        // Disconnecting itself while the signal runs is allowed.
        a->signal(UIEventType::MouseClick).disconnect(second);
    });
    a->signal(UIEventType::MouseClick).connect([&](UIEvent&) {
        order.push_back(log.empty() ? "no handler yet" : log.back());
    });
    log.clear();
    sys().click(*w, {20, 20});
    sys().click(*w, {20, 20});
    EXPECT_THAT(order, ElementsAre("first", "second", "a:MouseClick", "first", "a:MouseClick"));
}

TEST_F(UITest, IdsAreUniqueAndStyleClassHashFollowsTheNameCodeUnits) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {0, 0, 1, 1});
    RecordingElement* b = makeChild(w, "b", {0, 0, 1, 1});
    EXPECT_GT(a->id(), w->id());
    EXPECT_EQ(b->id(), a->id() + 1);
    EXPECT_EQ(toolkit().findElement(b->id()), b);
    EXPECT_EQ(styleClassHash(""), 0u);
    EXPECT_EQ(styleClassHash("ab"), 97u * 101u + 98u);
    // "é" is one UTF-16 code unit (0xE9) though two UTF-8 bytes.
    EXPECT_EQ(styleClassHash("é"), 0xE9u);
    EXPECT_EQ(a->styleClassHash(), styleClassHash("RecordingElement"));
    EXPECT_TRUE(a->isInitialized());
}

} // namespace
} // namespace scalora::test

namespace scalora::test {
namespace {

TEST_F(UITest, MonitorsComeFromTheWindowSystem) {
    sys().setDisplays({{{0, 0, 1920, 1080}, {0, 32, 1920, 1048}},
                       {{1920, 0, 1280, 1024}, {1920, 0, 1280, 1024}}});
    const WindowSystemMonitors monitors(sys());
    EXPECT_EQ(monitors.monitorRects().size(), 2u);
    EXPECT_EQ(monitors.primaryMonitorRect(), (Rect{0, 0, 1920, 1080}));
    EXPECT_EQ(primaryWorkAreaOrFallback(monitors), (Rect{0, 32, 1920, 1048}));
    sys().setDisplays({});
    EXPECT_EQ(primaryWorkAreaOrFallback(monitors), kFallbackScreenRect);
}

TEST_F(UITest, WheelGoesToTheElementUnderThePointer) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    log.clear();
    sys().wheel(*w, {20, 20}, -240);
    EXPECT_THAT(logOf("a"), ElementsAre("Wheel"));
    EXPECT_EQ(a->lastEvent.delta, -240);
    EXPECT_EQ(a->lastEvent.orientation, kWheelVertical);
    EXPECT_EQ(a->lastEvent.position, (Point{10, 10}));
}

} // namespace
} // namespace scalora::test

namespace scalora::test {
namespace {

class CountingDropListener : public UIDropListener {
public:
    void dragEnter(UIWindow& window, Point, std::uint32_t) override {
        calls.push_back("enter:" + window.styleClass());
    }
    void dragMove(UIWindow& window, Point, std::uint32_t) override {
        calls.push_back("move:" + window.styleClass());
    }
    void dragLeave(UIWindow& window) override { calls.push_back("leave:" + window.styleClass()); }
    std::uint32_t drop(UIWindow& window, Point, const UIDropPayload& data) override {
        calls.push_back("drop:" + window.styleClass() + ":" +
                        std::to_string(data.filePaths.size()));
        return kDropCopy;
    }
    std::vector<std::string> calls;
};

TEST_F(UITest, PopupWindowsNeverTakeDrops) {
    CountingDropListener listener;
    toolkit().setDropListener(&listener);
    RecordingWindow* w = makeWindow();
    auto* menu = new UIWindow(w, kWindowPopup);
    menu->setStyleClass("UIMenu");
    menu->setGeometry({0, 0, 50, 50});
    menu->show();
    const UIDropPayload files{{"/tmp/a.jpg", "/tmp/b.png"}, "", false};
    sys().dragEnter(*menu, {5, 5});
    EXPECT_EQ(sys().drop(*menu, {5, 5}, files), kDropNone);
    sys().dragEnter(*w, {5, 5});
    sys().dragMove(*w, {6, 6});
    EXPECT_EQ(sys().drop(*w, {6, 6}, files), kDropCopy);
    EXPECT_THAT(listener.calls, ElementsAre("enter:UIWindow", "move:UIWindow", "drop:UIWindow:2"));
    toolkit().setDropListener(nullptr);
}

} // namespace
} // namespace scalora::test

namespace scalora::test {
namespace {

// A display that refuses every window, as SDL does when the server runs out of resources.
class RefusingWindowSystem : public HeadlessWindowSystem {
public:
    std::unique_ptr<UINativeWindow> createWindow(UIWindow&, std::uint32_t) override {
        return nullptr;
    }
};

TEST(UIWindowTest, AWindowTheWindowSystemCannotMakeStaysHiddenAndPaintsNothing) {
    UIToolkit toolkit(std::make_unique<RefusingWindowSystem>());
    auto* w = new RecordingWindow("win", nullptr);
    w->setGeometry({10, 10, 80, 60});
    w->show();
    toolkit.processEvents();
    EXPECT_EQ(w->nativeWindow(), nullptr);
    EXPECT_FALSE(w->isVisible());
}

} // namespace
} // namespace scalora::test
