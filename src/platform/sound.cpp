#include "platform/sound.h"

#include <alsa/asoundlib.h>
#include <canberra.h>

namespace scalora {
namespace {

// Requests beyond this many waiting ones are dropped: a burst of beeps adds nothing.
constexpr std::size_t kMaxPending = 4;

const char* eventId(SystemSound sound) {
    switch (sound) {
    case SystemSound::RunFinished:
        return "dialog-information";
    case SystemSound::FailureBeep:
        return "bell";
    }
    return "bell";
}

// alsa-lib prints every failed device probe on standard error; the program keeps no log and
// has no console, so a missing sound card must stay silent.
void quietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

class CanberraContext {
public:
    explicit CanberraContext(const std::string& applicationName) {
        snd_lib_error_set_handler(&quietAlsaErrors);
        if (ca_context_create(&context_) != CA_SUCCESS) {
            context_ = nullptr;
            return;
        }
        ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, applicationName.c_str(),
                                nullptr);
        if (ca_context_open(context_) != CA_SUCCESS) {
            ca_context_destroy(context_);
            context_ = nullptr;
        }
    }
    ~CanberraContext() {
        if (context_ != nullptr) {
            ca_context_destroy(context_);
        }
    }
    CanberraContext(const CanberraContext&) = delete;
    CanberraContext& operator=(const CanberraContext&) = delete;

    bool isOpen() const { return context_ != nullptr; }
    void play(SystemSound sound) {
        if (context_ != nullptr) {
            ca_context_play(context_, 0, CA_PROP_EVENT_ID, eventId(sound), nullptr);
        }
    }

private:
    ca_context* context_ = nullptr;
};

std::mutex playerMutex;
std::unique_ptr<SoundPlayer> processPlayer;

} // namespace

DesktopSoundPlayer::DesktopSoundPlayer(std::string applicationName)
    : applicationName_(std::move(applicationName)), worker_([this] { work(); }) {}

DesktopSoundPlayer::~DesktopSoundPlayer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void DesktopSoundPlayer::play(SystemSound sound) {
    {
        std::lock_guard lock(mutex_);
        if (pending_.size() >= kMaxPending) {
            return;
        }
        pending_.push_back(sound);
    }
    wake_.notify_one();
}

void DesktopSoundPlayer::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return pending_.empty() && !busy_; });
}

void DesktopSoundPlayer::work() {
    std::unique_ptr<CanberraContext> context;
    bool unavailable = false;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (stopping_) {
            break;
        }
        const SystemSound sound = pending_.front();
        pending_.pop_front();
        busy_ = true;
        lock.unlock();
        if (!unavailable && context == nullptr) {
            // Opened on first use: most runs never make a sound.
            context = std::make_unique<CanberraContext>(applicationName_);
            unavailable = !context->isOpen();
        }
        if (!unavailable) {
            context->play(sound);
        }
        lock.lock();
        busy_ = false;
        if (pending_.empty()) {
            idle_.notify_all();
        }
    }
    pending_.clear();
    busy_ = false;
    idle_.notify_all();
    lock.unlock();
    context.reset();
}

SoundPlayer& systemSoundPlayer() {
    std::lock_guard lock(playerMutex);
    if (processPlayer == nullptr) {
        processPlayer = std::make_unique<DesktopSoundPlayer>();
    }
    return *processPlayer;
}

void setSystemSoundPlayer(std::unique_ptr<SoundPlayer> player) {
    std::lock_guard lock(playerMutex);
    processPlayer = std::move(player);
}

} // namespace scalora
