#include "exchange/ui_drag_drop.h"
#include "ui/backend/headless/headless_window_system.h"
#include "ui/core/ui_element.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace scalora {
namespace {

using Log = std::vector<std::string>;

// Records drag events as "<name>:<kind>" (Drop also with the paths it got).
class DropElement : public UIElement {
public:
    DropElement(UIElement* parent, std::string name, Log* log)
        : UIElement(parent), name_(std::move(name)), log_(log) {
        setStyleClass("DropElement");
        setOption(kAcceptsDrops, true);
    }
    bool accept = true;
    std::uint32_t chooseAction = 0; // when set, the element proposes this action instead
    Point lastPosition;
    std::uint32_t lastProposed = 0;
    bool closeOnEnter = false;

protected:
    void dragEnterEvent(UIEvent& e) override {
        record("DragEnter", e);
        if (closeOnEnter) {
            close();
        }
    }
    void dragMoveEvent(UIEvent& e) override { record("DragMove", e); }
    void dragLeaveEvent(UIEvent&) override { log_->push_back(name_ + ":DragLeave"); }
    void dropEvent(UIEvent& e) override {
        std::string entry = name_ + ":Drop";
        for (const std::string& p : e.mimeData->filePaths()) {
            entry += " " + p;
        }
        if (e.mimeData->hasText()) {
            entry += " text=" + e.mimeData->text();
        }
        log_->push_back(entry);
        lastPosition = e.position;
        lastProposed = e.proposedAction;
    }

private:
    void record(const char* kind, UIEvent& e) {
        log_->push_back(name_ + ":" + kind);
        lastPosition = e.position;
        ASSERT_NE(e.mimeData, nullptr);
        if (accept) {
            if (chooseAction != 0) {
                e.proposedAction = chooseAction;
            }
            e.accept();
        }
    }
    std::string name_;
    Log* log_;
};

class DragDropTest : public ::testing::Test {
protected:
    DragDropTest() {
        auto system = std::make_unique<HeadlessWindowSystem>();
        sys_ = system.get();
        toolkit_ = std::make_unique<UIToolkit>(std::move(system));
        dnd_ = std::make_unique<UIDragDrop>();
        dnd_->install();
        window_ = new UIWindow(nullptr);
        window_->setStyleClass("UIWindow");
        window_->setGeometry({100, 50, 300, 200});
        window_->show();
        left_ = new DropElement(window_, "left", &log_);
        left_->setGeometry({10, 10, 100, 100});
        left_->show();
        right_ = new DropElement(window_, "right", &log_);
        right_->setGeometry({150, 10, 100, 100});
        right_->show();
        toolkit_->processEvents();
    }
    ~DragDropTest() override {
        dnd_.reset();
        toolkit_.reset();
    }

    HeadlessWindowSystem* sys_;
    std::unique_ptr<UIToolkit> toolkit_;
    std::unique_ptr<UIDragDrop> dnd_;
    UIWindow* window_;
    DropElement* left_;
    DropElement* right_;
    Log log_;
};

TEST(DropAction, CopyThenMoveThenLink) {
    EXPECT_EQ(chooseDropAction(7), kDropCopy);
    EXPECT_EQ(chooseDropAction(kDropMove | kDropLink), kDropMove);
    EXPECT_EQ(chooseDropAction(kDropLink), kDropLink);
    EXPECT_EQ(chooseDropAction(0), kDropNone);
    EXPECT_EQ(chooseDropAction(8), kDropNone);
}

TEST_F(DragDropTest, EnterMoveLeaveFollowTheCandidateAndDropArrivesAfterTheTimer) {
    sys_->dragEnter(*window_, {5, 5});
    EXPECT_TRUE(log_.empty()); // nothing until the first move
    EXPECT_EQ(dnd_->proposedAction(), kDropNone);
    sys_->dragMove(*window_, {5, 5}); // over the window itself: it takes no drops
    EXPECT_TRUE(log_.empty());
    sys_->dragMove(*window_, {20, 30});
    sys_->dragMove(*window_, {25, 30});
    EXPECT_EQ(dnd_->proposedAction(), kDropCopy);
    EXPECT_EQ(left_->lastPosition, (Point{15, 20}));
    sys_->dragMove(*window_, {160, 20});
    EXPECT_EQ(log_, (Log{"left:DragEnter", "left:DragMove", "left:DragMove", "left:DragLeave",
                         "right:DragEnter", "right:DragMove"}));
    log_.clear();

    UIDropPayload payload;
    payload.filePaths = {"/tmp/one.jpg", "/tmp/two files.png"};
    EXPECT_EQ(sys_->drop(*window_, {170, 40}, payload), kDropCopy);
    EXPECT_TRUE(log_.empty()); // the Drop waits for its timer
    EXPECT_TRUE(dnd_->dropPending());
    sys_->advance(UIDragDrop::kDropDelayMs - 1);
    EXPECT_TRUE(log_.empty());
    sys_->advance(1);
    EXPECT_EQ(log_, (Log{"right:Drop /tmp/one.jpg /tmp/two files.png"}));
    EXPECT_EQ(right_->lastPosition, (Point{20, 30}));
    EXPECT_EQ(right_->lastProposed, kDropCopy);
    EXPECT_FALSE(dnd_->dropPending());
    sys_->advance(100);
    EXPECT_EQ(log_.size(), 1u); // one-shot
}

TEST_F(DragDropTest, RefusingElementsProposeNoneAndTheirOwnChoiceIsKept) {
    left_->accept = false;
    sys_->dragEnter(*window_, {20, 20}, kDropMove | kDropLink);
    sys_->dragMove(*window_, {20, 20}, kDropMove | kDropLink);
    EXPECT_EQ(dnd_->proposedAction(), kDropNone);
    right_->chooseAction = kDropLink;
    sys_->dragMove(*window_, {160, 20}, kDropMove | kDropLink);
    EXPECT_EQ(dnd_->proposedAction(), kDropLink);
    right_->chooseAction = kDropCopy; // not allowed by the source
    sys_->dragMove(*window_, {161, 20}, kDropMove | kDropLink);
    EXPECT_EQ(dnd_->proposedAction(), kDropNone);
    sys_->dragLeave(*window_);
    EXPECT_EQ(log_.back(), "right:DragLeave");
    EXPECT_EQ(dnd_->mimeData(), nullptr);
}

TEST_F(DragDropTest, DisabledElementsAndWindowsAndNonTargetsGetNothing) {
    right_->disable();
    sys_->dragEnter(*window_, {160, 20});
    sys_->dragMove(*window_, {160, 20});
    UIDropPayload payload;
    payload.text = "words";
    payload.hasText = true;
    EXPECT_EQ(sys_->drop(*window_, {160, 20}, payload), kDropNone);
    sys_->advance(50);
    EXPECT_TRUE(log_.empty());

    window_->disable(); // a disabled window builds no data: nothing is a candidate
    sys_->dragEnter(*window_, {20, 20});
    sys_->dragMove(*window_, {20, 20});
    EXPECT_EQ(sys_->drop(*window_, {20, 20}, payload), kDropNone);
    sys_->advance(50);
    EXPECT_TRUE(log_.empty());
    window_->enable();

    left_->setOption(kAcceptsDrops, false);
    sys_->dragEnter(*window_, {20, 20});
    sys_->dragMove(*window_, {20, 20});
    EXPECT_EQ(sys_->drop(*window_, {20, 20}, payload), kDropNone);
    sys_->advance(50);
    EXPECT_TRUE(log_.empty());
}

TEST_F(DragDropTest, TextDropsAndFocusAndADestroyedReceiverGetsNoDrop) {
    left_->setFocusPolicy(kClickFocus);
    UIDropPayload payload;
    payload.text = "typed";
    payload.hasText = true;
    EXPECT_EQ(sys_->drop(*window_, {20, 20}, payload), kDropCopy); // no move before: copy
    EXPECT_TRUE(left_->hasFocus());
    sys_->advance(10);
    EXPECT_EQ(log_, (Log{"left:Drop text=typed"}));

    log_.clear();
    EXPECT_EQ(sys_->drop(*window_, {160, 20}, payload), kDropCopy);
    delete right_;
    sys_->advance(10);
    EXPECT_TRUE(log_.empty());
    EXPECT_FALSE(dnd_->dropPending());
}

TEST_F(DragDropTest, ACandidateThatClosesIsForgotten) {
    left_->closeOnEnter = true;
    sys_->dragEnter(*window_, {20, 20});
    sys_->dragMove(*window_, {20, 20});
    toolkit_->processEvents(); // the closed element is deleted
    sys_->dragMove(*window_, {21, 20});
    sys_->dragLeave(*window_);
    EXPECT_EQ(log_, (Log{"left:DragEnter"}));
}

TEST_F(DragDropTest, PopupsNeverTakeDrops) {
    auto* popup = new UIWindow(nullptr, kWindowPopup);
    popup->setStyleClass("UIWindow");
    popup->setGeometry({0, 0, 50, 50});
    popup->show();
    auto* inside = new DropElement(popup, "inside", &log_);
    inside->setGeometry({0, 0, 50, 50});
    inside->show();
    toolkit_->processEvents();
    sys_->dragEnter(*popup, {5, 5});
    sys_->dragMove(*popup, {5, 5});
    UIDropPayload payload;
    payload.filePaths = {"/x"};
    EXPECT_EQ(sys_->drop(*popup, {5, 5}, payload), kDropNone);
    sys_->advance(20);
    EXPECT_TRUE(log_.empty());
    // Even when the drop layer is called directly.
    dnd_->dragEnter(*popup, {5, 5}, 7);
    dnd_->dragMove(*popup, {5, 5}, 7);
    EXPECT_EQ(dnd_->drop(*popup, {5, 5}, payload), kDropNone);
    sys_->advance(20);
    EXPECT_TRUE(log_.empty());
    delete popup;
}

TEST_F(DragDropTest, OfferedFormatsAreVisibleDuringTheDrag) {
    dnd_->setOfferedFormats({"text/file-path-list"});
    sys_->dragEnter(*window_, {20, 20});
    ASSERT_NE(dnd_->mimeData(), nullptr);
    EXPECT_TRUE(dnd_->mimeData()->hasFilePaths());
    EXPECT_TRUE(dnd_->mimeData()->filePaths().empty());
    sys_->dragLeave(*window_);
    sys_->dragEnter(*window_, {20, 20});
    EXPECT_FALSE(dnd_->mimeData()->hasFilePaths()); // forgotten with the last drag
}

} // namespace
} // namespace scalora
