#include "gallery_text.h"

#include "base/strings.h"
#include "ui/core/ui_layout.h"
#include "ui/draw/canvas.h"
#include "ui/widgets/ui_file_dialog.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_text_edit.h"

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

// Opens the desktop's file dialog on a click and reports what was chosen.
class ChooseFileBox : public UIElement {
public:
    ChooseFileBox(UIElement* parent, Reporter report)
        : UIElement(parent), report_(std::move(report)) {
        setStyleClass("SandboxChooseFile");
        setFlag(kParentBackground, true);
        setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
        setCursorId(CursorId::Hand);
    }
    Size sizeHint() const override { return {110, 23}; }

protected:
    void paintEvent(UIEvent& e) override {
        Canvas& c = *e.canvas;
        c.fillRect(rect(), Brush({0xFFFAFAFA, 0xFFE2E2E2}));
        c.drawRect(rect(), 0xFF707070);
        c.drawText(font_, rect(), "Choose file...", 0xFF202020, kAlignHCenter | kAlignVCenter);
    }
    void mouseClickEvent(UIEvent& e) override {
        if (e.button != kLeftButton) {
            return;
        }
        UIFileDialog dialog(this);
        dialog.setTitle("Choose a file for the sandbox");
        dialog.setMultipleSelection(true);
        dialog.addFilter("All files", "*");
        dialog.addFilter("Images", "*.jpg|*.jpeg|*.png");
        report_(dialog.run() ? "chosen " + join(dialog.result(), " ") + " folder " + dialog.folder()
                             : std::string("dialog cancelled"));
    }

private:
    Reporter report_;
    UIFont font_{UIFont::defaultFamily(), 9};
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
    auto* choose = new ChooseFileBox(row, report);
    auto* textEdit = new UITextEdit(row);
    textEdit->setText("A text edit wraps its lines at the width it is given and scrolls up and "
                      "down to keep the caret in view.\nCtrl with + and - changes the text size.");
    textEdit->setMinimumSize({0, 64});
    textEdit->textChanged().connect(
        [report](const std::string& t) { report("text textedit " + t.substr(0, t.find('\n'))); });

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
    choose->show();
    layout->addElement(choose);
    textEdit->show();
    auto column = std::make_unique<UIVBoxLayout>();
    column->setContentsMargins({0, 0, 0, 0});
    column->setSpacing(10);
    column->addLayout(std::move(layout));
    column->addElement(textEdit);
    row->setLayout(std::move(column));
    window->signal(UIEventType::Paint)
        .connect([report, edits, choose, textEdit, done = false](UIEvent&) mutable {
            if (done) {
                return;
            }
            done = true;
            auto place = [&report](const UIElement* element, const std::string& name) {
                const Rect r = element->windowRect();
                report("element " + name + " " + std::to_string(r.x) + " " + std::to_string(r.y) +
                       " " + std::to_string(r.width) + " " + std::to_string(r.height));
            };
            for (const Named& n : edits) {
                place(n.edit, n.name);
            }
            place(choose, "choosefile");
            place(textEdit, "textedit");
        });
    return row;
}

} // namespace scalora::sandbox
