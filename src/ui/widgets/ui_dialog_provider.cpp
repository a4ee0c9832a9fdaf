#include "ui/widgets/ui_dialog_provider.h"

#include "ui/core/ui_element.h"
#include "ui/core/ui_toolkit.h"
#include "ui/widgets/desktop_dialog_provider.h"

#include <iostream>

namespace scalora {

namespace {

std::unique_ptr<UIDialogProvider>& providerSlot() {
    static std::unique_ptr<UIDialogProvider> provider;
    return provider;
}

DialogNotice& noticeSlot() {
    static DialogNotice notice;
    return notice;
}

} // namespace

UIDialogProvider& dialogProvider() {
    std::unique_ptr<UIDialogProvider>& slot = providerSlot();
    if (!slot) {
        slot = std::make_unique<DesktopDialogProvider>();
    }
    return *slot;
}

void setDialogProvider(std::unique_ptr<UIDialogProvider> provider) {
    providerSlot() = std::move(provider);
}

void setDialogNotice(DialogNotice notice) {
    noticeSlot() = std::move(notice);
}

void showDialogNotice(UIWindow* owner, const std::string& text) {
    if (const DialogNotice& notice = noticeSlot()) {
        notice(owner, text);
        return;
    }
    std::cerr << text << std::endl;
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->windowSystem().beep();
    }
}

bool takeDialogAnswer(const DialogAnswer& answer, UIElement* owner) {
    switch (answer.outcome) {
    case DialogOutcome::Chosen:
        return !answer.paths.empty();
    case DialogOutcome::Unavailable:
    case DialogOutcome::Failed:
        showDialogNotice(owner != nullptr ? owner->window() : nullptr, answer.message);
        return false;
    case DialogOutcome::Cancelled:
        break;
    }
    return false;
}

} // namespace scalora
