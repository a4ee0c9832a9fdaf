#include "gallery_text.h"

#include "ui/core/ui_layout.h"
#include "ui/widgets/ui_line_edit.h"

#include <memory>
#include <vector>

namespace scalora::sandbox {

namespace {

class GalleryRow : public UIElement {
public:
    explicit GalleryRow(UIElement* parent) : UIElement(parent) {
        setStyleClass("SandboxGalleryRow");
        setFlag(kParentBackground, true);
        setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
    }
    Size sizeHint() const override { return layout() != nullptr ? layout()->sizeHint() : Size{}; }
};

} // namespace

UIElement* makeTextGallery(UIWindow* window, const Reporter& report) {
    auto* row = new GalleryRow(window);
    auto* plain = new UILineEdit(row);
    plain->setText("Grüße");
    auto* blank = new UILineEdit(row);
    blank->setBlankText("Type here");
    auto* readOnly = new UILineEdit(row);
    readOnly->setText("Read only, selectable");
    readOnly->setReadOnly(true);

    struct Named {
        UILineEdit* edit;
        const char* name;
    };
    const std::vector<Named> edits{
        {plain, "lineedit"}, {blank, "blankedit"}, {readOnly, "readonly"}};
    auto layout = std::make_unique<UIHBoxLayout>();
    layout->setContentsMargins({0, 0, 0, 0});
    layout->setSpacing(10);
    for (const Named& n : edits) {
        n.edit->textChanged().connect(
            [report, name = std::string(n.name)](const std::string& text) {
                report("text " + name + " " + text);
            });
        n.edit->show();
        layout->addElement(n.edit);
    }
    row->setLayout(std::move(layout));
    window->signal(UIEventType::Paint).connect([report, edits, done = false](UIEvent&) mutable {
        if (done) {
            return;
        }
        done = true;
        for (const Named& n : edits) {
            const Rect r = n.edit->windowRect();
            report("element " + std::string(n.name) + " " + std::to_string(r.x) + " " +
                   std::to_string(r.y) + " " + std::to_string(r.width) + " " +
                   std::to_string(r.height));
        }
    });
    return row;
}

} // namespace scalora::sandbox
