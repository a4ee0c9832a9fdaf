// Process entry of the GUI program: start-up, the event loop and shutdown. Every way out of
// start-up before the event loop ends the process with status 255 and shows nothing, except
// for the one line on standard error when there is no display at all.
#include "app/application.h"
#include "app/display_choice.h"
#include "app/identity.h"
#include "app/instance_relay.h"
#include "app/main_controller.h"
#include "app/main_window.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "exchange/ui_drag_drop.h"
#include "ui/backend/sdl/sdl_window_system.h"
#include "ui/backend/sdl/xdnd_bridge.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/window_system_monitors.h"
#include "ui/style/resource_source.h"
#include "ui/style/ui_style_manager.h"

#include <SDL.h>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kStartupFailure = 255;

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

    // The platform check: the window system must come up before anything is shown. It is the
    // toolkit's own SDL window system from the start, so that the X error handling it installs
    // is in place before SDL's video starts and stays until after SDL has shut down.
    const std::string drivers = videoDriverChoice(currentDisplayEnvironment());
    std::unique_ptr<SdlWindowSystem> sdl;
    if (!drivers.empty()) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
        sdl = std::make_unique<SdlWindowSystem>();
    }
    if (!sdl || !sdl->isValid()) {
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
    UIStyleManager& styles = UIStyleManager::instance();
    if (!styles.loadStyle("default")) {
        return kStartupFailure;
    }
    // Window icons and cursors come from the data archive, which the application owns and
    // keeps open until after the event loop.
    styles.setDataSource(std::make_shared<ArchiveSource>(application.findArchive("data")));
    SdlWindowSystem& windowSystem = *sdl;
    UIToolkit toolkit(std::move(sdl));
    // Files dragged from a file manager: X11's drag messages give the enter, moves and the
    // drop point, SDL's drop events the paths.
    UIDragDrop::instance().install();
    const XdndBridge xdnd(windowSystem, UIDragDrop::instance());
    application.setEventLoop([&toolkit] { return toolkit.run(); });
    application.setQuitHandler([&toolkit] { toolkit.quit(0); });

    // Every path the program is asked to open comes through this one hook: the command
    // line's once the main window is shown, and those of later starts ("Open with" while
    // this one runs), which the relay carries over to the UI thread and which wait in the
    // application until it is installed. Until the main controller exists they are kept.
    std::unique_ptr<MainController> controller;
    std::vector<std::string> earlyPaths;
    const OpenPathsHook openPaths = [&controller, &earlyPaths](std::vector<std::string> paths) {
        if (controller) {
            controller->openPaths(paths);
        } else {
            earlyPaths.insert(earlyPaths.end(), paths.begin(), paths.end());
        }
    };
    // A later start also brings this window to the front; the relay posts that too.
    const InstanceRelay relay(application, toolkit, openPaths);

    // Settings reconciled with the schema (reset and saved when the key set differs), then
    // the language they name.
    std::unique_ptr<SettingsStore> settings = openSettingsStore(application.productName());
    // A language that cannot be loaded leaves the built-in English texts.
    static_cast<void>(
        application.loadLanguage(readStringSetting(*settings, setting_keys::kLanguage)));

    const WindowSystemMonitors monitors(toolkit.windowSystem());
    controller = std::make_unique<MainController>(std::move(settings), monitors);
    toolkit.setExternalMessageTarget(&controller->window());
    controller->show();
    std::vector<std::string> paths = application.takeCommandLinePaths();
    paths.insert(paths.end(), earlyPaths.begin(), earlyPaths.end());
    controller->openPaths(paths);

    const int exitCode = application.run();

    // The main controller (window, engine, settings) goes before the relay and the toolkit;
    // the window system, then the application with its guard, follow as they leave scope.
    controller.reset();
    return exitCode;
}
