#include "engine/batch_engine.h"
#include "engine/batch_start.h"
#include "engine/geometry.h"
#include "fake_image_codec.h"
#include "support/test_support.h"

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <functional>
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
    bool operator==(const Post&) const = default;
};

// A one-way signal between threads; waits are bounded so a broken worker fails, not hangs.
class Signal {
public:
    void raise() {
        {
            const std::lock_guard guard(lock_);
            raised_ = true;
        }
        changed_.notify_all();
    }
    bool wait() {
        std::unique_lock guard(lock_);
        return changed_.wait_for(guard, std::chrono::seconds(20), [this] { return raised_; });
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    bool raised_ = false;
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
        finished_ += message == FinishedMessage ? 1 : 0;
        posted_.notify_all();
    }
    // Waits for the n-th FinishedMessage (bounded, so a broken worker fails instead of hangs).
    bool waitForFinished(int count) {
        return waitFor([&] { return finished_ >= count; });
    }
    // Waits until the item at `index` has been announced.
    bool waitForStarted(std::int32_t index) {
        return waitFor([&] {
            return std::any_of(posts_.begin(), posts_.end(), [&](const Post& post) {
                return post.index == index && post.lastResult == ItemResult::Started;
            });
        });
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
    template <typename Predicate> bool waitFor(Predicate done) {
        std::unique_lock guard(lock_);
        return posted_.wait_for(guard, std::chrono::seconds(20), done);
    }

    BatchSettings* settings_;
    std::mutex lock_;
    std::condition_variable posted_;
    std::vector<Post> posts_;
    std::vector<ResizeThread*> senders_;
    int finished_ = 0;
};

// A list in a temporary folder run by an engine with `Jobs` images in flight.
template <std::int32_t Jobs> class EngineFixture : public ::testing::Test {
protected:
    EngineFixture()
        : engine_(codec_, observer_,
                  WorkerOptions{.pauseBeforeItem = std::chrono::milliseconds(0),
                                .buildThumbnails = true,
                                .jobs = Jobs}) {
        observer_.attach(engine_.settings());
        fs::create_directories(dir_ / "out");
        configure(engine_.settings());
    }
    void configure(BatchSettings& settings) const {
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

    // The resize of the source ending in `waiting` goes on only once the one ending in
    // `awaited` has begun: both are in flight together.
    void holdUntilBegun(std::string waiting, std::string awaited) {
        codec_.onResize = [=, this](const std::string& source) {
            if (source.ends_with(awaited)) {
                begun_.raise();
            } else if (source.ends_with(waiting)) {
                EXPECT_TRUE(begun_.wait());
            }
        };
    }

    TempDir dir_;
    FakeImageCodec codec_;
    RecordingObserver observer_;
    BatchEngine engine_;
    Signal begun_;
};

using BatchEngineTest = EngineFixture<1>;

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

TEST_F(BatchEngineTest, AFullDiskStopsTheRunAndStaleTemporariesGoFirst) {
    addItems(5);
    test::writeFile(dir_ / "out" / ".img1.png.tmp-Q1w2E3", "left by a killed run");
    codec_.writeError = ENOSPC;
    engine_.startWorker();
    ASSERT_TRUE(observer_.waitForFinished(1));
    engine_.waitForWorker();

    EXPECT_TRUE(fs::is_empty(dir_ / "out"));
    const std::vector<ImageItem>& items = engine_.items();
    EXPECT_EQ(items[0].status, ItemStatus::StatusError);
    EXPECT_EQ(items[0].message, "Unable to write " + (dir_ / "out" / "img1.png").string() +
                                    ": No space left on device");
    for (std::size_t i = 1; i < items.size(); ++i) {
        EXPECT_EQ(items[i].status, ItemStatus::StatusUndefined) << i;
    }
    EXPECT_EQ(codec_.calls().size(), 1U);
    EXPECT_EQ(observer_.posts().back().runState, RunState::Stopped);
}

using ResizeThreadTest = EngineFixture<2>;

TEST_F(ResizeThreadTest, ReportsInListOrderAsOneJobDoes) {
    addItems(4, 3); // img3 is missing
    // The first is held until the last has begun: the core done with the second goes on past
    // the first instead of waiting for its turn, and the reports still come in list order.
    holdUntilBegun("/img1.png", "/img4.png");
    engine_.startWorker();
    ASSERT_TRUE(observer_.waitForFinished(1));
    engine_.waitForWorker();
    codec_.onResize = nullptr;

    RecordingObserver oneAtATime;
    BatchEngine sequential(codec_, oneAtATime,
                           WorkerOptions{.pauseBeforeItem = std::chrono::milliseconds(0),
                                         .buildThumbnails = true,
                                         .jobs = 1});
    oneAtATime.attach(sequential.settings());
    configure(sequential.settings());
    for (const ImageItem& item : engine_.items()) {
        sequential.items().emplace_back(item.path);
    }
    sequential.startWorker();
    ASSERT_TRUE(oneAtATime.waitForFinished(1));
    sequential.waitForWorker();

    EXPECT_EQ(observer_.posts().size(), 9U);
    EXPECT_EQ(observer_.posts(), oneAtATime.posts());
}

TEST_F(ResizeThreadTest, StopWithTwoInFlightFinishesThemAndStartsNothingNew) {
    addItems(10);
    // The fourth asks for the stop as it begins, while the third waits for it: both hold a
    // core then, so nothing else can have started.
    codec_.onResize = [this](const std::string& source) {
        if (source.ends_with("/img4.png")) {
            engine_.requestStop();
            begun_.raise();
        } else if (source.ends_with("/img3.png")) {
            EXPECT_TRUE(begun_.wait());
        }
    };
    engine_.startWorker();
    ASSERT_TRUE(observer_.waitForFinished(1));
    engine_.waitForWorker();

    const std::vector<ImageItem>& items = engine_.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].status, i < 4 ? ItemStatus::StatusOk : ItemStatus::StatusUndefined) << i;
    }
    EXPECT_EQ(codec_.calls().size(), 4U);
    const std::vector<Post> posts = observer_.posts();
    ASSERT_EQ(posts.size(), 9U);
    EXPECT_EQ(posts[6].index, 4);
    EXPECT_EQ(posts[7].lastResult, ItemResult::Processed);
    EXPECT_EQ(posts[8].message, FinishedMessage);
    EXPECT_EQ(posts[8].runState, RunState::Stopped);
    EXPECT_EQ(posts[8].processed, 4);
}

TEST_F(ResizeThreadTest, ResultsForTheSameFileAreWrittenOneAfterTheOther) {
    // Numbered, the second and the third both become x_copy1.png: the third must meet the file
    // the second wrote, as when run one at a time.
    engine_.settings().allowRewrite = false;
    for (const char* name : {"a/x.png", "b/x.png", "c/x_copy1.png"}) {
        const fs::path path = dir_ / name;
        fs::create_directories(path.parent_path());
        test::writeFile(path.string(), "x");
        codec_.setSize(path.string(), {40, 20});
        engine_.items().emplace_back(path.string());
    }
    assignCopyIndexes(engine_.items(), engine_.settings().format);
    for (ImageItem& item : engine_.items()) {
        item.status = ItemStatus::StatusError; // as an earlier run left it
    }
    bool thirdStartedEarly = false;
    codec_.onResize = [&](const std::string& source) {
        if (source.ends_with("/b/x.png")) {
            EXPECT_TRUE(observer_.waitForStarted(2));
            thirdStartedEarly = engine_.items()[2].status != ItemStatus::StatusError;
        }
    };
    engine_.startWorker();
    ASSERT_TRUE(observer_.waitForFinished(1));
    engine_.waitForWorker();

    EXPECT_FALSE(thirdStartedEarly);
    const std::vector<ImageItem>& items = engine_.items();
    EXPECT_EQ(items[0].resultPath, (dir_ / "out" / "x.png").string());
    EXPECT_EQ(items[1].resultPath, (dir_ / "out" / "x_copy1.png").string());
    EXPECT_EQ(items[2].status, ItemStatus::StatusError);
    EXPECT_EQ(items[2].message, "Rewriting is not allowed in options");
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
