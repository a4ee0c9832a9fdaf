// The feedback window: an optional e-mail address and a message, sent to the vendor's
// feedback service by "Send". The exchange runs on a thread of the window's own, so every
// window stays painted and responsive while it lasts (up to its send and receive time-outs);
// Send is disabled until it ends and its outcome is told in a message box. Closing the window
// cancels an exchange in flight and waits for its thread.
#pragma once

#include "app/dialog_window.h"
#include "net/feedback_submission.h"
#include "ui/core/ui_event_queue.h"

#include <memory>
#include <thread>

namespace scalora {

class ExchangeCancel;
class LayoutReport;
class UIButton;
class UILineEdit;
class UITextEdit;

class FeedbackWindow : public DialogWindow {
public:
    FeedbackWindow(UIWindow* owner, FeedbackEndpoint endpoint);
    ~FeedbackWindow() override;

    UILineEdit& emailField() const { return *email_; }
    UITextEdit& messageField() const { return *message_; }
    UIButton& sendButton() const { return *send_; }
    // Whether an exchange is in flight.
    bool isSending() const { return sending_; }

protected:
    void closeEvent(UIEvent& e) override;

private:
    void send();
    void finishSending(FeedbackOutcome outcome);
    void stopExchange();

    FeedbackEndpoint endpoint_;
    UILineEdit* email_ = nullptr;
    UITextEdit* message_ = nullptr;
    UIButton* send_ = nullptr;
    UIMessageHandlerId handler_ = 0;
    std::unique_ptr<ExchangeCancel> cancel_;
    std::unique_ptr<LayoutReport> layoutReport_;
    std::thread worker_;
    bool sending_ = false;
};

// Builds the window for the configured feedback service, runs it modally over owner and
// destroys it.
void runFeedbackWindow(UIWindow* owner);

} // namespace scalora
