#include "app/about_window.h"

#include "app/application.h"
#include "app/skin_icons.h"
#include "data/translate.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_line.h"
#include "ui/widgets/ui_link.h"
#include "ui/widgets/ui_picture.h"

#include <chrono>
#include <memory>

namespace scalora {
namespace {

constexpr std::string_view kContext = "AboutWindow";
constexpr std::int32_t kMinimumWidth = 280;

UILabel* addLine(UIElement* parent, UIBoxLayout& column, std::string text) {
    auto* label = new UILabel(parent, std::move(text));
    column.addElement(label);
    label->show();
    return label;
}

} // namespace

AboutContent currentAboutContent() {
    AboutContent content;
    if (const Application* app = Application::instance()) {
        content.version = app->version();
        content.productUrl = app->productUrl();
        content.companyName = app->companyName();
    }
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    content.year = static_cast<int>(today.year());
    return content;
}

AboutWindow::AboutWindow(UIWindow* owner, const AboutContent& content)
    : DialogWindow(owner, translate("About", kContext)) {
    auto column = dialogColumn(kDialogMargin, kDialogSpacing);
    auto top = std::make_unique<UIHBoxLayout>();
    top->setContentsMargins({0, 0, 0, 0});
    top->setSpacing(kDialogMargin);

    // A style without the logo leaves the picture empty: it takes no room and draws nothing.
    logo_ = new UIPicture(this, skinIcons("logo")[static_cast<std::size_t>(UIButtonIcon::Normal)]);
    logo_->show();
    top->addElement(logo_);

    auto text = std::make_unique<UIVBoxLayout>();
    text->setContentsMargins({0, 0, 0, 0});
    text->setSpacing(kDialogLineSpacing);
    version_ = addLine(this, *text, "v" + content.version);
    // The licence word is the same in every language.
    addLine(this, *text, "Freeware");
    link_ = new UILink(this, content.productUrl, content.productUrl);
    // The link keeps the width of its text; the stretch puts it where the other lines start.
    auto linkRow = std::make_unique<UIHBoxLayout>();
    linkRow->setContentsMargins({0, 0, 0, 0});
    linkRow->addElement(link_);
    linkRow->addStretch();
    text->addLayout(std::move(linkRow));
    link_->show();
    company_ = addLine(this, *text,
                       "\xC2\xA9 " + std::to_string(content.year) + " " + content.companyName);
    text->addStretch();
    top->addLayout(std::move(text), 1);
    column->addLayout(std::move(top));

    auto* line = new UILine(this);
    line->show();
    column->addElement(line);
    ok_ = new UIButton(this, translate("Ok", kContext));
    column->addLayout(dialogButtonRow({ok_}));
    setLayout(std::move(column));

    ok_->clicked().connect([this] { close(); });
    placeOverOwner(kMinimumWidth);
}

void runAboutWindow(UIWindow* owner) {
    AboutWindow window(owner, currentAboutContent());
    (void)window.exec();
}

} // namespace scalora
