// Process entry of the GUI program: start-up, the event loop and shutdown. Every way out of
// start-up before the event loop ends the process with status 255 and shows nothing, except
// for the one line on standard error when there is no display at all.
#include "app/application.h"
#include "app/display_choice.h"
#include "app/identity.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"

#include <SDL.h>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kStartupFailure = 255;

// The window system must come up before anything is shown; it is shut down last.
class WindowSystem {
public:
    explicit WindowSystem(const std::string& drivers) {
        if (drivers.empty()) {
            return;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
        ready_ = SDL_Init(SDL_INIT_VIDEO) == 0;
    }
    ~WindowSystem() {
        if (ready_) {
            SDL_Quit();
        }
    }
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;
    bool ready() const { return ready_; }

private:
    bool ready_ = false;
};

} // namespace

int main(int argc, char** argv) {
    using namespace scalora;

    // A peer that closes a socket early must cost us a failed send, not the process.
    std::signal(SIGPIPE, SIG_IGN);

    std::vector<std::string> arguments(argv, argv + argc);
    // Owns the identity, the single-instance guard and, as they arrive, the archives and the
    // translation; it outlives everything below and is destroyed last.
    Application application(kProductName, kProductVersion, std::move(arguments));
    applyVendorIdentity(application);

    const std::string drivers = videoDriverChoice(currentDisplayEnvironment());
    WindowSystem windowSystem(drivers);
    if (!windowSystem.ready()) {
        if (drivers.empty()) {
            std::fprintf(stderr,
                         "%s: no display to open (neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
                         application.productName().c_str());
        } else {
            std::fprintf(stderr, "%s: cannot open the display (video driver %s)\n",
                         application.productName().c_str(), drivers.c_str());
        }
        return kStartupFailure;
    }

    if (application.isAnotherInstanceRunning()) {
        // The running instance brings its window to the front; this one leaves either way.
        application.notifyRunningInstance();
        return kStartupFailure;
    }

    if (!application.openArchive("data")) {
        return kStartupFailure;
    }

    // Still to come, ending start-up with kStartupFailure when it fails:
    // - load the "default" style through the style manager.

    // Settings reconciled with the schema (reset and saved when the key set differs), then
    // the language they name. These move into the main controller when it exists; until then
    // the store lives here and saves when it goes out of scope.
    std::unique_ptr<SettingsStore> settings = openSettingsStore(application.productName());
    application.loadLanguage(readStringSetting(*settings, setting_keys::kLanguage));

    // Still to come: the batch engine and the main window, which restores its geometry and
    // takes the command-line paths on its first showing.

    const int exitCode = application.run();

    // Teardown runs in reverse order of construction as the objects above leave scope: the
    // main controller (window, engine, settings), the window system, then the application with
    // its guard.
    return exitCode;
}
