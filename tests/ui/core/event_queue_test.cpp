// The posted queue: cross-thread posting, input blocking, message handlers, signal locking.
#include "ui/core/ui_event_queue.h"
#include "ui/core/ui_signal.h"
#include "ui_test_fixture.h"

#include <gmock/gmock.h>
#include <thread>

namespace scalora::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(UITest, MessagesPostedFromOtherThreadsArriveInOrderOnTheUiThread) {
    constexpr int kThreads = 4;
    constexpr int kPerThread = 500;
    std::vector<std::vector<std::int64_t>> received(kThreads);
    const std::thread::id uiThread = std::this_thread::get_id();
    bool allOnUiThread = true;
    const UIMessageHandlerId id = UIEventQueue::instance().registerHandler(
        [&](std::uint32_t code, std::int64_t wParam, std::int64_t lParam) {
            allOnUiThread = allOnUiThread && std::this_thread::get_id() == uiThread;
            if (code == 3024) {
                received[static_cast<std::size_t>(wParam)].push_back(lParam);
            }
        });
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([t, id] {
            for (int i = 0; i < kPerThread; ++i) {
                UIEventQueue::instance().postMessage(id, 3024, t, i);
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    toolkit().processEvents();
    EXPECT_TRUE(allOnUiThread);
    for (const auto& list : received) {
        ASSERT_EQ(list.size(), static_cast<std::size_t>(kPerThread));
        EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
    }
    // After unregistering, messages are dropped.
    UIEventQueue::instance().unregisterHandler(id);
    UIEventQueue::instance().postMessage(id, 3025);
    toolkit().processEvents();
    EXPECT_FALSE(UIEventQueue::instance().hasPending());
}

TEST_F(UITest, BlockedInputIsDiscardedUntilTheEndOfBlockingMessage) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    log.clear();
    // Queued before the block, delivered after it: discarded too.
    a->postEvent(UIEvent::mouse(UIEventType::MouseClick, 0, kLeftButton, {1, 1}));
    UIEventQueue::instance().blockInput();
    EXPECT_TRUE(UIEventQueue::instance().isInputBlocked());
    a->postEvent(UIEvent::keyEvent(UIEventType::KeyPress, 'A', 0));
    a->postEvent(UIEvent::valueEvent(UIEventType::ExternalMessage, 1)); // not input
    UIEvent direct = UIEvent::keyEvent(UIEventType::KeyPress, 'B', 0);
    EXPECT_FALSE(UIEventQueue::instance().send(a, direct));
    toolkit().processEvents();
    EXPECT_THAT(logOf("a"), ElementsAre("ExternalMessage"));
    EXPECT_FALSE(UIEventQueue::instance().isInputBlocked());
    a->postEvent(UIEvent::keyEvent(UIEventType::KeyPress, 'C', 0));
    toolkit().processEvents();
    EXPECT_THAT(logOf("a"), ElementsAre("ExternalMessage", "KeyPress"));
}

TEST_F(UITest, SendReachesOnlyLiveUnblockedReceiversAndDisabledElementsGetNoInput) {
    RecordingWindow* w = makeWindow();
    RecordingElement* a = makeChild(w, "a", {10, 10, 50, 30});
    log.clear();
    a->setReceiverBlocked(true);
    UIEvent msg = UIEvent::valueEvent(UIEventType::ExternalMessage, 1);
    EXPECT_FALSE(a->sendEvent(msg));
    a->setReceiverBlocked(false);
    a->disable();
    log.clear();
    UIEvent key = UIEvent::keyEvent(UIEventType::KeyPress, 'A', 0);
    a->sendEvent(key);
    a->sendEvent(msg);
    EXPECT_THAT(logOf("a"), ElementsAre("ExternalMessage"));
    // The paint event is accepted by the dispatcher itself.
    UIEvent paint(UIEventType::Paint);
    EXPECT_TRUE(a->sendEvent(paint));
    // An event type outside the table is ignored.
    UIEvent odd(static_cast<UIEventType>(124));
    EXPECT_FALSE(a->sendEvent(odd));
}

TEST(UISignalTest, EmitFromAnotherThreadWhileConnecting) {
    UISignal<int> signal;
    std::atomic<int> sum{0};
    signal.connect([&](int v) { sum += v; });
    std::thread emitter([&] {
        for (int i = 0; i < 1000; ++i) {
            signal.emit(1);
        }
    });
    for (int i = 0; i < 100; ++i) {
        const UIConnectionId id = signal.connect([](int) {});
        signal.disconnect(id);
    }
    emitter.join();
    EXPECT_EQ(sum.load(), 1000);
    EXPECT_EQ(signal.connectionCount(), 1u);
}

} // namespace
} // namespace scalora::test
