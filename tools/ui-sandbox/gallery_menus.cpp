#include "gallery_menus.h"

#include "ui/core/ui_layout.h"
#include "ui/core/ui_toolkit.h"
#include "ui/style/ui_style_manager.h"
#include "ui/widgets/ui_balloon_tip.h"
#include "ui/widgets/ui_menu.h"
#include "ui/widgets/ui_menu_bar.h"
#include "ui/widgets/ui_message_box.h"
#include "ui/widgets/ui_tool_bar.h"
#include "ui/widgets/ui_tool_button.h"

#include <memory>

namespace scalora::sandbox {

namespace {

class GalleryWindow : public UIWindow {
public:
    GalleryWindow() : UIWindow(nullptr, kDefaultWindowOptions | kWindowResizable) {
        setStyleClass("UIWindow");
    }
};

std::shared_ptr<const PixelImage> standardIcon(StandardImage id) {
    const PixelImage* image = UIStyleManager::instance().standardImage(id);
    return image != nullptr ? std::make_shared<PixelImage>(image->clone()) : nullptr;
}

std::string boxLine(const std::string& name, const Rect& r) {
    return "element menus." + name + " " + std::to_string(r.x) + " " + std::to_string(r.y) + " " +
           std::to_string(r.width) + " " + std::to_string(r.height);
}

// Every item of the menu and its submenus reports when chosen; the menu reports where it
// opened and that it closed.
void reportMenu(UIMenu* menu, const Reporter& report, bool top) {
    for (std::size_t i = 0; i < menu->itemCount(); ++i) {
        UIMenuItem* item = menu->item(i);
        if (item->submenu() != nullptr) {
            reportMenu(item->submenu(), report, false);
        } else if (!item->isSeparator()) {
            item->command().connect(
                [report, text = item->text()] { report("menus command " + text); });
        }
    }
    if (!top) {
        return;
    }
    menu->signal(UIEventType::Show).connect([report, menu](UIEvent&) {
        const Rect g = menu->geometry();
        report("menus menu open " + std::to_string(g.x) + " " + std::to_string(g.y) + " " +
               std::to_string(g.width) + " " + std::to_string(g.height));
    });
    menu->closed().connect([report] { report("menus menu closed"); });
}

UIMenu* makeContextMenu(UIElement* owner) {
    auto* menu = new UIMenu(owner);
    menu->addItem("Add images...", standardIcon(StandardImage::InformationSmall));
    menu->addItem("Add folder...", standardIcon(StandardImage::DirectorySmall));
    menu->addSeparator();
    menu->setItemChecked(menu->addItem("Show preview"), true);
    UIMenuItem* names = menu->addItem("File names");
    UIMenuItem* paths = menu->addItem("Full paths");
    menu->setItemRadio(names, true);
    menu->setItemRadio(paths, true);
    menu->setItemChecked(names, true);
    menu->addSeparator();
    UIMenu* sort = menu->addSubmenu("Sort by");
    sort->addItem("Name");
    sort->addItem("Size");
    sort->addItem("Date");
    menu->setItemEnabled(menu->addItem("Remove selected"), false);
    menu->addItem("Exclude all images", standardIcon(StandardImage::CriticalSmall));
    return menu;
}

UIToolBar* makeToolBar(UIElement* parent, const Reporter& report) {
    auto* bar = new UIToolBar(parent);
    auto icons = [](StandardImage id) {
        UIButtonIcons set;
        set[0] = standardIcon(id);
        return set;
    };
    auto tool = [&report](UIToolButton* b, const std::string& name) {
        b->setToolTip(name);
        b->clicked().connect([report, name] { report("menus tool " + name); });
    };
    tool(bar->addButton({}, icons(StandardImage::InformationMedium)), "Information");
    tool(bar->addButton({}, icons(StandardImage::QuestionMedium)), "Question");
    bar->addSeparator();
    auto* sortMenu = new UIMenu(bar);
    sortMenu->addItem("By name");
    sortMenu->addItem("By size");
    reportMenu(sortMenu, report, true);
    tool(bar->addMenuButton(sortMenu, "Sort"), "Sort");
    bar->addSeparator();
    tool(bar->addButton({}, icons(StandardImage::WarningMedium)), "Warning");
    return bar;
}

// A modal message box with a long text, a detail, the check box and three buttons.
void runMessageBox(UIWindow* owner, const Reporter& report) {
    std::string text = "The destination folder already holds files with the names of the "
                       "resized images.";
    for (int i = 0; i < 3; ++i) {
        text += " Existing files are replaced only when the option to overwrite them is on; "
                "otherwise every result gets a number after its name.";
    }
    UIMessageBox box(owner, 2, "Resize", text,
                     UIMessageBoxButton::Yes | UIMessageBoxButton::No | UIMessageBoxButton::Cancel,
                     kMessageBoxDoNotShowAgain);
    box.setDetailText("Replace the existing files?");
    box.signal(UIEventType::Show).connect([report](UIEvent&) { report("menus message open"); });
    const UIMessageBoxButton result = box.run();
    report("menus message result " + std::to_string(static_cast<std::uint32_t>(result)) +
           (box.isDoNotShowAgainChecked() ? " checked" : ""));
}

} // namespace

void openMenusGallery(const Reporter& report) {
    auto* window = new GalleryWindow;
    window->setTitle("Menus Gallery");
    window->setBackground(0xFFF3F4F6);
    window->setGeometry({720, 60, 420, 380});

    auto* bar = new UIMenuBar(window);
    UIMenu* file = bar->addMenu("File");
    file->addItem("Add images...");
    file->addItem("Add folder...");
    file->addSeparator();
    file->addItem("Quit");
    UIMenu* view = bar->addMenu("View");
    view->setItemChecked(view->addItem("Show preview"), true);
    UIMenu* sort = view->addSubmenu("Sort by");
    sort->addItem("Name");
    sort->addItem("Size");
    reportMenu(file, report, true);
    reportMenu(view, report, true);

    auto* context = new ClickBox(window, "context", 0xFF5B6B8C, report);
    UIMenu* menu = makeContextMenu(context);
    context->setContextMenu(menu);
    reportMenu(menu, report, true);
    auto* width = new ClickBox(window, "width", 0xFF3C78C8, report);
    width->setToolTip("Width");
    auto* height = new ClickBox(window, "height", 0xFF2E9E5B, report);
    height->setToolTip("Height: the tool tip of a box\nwith a second line");
    auto* balloon = new ClickBox(window, "balloon", 0xFFC8963C, report);
    UIToolBar* tools = makeToolBar(window, report);
    auto* message = new ClickBox(window, "message", 0xFF7A4FA0, report);
    message->signal(UIEventType::MouseClick).connect([window, report](UIEvent&) {
        runMessageBox(window, report);
    });
    auto* tip = new UIBalloonTip(window);
    balloon->signal(UIEventType::MouseClick).connect([tip, balloon, report](UIEvent&) {
        const Rect r = balloon->windowRect();
        const UIWindow* w = balloon->window();
        tip->showBalloon("Width is invalid.", "Minimum: 1.", 3,
                         {w->x() + r.x + 10, w->y() + r.bottom() - 6});
        report("menus balloon shown");
    });

    auto tips = std::make_unique<UIHBoxLayout>();
    tips->setSpacing(10);
    tips->setContentsMargins({0, 0, 0, 0});
    tips->addElement(width);
    tips->addElement(height);
    auto column = std::make_unique<UIVBoxLayout>();
    column->setContentsMargins({0, 0, 0, 12});
    column->setSpacing(10);
    column->addElement(bar);
    column->addElement(tools);
    auto inner = std::make_unique<UIVBoxLayout>();
    inner->setContentsMargins({12, 0, 12, 0});
    inner->setSpacing(10);
    inner->addElement(context);
    inner->addLayout(std::move(tips));
    auto lower = std::make_unique<UIHBoxLayout>();
    lower->setSpacing(10);
    lower->setContentsMargins({0, 0, 0, 0});
    lower->addElement(balloon);
    lower->addElement(message);
    inner->addLayout(std::move(lower));
    inner->addStretch();
    column->addLayout(std::move(inner), 1);
    for (UIElement* e : window->children()) {
        if (!e->isWindow()) {
            e->show();
        }
    }
    window->setLayout(std::move(column));
    window->show();

    auto announced = std::make_shared<bool>(false);
    window->signal(UIEventType::Paint).connect([=](UIEvent&) {
        if (*announced) {
            return;
        }
        *announced = true;
        const Rect g = window->geometry();
        report("menus window " + std::to_string(g.x) + " " + std::to_string(g.y) + " " +
               std::to_string(g.width) + " " + std::to_string(g.height));
        report(boxLine("bar", bar->windowRect()));
        report(boxLine("tools", tools->windowRect()));
        for (UIElement* child : tools->children()) {
            if (dynamic_cast<UIToolButton*>(child) != nullptr) {
                report(boxLine("tool." + child->toolTip(), child->windowRect()));
            }
        }
        for (ClickBox* box : {context, width, height, balloon, message}) {
            report(boxLine(box->name(), box->windowRect()));
        }
        report("menus ready");
    });
}

} // namespace scalora::sandbox
