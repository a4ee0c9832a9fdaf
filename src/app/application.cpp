#include "app/application.h"

#include "app/identity.h"
#include "data/resource_locator.h"
#include "data/translate.h"
#include "data/translation.h"
#include "platform/module_path.h"

#include <atomic>

namespace scalora {
namespace {

std::atomic<Application*> currentApplication{nullptr};

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
    return guard_.notifyRunningInstance();
}

void Application::setInstanceNotificationRelay(SingleInstanceGuard::Handler relay) {
    guard_.setNotificationHandler(std::move(relay));
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

} // namespace scalora
