#include "app/dialog_window.h"

#include "app/application.h"
#include "app/layout_report.h"
#include "base/strings.h"
#include "ui/core/ui_event.h"
#include "ui/widgets/popup_placement.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_message_box.h"

#include <algorithm>

namespace scalora {
namespace {

constexpr std::int32_t kMinimumButtonWidth = 76;
// Room kept to the edges of the work area, as the message boxes keep.
constexpr std::int32_t kDesktopPadding = 8;

} // namespace

std::string dialogCaption(std::string_view title) {
    std::string caption(title);
    if (const Application* app = Application::instance()) {
        caption += " - " + app->productName();
    }
    return caption;
}

DialogWindow::DialogWindow(UIWindow* owner, std::string_view title)
    : UIWindow(owner, kDefaultWindowOptions) {
    setStyleClass("UIWindow");
    setDeleteOnClose(false);
    // Escape must close the window whichever control has the focus.
    setFlag(kKeyPreview, true);
    setTitle(dialogCaption(title));
}

void DialogWindow::placeOverOwner(std::int32_t minimumWidth) {
    const Size hint = sizeHint();
    const Size size{std::max(hint.width, minimumWidth), hint.height};
    setMinimumSize(size);
    setMaximumSize(size);
    setSize(size.width, size.height);
    const UIWindow* owner = parent() != nullptr ? parent()->window() : nullptr;
    const Rect over =
        owner != nullptr && owner->isVisible() ? owner->geometry() : workAreaAt({0, 0});
    const Point centre{over.x + over.width / 2, over.y + over.height / 2};
    const Rect placed =
        keepInside({centre.x - size.width / 2, centre.y - size.height / 2, size.width, size.height},
                   workAreaAt(centre), kDesktopPadding);
    setPosition(placed.x, placed.y);
}

void DialogWindow::keyPressEvent(UIEvent& e) {
    if (e.key == vk::kEscape) {
        e.accept();
        // As the close box does, so that a window's own closing rules run for Escape too.
        UIEvent closing(UIEventType::Close);
        sendEvent(closing);
        return;
    }
    UIWindow::keyPressEvent(e);
}

std::unique_ptr<UIHBoxLayout> dialogButtonRow(std::initializer_list<UIButton*> buttons) {
    std::int32_t width = kMinimumButtonWidth;
    for (const UIButton* b : buttons) {
        width = std::max(width, b->sizeHint().width);
    }
    auto row = std::make_unique<UIHBoxLayout>();
    row->setContentsMargins({0, 0, 0, 0});
    row->setSpacing(kDialogSpacing);
    row->addStretch();
    for (UIButton* b : buttons) {
        b->setMinimumSize({width, 0});
        row->addElement(b);
        b->show();
    }
    return row;
}

std::unique_ptr<UIVBoxLayout> dialogColumn(std::int32_t margin, std::int32_t spacing) {
    auto column = std::make_unique<UIVBoxLayout>();
    column->setContentsMargins({margin, margin, margin, margin});
    column->setSpacing(spacing);
    return column;
}

void showDialogMessage(UIWindow* parent, std::int32_t iconKind, std::string text,
                       std::string detail) {
    UIMessageBox box(parent, iconKind, currentProductName(), std::move(text),
                     UIMessageBoxButton::Ok);
    if (!detail.empty()) {
        box.setDetailText(std::move(detail));
    }
    // Which message shows, on one line, for the end-to-end tests.
    LayoutReport report(box, "message");
    report.add("ok", box.button(UIMessageBoxButton::Ok),
               [&box] { return replaceAll(box.text(), "\n", "|"); });
    (void)box.run();
}

} // namespace scalora
