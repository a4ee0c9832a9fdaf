// Index: sample images; the stand-in menu; the page's window; one section per family.
#include "gallery_basic.h"

#include "imaging/pixel_image.h"
#include "ui/core/ui_layout.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/widgets/ui_box.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_check_box.h"
#include "ui/widgets/ui_drop_down_menu.h"
#include "ui/widgets/ui_expander.h"
#include "ui/widgets/ui_group.h"
#include "ui/widgets/ui_line.h"
#include "ui/widgets/ui_link.h"
#include "ui/widgets/ui_picture.h"
#include "ui/widgets/ui_progress.h"
#include "ui/widgets/ui_size_grip.h"
#include "ui/widgets/ui_spacer.h"
#include "ui/widgets/ui_spin_box.h"
#include "ui/widgets/ui_status_bar.h"
#include "ui/widgets/ui_tool_button.h"

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace scalora::sandbox {

namespace {

using Report = std::function<void(const std::string&)>;

// --- sample images ---

// A round badge of one colour with a lighter rim, premultiplied like style images.
std::shared_ptr<const PixelImage> badge(std::int32_t size, Color color) {
    auto image = std::make_shared<PixelImage>();
    if (!image->allocate(size, size, AlphaKind::Premultiplied)) {
        return nullptr;
    }
    image->fill(0);
    const double c = (size - 1) / 2.0;
    for (std::int32_t y = 0; y < size; ++y) {
        for (std::int32_t x = 0; x < size; ++x) {
            const double d = std::hypot(x - c, y - c);
            const double cover = std::clamp(c + 0.5 - d, 0.0, 1.0);
            if (cover > 0) {
                const auto a = static_cast<std::uint8_t>(std::lround(cover * 255));
                auto mul = [a](std::uint8_t v) {
                    return static_cast<std::uint8_t>((v * a + 127) / 255);
                };
                image->setPixel(
                    x, y, makeColor(a, mul(redOf(color)), mul(greenOf(color)), mul(blueOf(color))));
            }
        }
    }
    return image;
}

UIButtonIcons iconSet(std::int32_t size) {
    return {badge(size, 0xFF2E7D32), badge(size, 0xFFB0B0B0), badge(size, 0xFF43A047),
            badge(size, 0xFF1B5E20)};
}

// A sunset of bands, to show a picture shrunk to fit.
std::shared_ptr<const PixelImage> landscape() {
    auto image = std::make_shared<PixelImage>();
    if (!image->allocate(160, 100, AlphaKind::Premultiplied)) {
        return nullptr;
    }
    for (std::int32_t y = 0; y < 100; ++y) {
        for (std::int32_t x = 0; x < 160; ++x) {
            const bool ground = y > 70 + 6 * std::sin(x / 18.0);
            const auto sky = static_cast<std::uint8_t>(120 + y);
            image->setPixel(x, y,
                            ground ? 0xFF2F5D3A
                                   : makeColor(255, 255, sky, static_cast<std::uint8_t>(80 + y)));
        }
    }
    return image;
}

// --- the stand-in menu ---

// Until the menus arrive: a small popup under the button that a click closes.
class StandInMenu : public UIWindow, public UIDropDownMenu {
public:
    StandInMenu(UIElement* owner, Report report)
        : UIWindow(owner, kWindowPopup), report_(std::move(report)) {
        setStyleClass("UIWindow");
        setDeleteOnClose(false);
        setSize(120, 40);
        auto* item = new UIButton(this, "Close menu");
        item->setFlat(true);
        item->clicked().connect([this] {
            hide();
            closed().emit();
        });
        auto column = std::make_unique<UIVBoxLayout>();
        column->setContentsMargins({4, 4, 4, 4});
        column->addElement(item);
        setLayout(std::move(column));
        item->show();
    }

    void dropDownAt(Point screen) override {
        report_("menu " + std::to_string(screen.x) + " " + std::to_string(screen.y));
        popupAt(screen);
    }

private:
    Report report_;
};

// --- the page ---

class GalleryWindow : public UIWindow {
public:
    explicit GalleryWindow(Report report)
        : UIWindow(nullptr, kDefaultWindowOptions | kWindowResizable), report_(std::move(report)) {
        setStyleClass("UIWindow");
        setTitle("Basic widgets");
        signal(UIEventType::Paint).connect([this](UIEvent&) { announce(); });
    }
    const Report& report() const { return report_; }
    // An element whose place the first paint reports, for tests that click it.
    void track(std::string name, const UIElement* element) {
        tracked_.emplace_back(std::move(name), element);
    }

private:
    void announce() {
        if (announced_) {
            return;
        }
        announced_ = true;
        for (const auto& [name, element] : tracked_) {
            const Rect r = element->windowRect();
            report_("element " + name + " " + std::to_string(r.x) + " " + std::to_string(r.y) +
                    " " + std::to_string(r.width) + " " + std::to_string(r.height));
        }
        report_("gallery basic ready");
    }

    Report report_;
    std::vector<std::pair<std::string, const UIElement*>> tracked_;
    bool announced_ = false;
};

// A titled section with its samples in a row.
struct Section {
    UIGroup* group;
    UIHBoxLayout* row;
};

Section section(UIElement* page, UIVBoxLayout& column, const std::string& title) {
    auto* group = new UIGroup(page, title);
    auto row = std::make_unique<UIHBoxLayout>();
    row->setContentsMargins({8, 6, 8, 8});
    row->setSpacing(8);
    UIHBoxLayout* rowPtr = row.get();
    group->setLayout(std::move(row));
    column.addElement(group);
    return {group, rowPtr};
}

template <typename Widget> Widget* add(Section& s, Widget* widget, std::int32_t stretch = 0) {
    s.row->addElement(widget, stretch);
    return widget;
}

// Shows the state the sample stands for until the pointer passes over it.
void pose(UIElement* e, bool hovered, bool pressed) {
    e->setFlag(kHovered, hovered);
    e->setFlag(kPressed, pressed);
}

void buttons(GalleryWindow* page, UIVBoxLayout& column, const Report& report) {
    Section s = section(page, column, "Buttons");
    const char* names[] = {"Normal", "Hovered", "Pressed", "Disabled", "Checked"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        auto* b = add(s, new UIButton(s.group, names[i]));
        b->clicked().connect([report, name = std::string(names[i])] { report("clicked " + name); });
        pose(b, i == 1 || i == 2, i == 2);
        if (i == 3) {
            b->disable();
        }
        if (i == 4) {
            b->setCheckable(true);
            b->setChecked(true);
        }
        if (i == 0) {
            b->setFocus();
            page->track("normal", b);
        }
    }
    auto* flat = add(s, new UIButton(s.group, "Flat"));
    flat->setFlat(true);
    auto* left = add(s, new UIButton(s.group, "Icon"));
    left->setIcons(iconSet(16));
    auto* top = add(s, new UIButton(s.group, "Above"));
    top->setIcons(iconSet(16));
    top->setIconPlacement(UIIconPlacement::Top);
    auto* menu = add(s, new UIButton(s.group, "Menu"));
    menu->setMenu(new StandInMenu(menu, report));
    s.row->addStretch();
}

void toolButtons(UIElement* page, UIVBoxLayout& column, const Report& report) {
    Section s = section(page, column, "Tool buttons");
    const char* names[] = {"Normal", "Hovered", "Pressed", "Disabled", "Checked"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        auto* b = add(s, new UIToolButton(s.group, names[i]));
        b->setIcons(iconSet(24));
        pose(b, i == 1 || i == 2, i == 2);
        if (i == 3) {
            b->disable();
        }
        if (i == 4) {
            b->setCheckable(true);
            b->setChecked(true);
        }
    }
    auto* icon = add(s, new UIToolButton(s.group));
    icon->setIcons(iconSet(24));
    auto* drop = add(s, new UIToolButton(s.group, "Drop"));
    drop->setIcons(iconSet(24));
    drop->setMenu(new StandInMenu(drop, report));
    pose(drop, true, false);
    s.row->addStretch();
}

void checkBoxes(GalleryWindow* page, UIVBoxLayout& column, const Report& report) {
    Section s = section(page, column, "Check boxes");
    struct Sample {
        const char* name;
        bool checked, hovered, pressed, disabled;
    };
    const Sample samples[] = {
        {"Off", false, false, false, false},      {"Hovered", false, true, false, false},
        {"Pressed", false, true, true, false},    {"On", true, false, false, false},
        {"On hovered", true, true, false, false}, {"Disabled", false, false, false, true},
        {"On disabled", true, false, false, true}};
    for (const Sample& sample : samples) {
        auto* box = add(s, new UICheckBox(s.group, sample.name));
        box->setChecked(sample.checked);
        pose(box, sample.hovered, sample.pressed);
        if (sample.disabled) {
            box->disable();
        }
        if (!sample.checked && !sample.hovered && !sample.disabled) {
            page->track("off", box);
        }
        box->clicked().connect([report, box] {
            report("checked " + box->text() + " " + (box->isChecked() ? "1" : "0"));
        });
    }
    s.row->addStretch();
}

void linksAndSpins(GalleryWindow* page, UIVBoxLayout& column, const Report& report) {
    Section s = section(page, column, "Links and spin boxes");
    auto* link = add(s, new UILink(s.group, "Product page", "https://example.org/"));
    link->setOpener([report](std::string_view address) {
        report("open " + std::string(address));
        return true;
    });
    auto* hovered = add(s, new UILink(s.group, "Hovered link", "https://example.org/"));
    pose(hovered, true, false);
    add(s, new UILink(s.group, "Disabled link"))->disable();
    add(s, new UISpacer(s.group, 16));
    auto* width = add(s, new UISpinBox(s.group, 1, 99999));
    width->setValue(1280);
    page->track("width", width);
    width->valueChanged().connect(
        [report](std::int32_t v) { report("value Width " + std::to_string(v)); });
    auto* atMinimum = add(s, new UISpinBox(s.group, 0, 100));
    atMinimum->setValue(0);
    auto* off = add(s, new UISpinBox(s.group, 0, 100));
    off->setValue(90);
    off->disable();
    s.row->addStretch();
}

void progress(UIElement* page, UIVBoxLayout& column) {
    Section s = section(page, column, "Progress");
    auto bars = std::make_unique<UIVBoxLayout>();
    bars->setContentsMargins({0, 0, 0, 0});
    bars->setSpacing(6);
    const std::int64_t values[] = {0, 40, 100};
    for (const std::int64_t v : values) {
        auto* bar = new UIProgress(s.group);
        bar->setValue(v);
        bar->setTextVisible(v == 40);
        bars->addElement(bar);
    }
    auto* off = new UIProgress(s.group);
    off->setValue(60);
    off->disable();
    bars->addElement(off);
    s.row->addLayout(std::move(bars), 1);
    for (const std::int64_t v : {std::int64_t{0}, std::int64_t{50}, std::int64_t{100}}) {
        auto* bar = add(s, new UIProgress(s.group, UIOrientation::Vertical));
        bar->setValue(v);
        bar->setMinimumSize({0, 80});
    }
}

void containers(UIElement* page, UIVBoxLayout& column, const Report& report) {
    Section s = section(page, column, "Groups, pictures, lines, boxes");
    auto* open = add(s, new UIGroup(s.group, "Collapsible"));
    open->setCollapsible(true);
    auto* folded = add(s, new UIGroup(s.group, "Folded"));
    folded->setCollapsible(true);
    for (UIGroup* g : {open, folded}) {
        auto* inner = new UICheckBox(g, "Inside");
        auto layout = std::make_unique<UIVBoxLayout>();
        layout->setContentsMargins({8, 6, 8, 8});
        layout->addElement(inner);
        g->setLayout(std::move(layout));
        g->collapsedChanged().connect([report, g](bool collapsed) {
            report("folded " + g->title() + " " + (collapsed ? "1" : "0"));
        });
    }
    for (UIElement* inner : folded->children()) {
        inner->show();
    }
    folded->setCollapsed(true);
    auto* plain = add(s, new UIGroup(s.group, "Disabled"));
    auto* inside = new UIButton(plain, "Inside");
    auto plainLayout = std::make_unique<UIVBoxLayout>();
    plainLayout->setContentsMargins({8, 6, 8, 8});
    plainLayout->addElement(inside);
    plain->setLayout(std::move(plainLayout));
    plain->disable();
    auto* picture = add(s, new UIPicture(s.group, landscape()));
    picture->setCaption("Picture");
    picture->setMaximumSize({120, 100});
    auto* box = add(s, new UIBox(s.group), 1);
    box->setBackground(Brush({0xFFDCEBFA, 0xFFB4D2F0}));
    auto* line = new UILine(box);
    auto* expander = new UIExpander(box);
    auto* inBox = new UIButton(box, "In a box");
    auto boxLayout = std::make_unique<UIVBoxLayout>();
    boxLayout->setContentsMargins({8, 8, 8, 8});
    boxLayout->addElement(inBox);
    boxLayout->addElement(line);
    boxLayout->addElement(expander);
    box->setLayout(std::move(boxLayout));
}

// Shows every element below `e` that was not hidden on purpose.
void showTree(UIElement* e) {
    for (UIElement* child : e->children()) {
        if (child->isWindow()) {
            continue;
        }
        const auto* group = dynamic_cast<const UIGroup*>(e);
        if (group == nullptr || !group->isCollapsed()) {
            child->show();
        }
        showTree(child);
    }
}

} // namespace

UIWindow* makeBasicGallery(std::function<void(const std::string&)> report) {
    auto* window = new GalleryWindow(std::move(report));
    window->setGeometry({40, 20, 860, 660});
    window->setMinimumSize({480, 360});
    const Report& r = window->report();
    auto sections = std::make_unique<UIVBoxLayout>();
    sections->setContentsMargins({10, 8, 10, 8});
    sections->setSpacing(6);
    buttons(window, *sections, r);
    toolButtons(window, *sections, r);
    checkBoxes(window, *sections, r);
    linksAndSpins(window, *sections, r);
    progress(window, *sections);
    containers(window, *sections, r);
    sections->addStretch();
    auto column = std::make_unique<UIVBoxLayout>();
    column->setContentsMargins({0, 0, 0, 0});
    column->setSpacing(0);
    column->addLayout(std::move(sections), 1);
    auto* status = new UIStatusBar(window);
    auto* busy = new UIProgress(status);
    busy->setValue(70);
    busy->setMaximumSize({160, 0});
    status->addElement(busy);
    status->setSizeGripVisible(true);
    column->addElement(status);
    showTree(window);
    window->setLayout(std::move(column));
    return window;
}

} // namespace scalora::sandbox
