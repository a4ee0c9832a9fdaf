// The two sounds the program makes: the end-of-run notification and the failure beep, played
// from the desktop's sound theme. Playing never blocks the caller and is silently nothing
// where no sound service exists.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace scalora {

enum class SystemSound {
    RunFinished, // "dialog-information" of the sound theme
    FailureBeep, // "bell"
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(SystemSound sound) = 0;
};

// Plays through libcanberra on a thread of its own, so that opening the sound device (which
// can take a while or fail) never stalls the user interface. After the first failure to open
// a sound service every later request is dropped at once.
class DesktopSoundPlayer final : public SoundPlayer {
public:
    explicit DesktopSoundPlayer(std::string applicationName = "Halvorn Scalora");
    ~DesktopSoundPlayer() override;
    DesktopSoundPlayer(const DesktopSoundPlayer&) = delete;
    DesktopSoundPlayer& operator=(const DesktopSoundPlayer&) = delete;

    void play(SystemSound sound) override;
    // Blocks until every request made so far was handed to the sound service or dropped.
    void waitUntilIdle();

private:
    void work();

    std::string applicationName_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<SystemSound> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread worker_;
};

// Test double that remembers what it was asked to play.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(SystemSound sound) override { played.push_back(sound); }
    std::vector<SystemSound> played;
};

// The process-wide player the program's windows use; a DesktopSoundPlayer unless replaced.
SoundPlayer& systemSoundPlayer();
// Replaces the process-wide player (tests); nullptr restores the desktop one.
void setSystemSoundPlayer(std::unique_ptr<SoundPlayer> player);

} // namespace scalora
