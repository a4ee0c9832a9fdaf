#include "app/application.h"

#include "app/identity.h"
#include "data/resource_locator.h"
#include "data/translate.h"
#include "data/translation.h"
#include "platform/module_path.h"

#include <atomic>
#include <filesystem>
#include <system_error>

namespace scalora {
namespace {

std::atomic<Application*> currentApplication{nullptr};

// Enough for every start a user can make while the first one is still starting; a peer that
// sends more before then loses the surplus rather than growing this process.
constexpr std::size_t kMaxEarlyNotifications = 16;

std::string workingFolder() {
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return error ? std::string() : cwd.string();
}

} // namespace

Application::Application(std::string_view productName, std::string_view version,
                         std::vector<std::string> arguments)
    : productName_(productName), version_(version), modulePath_(scalora::modulePath()),
      moduleDirectory_(scalora::moduleDirectory()), arguments_(std::move(arguments)),
      commandLinePaths_(commandLinePaths(arguments_)), guard_(guardNameForProduct(productName)) {
    Application* expected = nullptr;
    if (currentApplication.compare_exchange_strong(expected, this)) {
        setApplicationName(productName_); // what "%app" stands for in every text
    }
    guard_.setNotificationHandler(
        [this](const InstanceNotification& notification) { relayNotification(notification); });
}

Application::~Application() {
    // Stop listening before anything the relay might use goes away.
    guard_.close();
    Application* expected = this;
    if (currentApplication.compare_exchange_strong(expected, nullptr)) {
        installTranslation(nullptr);
    }
}

Application* Application::instance() {
    return currentApplication.load();
}

void Application::setWebHost(std::string_view host) {
    webHost_ = host;
    if (feedbackHost_.empty()) {
        feedbackHost_ = host;
    }
}

void Application::setWebUrl(std::string_view url) {
    webUrl_ = url;
    if (productUrl_.empty()) {
        productUrl_ = url;
    }
}

bool Application::notifyRunningInstance() const {
    InstanceNotification notification;
    notification.paths = absoluteCommandLinePaths(commandLinePaths(arguments_), workingFolder());
    return guard_.notifyRunningInstance(notification);
}

void Application::setInstanceNotificationRelay(SingleInstanceGuard::Handler relay) {
    std::lock_guard lock(relayMutex_);
    relay_ = std::move(relay);
    if (relayInstalled_ || !relay_) {
        return;
    }
    relayInstalled_ = true;
    // Under the lock, so that a notification arriving meanwhile comes after these.
    for (const InstanceNotification& notification : earlyNotifications_) {
        relay_(notification);
    }
    earlyNotifications_.clear();
}

void Application::relayNotification(const InstanceNotification& notification) {
    std::lock_guard lock(relayMutex_);
    if (relay_) {
        relay_(notification);
    } else if (!relayInstalled_ && earlyNotifications_.size() < kMaxEarlyNotifications) {
        earlyNotifications_.push_back(notification);
    }
}

bool Application::openArchive(std::string_view name) {
    return archives_.open(moduleDirectory_, name);
}

bool Application::loadLanguage(std::string_view name) {
    return setLanguage(languageDirs(moduleDirectory_), name);
}

int Application::run() {
    if (quitRequested_ || !eventLoop_) {
        return 0;
    }
    return eventLoop_();
}

void Application::quit() {
    quitRequested_ = true;
    if (quitHandler_) {
        quitHandler_();
    }
}

void applyVendorIdentity(Application& application) {
    application.setCompanyName(kCompanyName);
    application.setWebHost(kWebHost);
    application.setWebUrl(kWebUrl);
    application.setFeedbackHost(application.webHost());
    application.setProductUrl(application.webUrl());
}

std::string currentProductName() {
    const Application* app = Application::instance();
    return app != nullptr ? app->productName() : std::string();
}

} // namespace scalora
