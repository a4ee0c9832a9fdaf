// What the image list and table suites share: a headless toolkit, a batch engine on the real
// codec, settings in a scratch folder, a host that records what the list asks of the window,
// and small pictures written on the spot.
#pragma once

#include "../ui/core/ui_test_fixture.h"
#include "app/image_list.h"
#include "app/image_list_host.h"
#include "data/settings_store.h"
#include "engine/batch_engine.h"
#include "engine/image_codec.h"
#include "support/test_support.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace scalora::test {

class RecordingListHost : public ImageListHost {
public:
    void beginBusy() override { calls.push_back("begin"); }
    void setBusyProgress(double percent) override {
        calls.push_back("progress " + std::to_string(static_cast<int>(percent + 0.5)));
    }
    void endBusy() override { calls.push_back("end"); }
    void updateCounter() override { calls.push_back("counter"); }
    void updateCommands() override { calls.push_back("commands"); }
    bool turnEventLoop() override {
        calls.push_back("turn");
        return --turnsLeft != 0;
    }
    std::string destinationText() const override { return destination; }
    UIWindow* ownerWindow() override { return nullptr; }
    void openAddImagesDialog() override { calls.push_back("add dialog"); }

    std::vector<std::string> calls;
    std::string destination;
    int turnsLeft = -1; // turnEventLoop says quit when this reaches 0
};

class ImageListFixture : public UITest {
protected:
    ImageListFixture();
    ~ImageListFixture() override;

    // Writes a PNG of that size (plain grey) and returns its path.
    std::string picture(const std::string& relativePath, Size size = {64, 48}) const;
    void setBool(std::string_view key, bool value) { settings->set(key, SettingValue(value)); }

    TempDir dir;
    std::unique_ptr<ImageCodec> codec;
    std::unique_ptr<BatchObserver> observer;
    std::unique_ptr<BatchEngine> engine;
    std::unique_ptr<SettingsStore> settings;
    RecordingListHost host;
    std::unique_ptr<ImageList> list;
    std::vector<std::string> messages;
};

} // namespace scalora::test
