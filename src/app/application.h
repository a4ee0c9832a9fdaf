// The process-wide application object: the program's identity, where it is installed, the
// single-instance guard, the command-line paths and the hooks through which the user interface
// runs and ends the event loop. The first instance constructed is reachable from everywhere
// through Application::instance().
//
// Extension points for the subsystems that build on this one:
// - event loop: the window system installs setEventLoop() and setQuitHandler();
// - a second start: the window system installs setInstanceNotificationRelay() and posts the
//   notification, with the paths the second start was given, to the UI thread;
// - resource archives and the loaded translation are owned here too and are added beside the
//   identity by the data layer (see the "Owned resources" section below).
#pragma once

#include "app/command_line.h"
#include "data/archive_registry.h"
#include "platform/single_instance_guard.h"

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class Application {
public:
    // arguments: the process arguments, the program path first.
    Application(std::string_view productName, std::string_view version,
                std::vector<std::string> arguments);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The first constructed instance while it lives; nullptr before and after.
    static Application* instance();

    // Identity.
    const std::string& productName() const { return productName_; }
    const std::string& version() const { return version_; }
    const std::string& companyName() const { return companyName_; }
    void setCompanyName(std::string_view name) { companyName_ = name; }
    const std::string& webHost() const { return webHost_; }
    // Also sets the feedback host while that is still empty.
    void setWebHost(std::string_view host);
    const std::string& webUrl() const { return webUrl_; }
    // Also sets the product URL while that is still empty.
    void setWebUrl(std::string_view url);
    const std::string& feedbackHost() const { return feedbackHost_; }
    void setFeedbackHost(std::string_view host) { feedbackHost_ = host; }
    const std::string& productUrl() const { return productUrl_; }
    void setProductUrl(std::string_view url) { productUrl_ = url; }

    // Installation.
    const std::string& modulePath() const { return modulePath_; }
    const std::string& moduleDirectory() const { return moduleDirectory_; }

    // Command line.
    const std::vector<std::string>& arguments() const { return arguments_; }
    // The paths given on the command line, the first time only (the main window's first showing).
    std::vector<std::string> takeCommandLinePaths() { return commandLinePaths_.take(); }

    // Single instance.
    SingleInstanceGuard& guard() { return guard_; }
    const SingleInstanceGuard& guard() const { return guard_; }
    bool isAnotherInstanceRunning() const {
        return guard_.state() == SingleInstanceGuard::AlreadyRunning;
    }
    // Asks the running instance to bring its main window to the front and hands it this
    // start's command-line paths, made absolute; true when it confirmed.
    bool notifyRunningInstance() const;
    // Receives the notifications of later starts, on the guard's listener thread (or, for
    // those that came before the first relay, at once on this thread); nullptr drops them.
    // Notifications that arrive before the first relay is installed are kept for it, so that
    // the paths of a start close behind this one are not lost while this one starts up.
    void setInstanceNotificationRelay(SingleInstanceGuard::Handler relay);

    // Event loop.
    using EventLoop = std::function<int()>;
    void setEventLoop(EventLoop loop) { eventLoop_ = std::move(loop); }
    void setQuitHandler(std::function<void()> handler) { quitHandler_ = std::move(handler); }
    // Runs the installed event loop and returns its exit code; 0 at once when none is
    // installed or quit() came first.
    int run();
    // Ends every running event loop with exit code 0.
    void quit();
    bool quitRequested() const { return quitRequested_; }

    // Owned resources: the open archives (looked up by name) and the loaded translation,
    // destroyed with the application, after the event loop.
    //
    // Opens "<name>.pak" beside the program, in its data/ folder or in the installed share
    // folder (a name holding "/" is a path) and registers it under the file's base name.
    [[nodiscard]] bool openArchive(std::string_view name);
    const ResourceArchive* findArchive(std::string_view name) const { return archives_.find(name); }
    const ArchiveRegistry& archives() const { return archives_; }
    // Makes languages/<name>.xml (beside the program, else installed) the translation every
    // text goes through; nothing happens when that file is already loaded. False when there
    // is no valid file: texts then show in English.
    [[nodiscard]] bool loadLanguage(std::string_view name);

private:
    void relayNotification(const InstanceNotification& notification);

    std::string productName_;
    std::string version_;
    std::string companyName_;
    std::string webHost_;
    std::string webUrl_;
    std::string feedbackHost_;
    std::string productUrl_;
    std::string modulePath_;
    std::string moduleDirectory_;
    std::vector<std::string> arguments_;
    PendingCommandLinePaths commandLinePaths_;
    EventLoop eventLoop_;
    std::function<void()> quitHandler_;
    bool quitRequested_ = false;
    ArchiveRegistry archives_;
    // Guards the relay and the notifications kept for it, between the listener thread and the
    // thread that installs the relay.
    std::mutex relayMutex_;
    SingleInstanceGuard::Handler relay_;
    std::vector<InstanceNotification> earlyNotifications_;
    bool relayInstalled_ = false;
    // Last member: destroyed first, so no notification arrives during teardown.
    SingleInstanceGuard guard_;
};

// Gives the application the vendor's identity: company, web host and URL, and the feedback
// host and product URL taken from them.
void applyVendorIdentity(Application& application);

// The product name of the running application, for window captions; empty without one.
std::string currentProductName();

} // namespace scalora
