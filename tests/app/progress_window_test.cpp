#include "app/batch_message_relay.h"
#include "app/progress_window.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "engine/batch_engine.h"
#include "engine/batch_start.h"
#include "engine/library_image_codec.h"
#include "imaging/image_encoder.h"
#include "platform/sound.h"
#include "support/test_support.h"
#include "ui/backend/headless/headless_window_system.h"
#include "ui/core/ui_toolkit.h"
#include "ui/style/ui_style_manager.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_picture.h"
#include "ui/widgets/ui_progress.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <semaphore>
#include <thread>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr Color kRedOrange = 0xFFFF6633;

class RecordingHost final : public ProgressWindowHost {
public:
    void setMainCaption(const std::string& prefix) override {
        captions.push_back(prefix);
        if (onCaption) {
            onCaption(prefix);
        }
    }
    void rebuildTable() override { ++rebuilds; }

    std::vector<std::string> captions;
    int rebuilds = 0;
    std::function<void(const std::string&)> onCaption;
};

bool writePng(const fs::path& path) {
    PixelImage image;
    std::vector<std::uint8_t> bytes;
    if (!image.allocate(96, 64, AlphaKind::None)) {
        return false;
    }
    image.fill(0xFF3080C0);
    return encodeImageToMemory(image, ImageFormat::Png, EncodeOptions{}, bytes) &&
           test::writeFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

class ProgressWindowTest : public ::testing::Test, private BatchStartHost {
protected:
    ProgressWindowTest()
        : toolkit_(std::make_unique<HeadlessWindowSystem>()),
          settings_(openSettingsStore("Halvorn Scalora", (dir_ / "config").string())),
          codec_(makeLibraryImageCodec()),
          engine_(*codec_, BatchMessageRelay::instance(),
                  WorkerOptions{.pauseBeforeItem = 0ms, .buildThumbnails = true, .jobs = 1}) {
        auto player = std::make_unique<RecordingSoundPlayer>();
        sound_ = player.get();
        setSystemSoundPlayer(std::move(player));
        fs::create_directories(dir_ / "out");
        const std::string style = (test::sourceDir() / "assets" / "styles" / "default").string();
        EXPECT_TRUE(UIStyleManager::instance().loadStyleFrom(style));
    }
    ~ProgressWindowTest() override {
        setSystemSoundPlayer(nullptr);
        // No current style for the next test.
        (void)UIStyleManager::instance().loadStyleFrom("/nonexistent/scalora-style");
    }
    // With SCALORA_KEEP_PNG set, what the window shows is kept there under `name`.
    void keepPng(const std::string& name) {
        const char* keep = std::getenv("SCALORA_KEEP_PNG");
        if (keep != nullptr && *keep != '\0') {
            fs::create_directories(keep);
            EXPECT_TRUE(sys().saveWindowPng(window(), fs::path(keep) / name));
        }
    }

    HeadlessWindowSystem& sys() {
        return static_cast<HeadlessWindowSystem&>(toolkit_.windowSystem());
    }
    ProgressWindow& window() {
        for (UIWindow* w : toolkit_.windows()) {
            if (auto* progress = dynamic_cast<ProgressWindow*>(w)) {
                return *progress;
            }
        }
        throw std::runtime_error("no progress window is open");
    }
    Point buttonCentre() {
        const Rect r = window().button().windowRect();
        return {r.x + r.width / 2, r.y + r.height / 2};
    }
    // What the user does with the mouse, delivered by the window's own loop.
    void pressButton() {
        const Point at = buttonCentre();
        toolkit_.input().mouseMove(&window(), at, 0, 0);
        toolkit_.input().mousePress(&window(), at, kLeftButton, 0);
        toolkit_.input().mouseRelease(&window(), at, kLeftButton, 0);
        // A pointer left over the button keeps its hover timer going, and the loop never idles.
        toolkit_.input().pointerLeft(&window());
    }
    // Lists image1.png .. imageN.png (not written).
    std::vector<fs::path> listImages(int count) {
        std::vector<fs::path> paths;
        engine_.items().clear();
        for (int i = 1; i <= count; ++i) {
            paths.push_back(dir_ / ("image" + std::to_string(i) + ".png"));
            engine_.items().emplace_back(paths.back().string());
        }
        return paths;
    }
    // The image at `position` (1-based) waits until the run is asked to stop.
    void holdImageUntilStop(std::size_t position) {
        engine_.setItemTask([this, position](const BatchSettings&, ImageItem& item) {
            if (&item == &engine_.items()[position - 1]) {
                held_.release();
                const auto deadline = std::chrono::steady_clock::now() + 10s;
                while (!engine_.thread()->isStopRequested() &&
                       std::chrono::steady_clock::now() < deadline) {
                    std::this_thread::yield();
                }
            }
            return true;
        });
    }
    // `onIdle` runs when the window waits with nothing left to do (the run has ended); it
    // must close the window. Returns when the window has closed.
    void runBatch(std::function<void()> onIdle) {
        int idleTurns = 0;
        sys().setIdleHook([&] {
            if (++idleTurns > 3) {
                toolkit_.quit(-1);
                return;
            }
            onIdle();
        });
        RunRequest request;
        request.widthText = "16";
        request.heightText = "16";
        request.destinationText = (dir_ / "out").string();
        PrepareEnvironment environment;
        environment.freeBytes = [](const std::string&) { return std::nullopt; };
        startBatch(engine_, request, *this, environment);
        engine_.waitForWorker();
        EXPECT_LE(idleTurns, 1) << "the window did not close";
    }
    // After a run: the window still open, showing Close, and closed by it.
    void closeWithButton() {
        EXPECT_TRUE(window().isVisible());
        EXPECT_EQ(window().button().text(), "Close");
        sys().click(window(), buttonCentre());
    }

    test::TempDir dir_;
    UIToolkit toolkit_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<ImageCodec> codec_;
    BatchEngine engine_;
    RecordingHost host_;
    RecordingSoundPlayer* sound_ = nullptr;
    // Released by the worker when the held image has begun.
    std::binary_semaphore held_{0};

private:
    void showRefusal(const Refusal& refusal) override { ADD_FAILURE() << refusal.text; }
    void chooseDestinationFolder() override { ADD_FAILURE() << "no destination"; }
    void setDestinationText(const std::string&) override {}
    void runProgress() override { runProgressWindow(nullptr, engine_, *settings_, host_); }
};

TEST_F(ProgressWindowTest, FourImagesShowAQuarterMoreEachAndTheSkippedOneInRedOrange) {
    settings_->set(setting_keys::kBeepWhenResizeFinish, true);
    const std::vector<fs::path> paths = listImages(4);
    for (const fs::path& path : paths) {
        ASSERT_TRUE(writePng(path));
    }
    ASSERT_TRUE(test::writeFile(paths[1], "not an image"));
    std::vector<std::string> titles;
    std::vector<Color> skippedColours;
    host_.onCaption = [&](const std::string& prefix) {
        if (!prefix.empty()) {
            titles.push_back(window().title());
            skippedColours.push_back(window().skippedValue().textStyle().foreground);
        }
    };
    runBatch([&] {
        ProgressWindow& w = window();
        EXPECT_EQ(w.progressBar().value(), 100);
        EXPECT_EQ(w.processedValue().text(), "3");
        EXPECT_EQ(w.skippedValue().text(), "1");
        EXPECT_EQ(w.nameLabel().text(), "image4.png");
        ASSERT_NE(w.preview().image(), nullptr);
        EXPECT_EQ(w.preview().image()->height(), 48);
        EXPECT_EQ(sound_->played, std::vector<SystemSound>{SystemSound::RunFinished});
        keepPng("progress_finished.png");
        closeWithButton();
    });
    // Only finished images move the percentage; the end gives the main window its name back.
    EXPECT_EQ(host_.captions, (std::vector<std::string>{"25%", "50%", "75%", "100%", ""}));
    EXPECT_EQ(titles, (std::vector<std::string>{"25%", "50%", "75%", "100%"}));
    ASSERT_EQ(skippedColours.size(), 4U);
    // Each caption comes before the counts of its own update.
    EXPECT_NE(skippedColours[1], kRedOrange);
    EXPECT_EQ(skippedColours[2], kRedOrange);
    EXPECT_EQ(skippedColours[3], kRedOrange);
    EXPECT_EQ(host_.rebuilds, 1);
    EXPECT_EQ(engine_.items()[1].status, ItemStatus::StatusError);
    EXPECT_EQ(engine_.items()[3].status, ItemStatus::StatusOk);
}

TEST_F(ProgressWindowTest, StopDuringTheThirdOfTenFinishesItAndCountsTheRestAsSkipped) {
    settings_->set(setting_keys::kBeepWhenResizeFinish, false);
    holdImageUntilStop(3);
    host_.onCaption = [&](const std::string& prefix) {
        if (prefix == "20%") {
            ASSERT_TRUE(held_.try_acquire_for(10s));
            EXPECT_EQ(window().button().text(), "Stop");
            pressButton();
        }
    };
    listImages(10);
    runBatch([&] {
        ProgressWindow& w = window();
        EXPECT_TRUE(w.isFinished());
        EXPECT_EQ(w.processedValue().text(), "3");
        EXPECT_EQ(w.skippedValue().text(), "7");
        EXPECT_EQ(w.skippedValue().textStyle().foreground, kRedOrange);
        keepPng("progress_stopped.png");
        closeWithButton();
    });
    EXPECT_EQ(host_.captions, (std::vector<std::string>{"10%", "20%", "30%", ""}));
    EXPECT_EQ(engine_.settings().readStatus().runState, RunState::Stopped);
    EXPECT_EQ(engine_.items()[2].status, ItemStatus::StatusOk);
    EXPECT_EQ(engine_.items()[3].status, ItemStatus::StatusUndefined);
    EXPECT_EQ(engine_.items()[9].status, ItemStatus::StatusUndefined);
    EXPECT_TRUE(sound_->played.empty());
    EXPECT_EQ(host_.rebuilds, 1);
}

TEST_F(ProgressWindowTest, TheCloseBoxDuringARunStopsItAndClosesTheWindowAtItsEnd) {
    struct Case {
        int count;
        RunState ended;
    };
    // The second closes during the last image, which ends the run as finished, not stopped.
    for (const Case& c : {Case{10, RunState::Stopped}, Case{3, RunState::Finished}}) {
        SCOPED_TRACE(c.count);
        host_ = RecordingHost();
        holdImageUntilStop(3);
        const std::string before = std::to_string(200 / c.count) + "%";
        bool stayedOpen = false;
        host_.onCaption = [&](const std::string& prefix) {
            if (prefix == before) {
                ASSERT_TRUE(held_.try_acquire_for(10s));
                toolkit_.input().closeRequested(&window());
                stayedOpen = window().isVisible() && !window().isFinished();
            }
        };
        listImages(c.count);
        runBatch([&] {
            ADD_FAILURE() << "the window stayed open after the run";
            closeWithButton();
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(engine_.settings().readStatus().runState, c.ended);
        EXPECT_EQ(engine_.settings().readStatus().processedCount, 3);
        EXPECT_EQ(host_.captions.back(), "");
        EXPECT_EQ(host_.rebuilds, 1);
    }
}

TEST_F(ProgressWindowTest, ARunWhoseMessagesNeverArriveStillEndsWithClose) {
    class Deaf final : public BatchObserver {
    public:
        void post(BatchMessage, ResizeThread&) override {}
    } deaf;
    BatchEngine unwired(*codec_, deaf, WorkerOptions{.pauseBeforeItem = 0ms, .jobs = 1});
    unwired.items().emplace_back((dir_ / "missing.png").string());
    unwired.startWorker();
    int idleTurns = 0;
    sys().setIdleHook([&] {
        if (++idleTurns == 1) {
            closeWithButton();
        } else {
            toolkit_.quit(-1);
        }
    });
    runProgressWindow(nullptr, unwired, *settings_, host_);
    EXPECT_EQ(idleTurns, 1);
    EXPECT_EQ(host_.captions, std::vector<std::string>{""});
    EXPECT_EQ(host_.rebuilds, 1);
}

TEST_F(ProgressWindowTest, ElapsedTimeReadsHoursMinutesAndSeconds) {
    EXPECT_EQ(formatElapsed(3725000), "01:02:05");
    EXPECT_EQ(formatElapsed(0), "00:00:00");
    EXPECT_EQ(formatElapsed(59999), "00:00:59");
    // Hours go on past a day.
    EXPECT_EQ(formatElapsed(90061000), "25:01:01");
    EXPECT_EQ(formatElapsed(360000000), "100:00:00");
    EXPECT_EQ(formatElapsed(-5), "00:00:00");
}

} // namespace
} // namespace scalora
