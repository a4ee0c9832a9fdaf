#include "app/feedback_window.h"

#include "app/layout_report.h"
#include "data/translate.h"
#include "net/exchange_cancel.h"
#include "net/feedback_form.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_text_edit.h"

#include <string>
#include <system_error>
#include <utility>

namespace scalora {
namespace {

constexpr std::string_view kContext = "FeedbackWindow";
constexpr std::uint32_t kExchangeEndedMessage = 0xF33D;
constexpr Size kMessageFieldSize{360, 160};

std::string tr(std::string_view text) {
    return translate(text, kContext);
}

UILabel* addLabel(UIElement* parent, UIBoxLayout& column, std::string_view text) {
    auto* label = new UILabel(parent, tr(text));
    column.addElement(label);
    label->show();
    return label;
}

} // namespace

FeedbackWindow::FeedbackWindow(UIWindow* owner, FeedbackEndpoint endpoint)
    : DialogWindow(owner, tr("Feedback")), endpoint_(std::move(endpoint)) {
    auto column = dialogColumn(kDialogMargin, kDialogLineSpacing);
    addLabel(this, *column, "Your email address (optional):");
    email_ = new UILineEdit(this);
    column->addElement(email_);
    column->addSpacing(kDialogSpacing);
    addLabel(this, *column, "Feedback:");
    message_ = new UITextEdit(this);
    message_->setMinimumSize(kMessageFieldSize);
    column->addElement(message_, 1);
    column->addSpacing(kDialogSpacing);
    send_ = new UIButton(this, tr("Send"));
    column->addLayout(dialogButtonRow({send_}));
    email_->show();
    message_->show();
    setLayout(std::move(column));

    handler_ = UIEventQueue::instance().registerHandler(
        [this](std::uint32_t code, std::int64_t outcome, std::int64_t) {
            if (code == kExchangeEndedMessage) {
                finishSending(static_cast<FeedbackOutcome>(outcome));
            }
        });
    send_->clicked().connect([this] { send(); });
    placeOverOwner();
    email_->setFocus();
    layoutReport_ = std::make_unique<LayoutReport>(*this, "feedback");
    layoutReport_->add("email", email_);
    layoutReport_->add("message", message_);
    layoutReport_->add("send", send_, [this] { return send_->isEnabled() ? "on" : "off"; });
}

FeedbackWindow::~FeedbackWindow() {
    stopExchange();
    UIEventQueue::instance().unregisterHandler(handler_);
}

void FeedbackWindow::closeEvent(UIEvent& e) {
    stopExchange();
    DialogWindow::closeEvent(e);
}

void FeedbackWindow::send() {
    if (sending_) {
        return;
    }
    if (buildFeedbackValue(email_->text(), message_->text()).empty()) {
        showDialogMessage(this, kInformationIcon, tr("Please fill the required fields."));
        return;
    }
    sending_ = true;
    send_->setEnabled(false);
    cancel_ = std::make_unique<ExchangeCancel>();
    try {
        worker_ =
            std::thread([endpoint = endpoint_, email = email_->text(), message = message_->text(),
                         cancel = cancel_.get(), handler = handler_] {
                FeedbackSubmission submission(endpoint);
                const FeedbackOutcome outcome = submission.submit(email, message, cancel);
                UIEventQueue::instance().postMessage(handler, kExchangeEndedMessage,
                                                     static_cast<std::int64_t>(outcome));
            });
    } catch (const std::system_error&) {
        // No thread to be had: nothing was sent, which the user hears as for any failure.
        finishSending(FeedbackOutcome::ConnectionProblem);
    }
}

void FeedbackWindow::finishSending(FeedbackOutcome outcome) {
    if (!sending_) {
        return; // the window was closed and the exchange cancelled meanwhile
    }
    stopExchange();
    switch (outcome) {
    case FeedbackOutcome::Accepted:
        showDialogMessage(this, kInformationIcon,
                          tr("Your feedback has been sent successfully. Thank you."));
        close();
        break;
    case FeedbackOutcome::NotAccepted:
        showDialogMessage(this, kWarningIcon, tr("Cannot send feedback."));
        break;
    case FeedbackOutcome::ConnectionProblem:
        showDialogMessage(this, kWarningIcon, tr("Cannot send feedback."),
                          tr("Please check your connection and try again."));
        break;
    case FeedbackOutcome::EmptyForm:
        showDialogMessage(this, kInformationIcon, tr("Please fill the required fields."));
        break;
    }
}

// Ends an exchange in flight at once and waits for its thread, which then only posts its
// outcome; finishSending ignores that outcome once sending_ is false.
void FeedbackWindow::stopExchange() {
    if (worker_.joinable()) {
        cancel_->cancel();
        worker_.join();
    }
    cancel_.reset();
    sending_ = false;
    if (!isDead()) {
        send_->setEnabled(true);
    }
}

void runFeedbackWindow(UIWindow* owner) {
    FeedbackWindow window(owner, defaultFeedbackEndpoint());
    (void)window.exec();
}

} // namespace scalora
