#include "engine/batch_engine.h"
#include "engine/geometry.h"
#include "fake_image_codec.h"
#include "support/test_support.h"

#include <condition_variable>
#include <filesystem>
#include <gtest/gtest.h>
#include <new>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using test::FakeImageCodec;
using test::TempDir;

// One recorded notification with the status block as it was when it was posted.
struct Post {
    BatchMessage message;
    std::int32_t index;
    ItemResult lastResult;
    std::int32_t processed;
    std::int32_t skipped;
    RunState runState;
    std::optional<ItemStatus> itemStatus; // nothing before the first item
};

class RecordingObserver : public BatchObserver {
public:
    explicit RecordingObserver(BatchSettings* settings = nullptr) : settings_(settings) {}
    void attach(BatchSettings& settings) { settings_ = &settings; }

    void post(BatchMessage message, ResizeThread& sender) override {
        const BatchStatus status = settings_->readStatus(true);
        const std::lock_guard guard(lock_);
        senders_.push_back(&sender);
        posts_.push_back(
            {message, status.currentIndex, status.lastResult, status.processedCount,
             status.skippedCount, status.runState,
             status.currentItem ? std::optional(status.currentItem->status) : std::nullopt});
        if (message == FinishedMessage) {
            ++finished_;
            done_.notify_all();
        }
    }
    // Waits for the n-th FinishedMessage (bounded, so a broken worker fails instead of hangs).
    bool waitForFinished(int count) {
        std::unique_lock guard(lock_);
        return done_.wait_for(guard, std::chrono::seconds(20), [&] { return finished_ >= count; });
    }
    std::vector<Post> posts() {
        const std::lock_guard guard(lock_);
        return posts_;
    }
    std::vector<ResizeThread*> senders() {
        const std::lock_guard guard(lock_);
        return senders_;
    }
    void clear() {
        const std::lock_guard guard(lock_);
        posts_.clear();
    }

private:
    BatchSettings* settings_;
    std::mutex lock_;
    std::condition_variable done_;
    std::vector<Post> posts_;
    std::vector<ResizeThread*> senders_;
    int finished_ = 0;
};

class BatchEngineTest : public ::testing::Test {
protected:
    BatchEngineTest()
        : engine_(codec_, observer_, WorkerOptions{std::chrono::milliseconds(0), true}) {
        observer_.attach(engine_.settings());
        fs::create_directories(dir_ / "out");
        BatchSettings& settings = engine_.settings();
        settings.destinationFolder = (dir_ / "out").string() + "/";
        settings.mode = ResizeMode::Width;
        settings.widthValue = 10;
        settings.heightValue = 1;
    }
    void addItems(int count, int missingEvery = 0) {
        for (int i = 1; i <= count; ++i) {
            const std::string path = (dir_ / ("img" + std::to_string(i) + ".png")).string();
            if (missingEvery == 0 || i % missingEvery != 0) {
                test::writeFile(path, "x");
            }
            codec_.setSize(path, {40, 20});
            engine_.items().emplace_back(path);
        }
    }

    TempDir dir_;
    FakeImageCodec codec_;
    RecordingObserver observer_;
    BatchEngine engine_;
};

TEST_F(BatchEngineTest, EveryItemIsAnnouncedThenCounted) {
    addItems(4, 3); // img3 is missing
    engine_.startWorker();
    ASSERT_TRUE(observer_.waitForFinished(1));
    engine_.waitForWorker();

    const std::vector<Post> posts = observer_.posts();
    ASSERT_EQ(posts.size(), 9U);
    for (int i = 0; i < 4; ++i) {
        const Post& started = posts[2 * i];
        const Post& done = posts[2 * i + 1];
        EXPECT_EQ(started.message, ProgressMessage);
        EXPECT_EQ(started.index, i + 1);
        EXPECT_EQ(started.lastResult, ItemResult::Started);
        EXPECT_EQ(started.itemStatus, ItemStatus::StatusUndefined);
        EXPECT_EQ(started.runState, RunState::Running);
        EXPECT_EQ(done.index, i + 1);
        const bool ok = i != 2;
        EXPECT_EQ(done.lastResult, ok ? ItemResult::Processed : ItemResult::Skipped);
        EXPECT_EQ(done.itemStatus, ok ? ItemStatus::StatusOk : ItemStatus::StatusError);
    }
    EXPECT_EQ(posts[7].processed, 3);
    EXPECT_EQ(posts[7].skipped, 1);
    EXPECT_EQ(posts[8].message, FinishedMessage);
    EXPECT_EQ(posts[8].runState, RunState::Finished);

    EXPECT_EQ(engine_.items()[2].message, "Source file does not exist");
    EXPECT_EQ(engine_.items()[0].resultPath, (dir_ / "out" / "img1.png").string());
    EXPECT_FALSE(engine_.items()[0].thumbnail.isNull());
    const BatchStatus status = engine_.settings().readStatus();
    EXPECT_FALSE(status.stopwatchRunning);
    EXPECT_FALSE(engine_.isRunning());
}

TEST_F(BatchEngineTest, StopTakesEffectBetweenItems) {
    addItems(10);
    codec_.onResize = [this](const std::string& source) {
        if (source.ends_with("img3.png")) {
            engine_.requestStop();
        }
    };
    engine_.startWorker();
    ASSERT_TRUE(observer_.waitForFinished(1));
    engine_.waitForWorker();

    const std::vector<ImageItem>& items = engine_.items();
    EXPECT_EQ(items[2].status, ItemStatus::StatusOk); // the item in progress is finished
    EXPECT_TRUE(fs::exists(dir_ / "out" / "img3.png"));
    for (std::size_t i = 3; i < items.size(); ++i) {
        EXPECT_EQ(items[i].status, ItemStatus::StatusUndefined) << i;
    }
    const std::vector<Post> posts = observer_.posts();
    int finished = 0;
    for (const Post& post : posts) {
        finished += post.message == FinishedMessage ? 1 : 0;
    }
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(posts.back().runState, RunState::Stopped);
    EXPECT_EQ(posts.back().processed, 3);
}

TEST_F(BatchEngineTest, ASecondRunReusesTheThreadAndStartsCountingAgain) {
    addItems(3);
    engine_.startWorker();
    ASSERT_TRUE(observer_.waitForFinished(1));
    ResizeThread* first = engine_.thread();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->priority(), ThreadPriority::AboveNormal);

    // Straight after the finish notification, as a tool or a quick user would.
    engine_.settings().resetStatus();
    observer_.clear();
    engine_.startWorker();
    ASSERT_TRUE(observer_.waitForFinished(2));
    engine_.waitForWorker();
    EXPECT_EQ(engine_.thread(), first);
    const std::vector<Post> posts = observer_.posts();
    ASSERT_EQ(posts.size(), 7U);
    EXPECT_EQ(posts[1].processed, 1);
    EXPECT_EQ(posts[5].processed, 3);
    for (ResizeThread* sender : observer_.senders()) {
        EXPECT_EQ(sender, first);
    }
    EXPECT_EQ(WorkerThread::liveThreadCount(), 0U);
}

TEST_F(BatchEngineTest, MemoryExhaustionFailsTheRun) {
    addItems(3);
    engine_.setItemTask([](const BatchSettings&, ImageItem& item) -> bool {
        if (item.path.ends_with("img2.png")) {
            throw std::bad_alloc();
        }
        return true;
    });
    engine_.startWorker();
    ASSERT_TRUE(observer_.waitForFinished(1));
    engine_.waitForWorker();
    const std::vector<Post> posts = observer_.posts();
    EXPECT_EQ(posts.back().message, FinishedMessage);
    EXPECT_EQ(posts.back().runState, RunState::Failed);
    EXPECT_EQ(engine_.items()[0].status, ItemStatus::StatusOk);
    EXPECT_EQ(engine_.items()[2].status, ItemStatus::StatusUndefined);
}

TEST(WorkerThread, PriorityLevelsAndStopWithoutARun) {
    EXPECT_EQ(nativePriorityLevel(0), -2);
    EXPECT_EQ(nativePriorityLevel(1), -1);
    EXPECT_EQ(nativePriorityLevel(2), 0);
    EXPECT_EQ(nativePriorityLevel(3), 1);
    EXPECT_EQ(nativePriorityLevel(4), 2);
    EXPECT_EQ(nativePriorityLevel(9), 0);

    FakeImageCodec codec;
    RecordingObserver observer;
    BatchEngine engine(codec, observer);
    engine.requestStop(); // no thread yet: nothing happens
    EXPECT_EQ(engine.thread(), nullptr);
    EXPECT_FALSE(engine.isRunning());
}

} // namespace
} // namespace scalora
