#include "platform/sound.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

// The test machines have no sound service: playing must return, stay silent on standard
// error (the program keeps no log) and leave nothing running.
TEST(Sound, PlayingWithoutASoundServiceIsQuietAndDoesNotBlock) {
    testing::internal::CaptureStderr();
    {
        DesktopSoundPlayer player;
        player.play(SystemSound::RunFinished);
        player.play(SystemSound::FailureBeep);
        player.waitUntilIdle();
        for (int i = 0; i < 20; ++i) {
            player.play(SystemSound::FailureBeep); // a burst is cut short, not queued forever
        }
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(Sound, ProcessPlayerCanBeReplacedByARecorder) {
    auto recorder = std::make_unique<RecordingSoundPlayer>();
    RecordingSoundPlayer* seen = recorder.get();
    setSystemSoundPlayer(std::move(recorder));
    systemSoundPlayer().play(SystemSound::FailureBeep);
    systemSoundPlayer().play(SystemSound::RunFinished);
    EXPECT_EQ(seen->played,
              (std::vector<SystemSound>{SystemSound::FailureBeep, SystemSound::RunFinished}));
    setSystemSoundPlayer(nullptr);
}

} // namespace
} // namespace scalora
