// Every window and message box of the program, in every language file the build ships, at
// its default and its smallest size: no label, button, check box or group title may show its
// text shortened with an ellipsis or cut by the element or a parent around it, and no item of
// a drop-down list or column title may show shortened. With SCALORA_KEEP_PNG set, a picture of
// each window in each language is kept there.
#include "app/about_window.h"
#include "app/feedback_window.h"
#include "app/main_window.h"
#include "app/options_window.h"
#include "app/progress_window.h"
#include "app/settings_access.h"
#include "data/settings_store.h"
#include "data/translate.h"
#include "data/translation.h"
#include "dialog_test_fixture.h"
#include "engine/batch_engine.h"
#include "engine/batch_start.h"
#include "engine/library_image_codec.h"
#include "platform/monitors.h"
#include "support/test_support.h"
#include "ui/style/ui_style_manager.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_combo_box.h"
#include "ui/widgets/ui_group.h"
#include "ui/widgets/ui_header.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_message_box.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace scalora::test {
namespace {

namespace fs = std::filesystem;

class NullObserver final : public BatchObserver {
public:
    void post(BatchMessage, ResizeThread&) override {}
};

class NullProgressHost final : public ProgressWindowHost {
public:
    void setMainCaption(const std::string&) override {}
    void rebuildTable() override {}
};

// What does not fit of a label, button, check box or group title, with the sizes; empty when
// it fits.
std::string misfit(const UIElement& e) {
    const auto describe = [&e](const char* kind, const std::string& text, const char* how) {
        return std::string(kind) + " \"" + text + "\" " + how + ": " + std::to_string(e.width()) +
               " x " + std::to_string(e.height()) + " px given, " +
               std::to_string(e.sizeHint().width) + " x " + std::to_string(e.sizeHint().height) +
               " px needed";
    };
    const auto cutByParent = [&e] { return e.visibleWindowRect() != e.windowRect(); };
    if (const auto* label = dynamic_cast<const UILabel*>(&e); label && !label->text().empty()) {
        if (label->isShortened() || label->height() < label->sizeHint().height) {
            return describe("label", label->text(), "shortened");
        }
        return cutByParent() ? describe("label", label->text(), "cut by its parent") : "";
    }
    if (const auto* button = dynamic_cast<const UIButton*>(&e); button && !button->text().empty()) {
        if (button->isShortened()) {
            return describe("button", button->text(), "shortened");
        }
        return cutByParent() ? describe("button", button->text(), "cut by its parent") : "";
    }
    if (const auto* group = dynamic_cast<const UIGroup*>(&e); group && !group->title().empty()) {
        if (group->isTitleShortened()) {
            return describe("group", group->title(), "shortened");
        }
        return cutByParent() ? describe("group", group->title(), "cut by its parent") : "";
    }
    return {};
}

// Each item of a drop-down list in turn, as the user may pick it.
void collectItemMisfits(UIComboBox& box, std::vector<std::string>& out) {
    const std::int32_t shown = box.currentIndex();
    for (std::int32_t i = 0; i < box.count(); ++i) {
        box.setCurrentIndex(i);
        const UILineEdit& field = *box.lineEdit();
        if (field.isTextShortened()) {
            out.push_back("list item \"" + field.text() +
                          "\" shortened: " + std::to_string(field.width()) + " px given, " +
                          std::to_string(field.textStyle().font.textWidth(field.text())) +
                          " px needed");
        }
    }
    box.setCurrentIndex(shown);
}

void collectMisfits(UIElement& e, std::vector<std::string>& out) {
    if (!e.isVisible()) {
        return;
    }
    if (std::string m = misfit(e); !m.empty()) {
        out.push_back(std::move(m));
    }
    if (auto* box = dynamic_cast<UIComboBox*>(&e)) {
        collectItemMisfits(*box, out);
    }
    if (const auto* header = dynamic_cast<const UIHeader*>(&e)) {
        for (std::int32_t i = 0; i < header->sectionCount(); ++i) {
            if (header->isTitleShortened(i)) {
                const std::string& title = header->section(i).title;
                const Margins p = header->itemPadding();
                out.push_back("column \"" + title + "\" shortened: " +
                              std::to_string(header->sectionSize(i)) + " px given, " +
                              std::to_string(header->font().textWidth(title) + p.left + p.right) +
                              " px needed");
            }
        }
    }
    for (UIElement* child : e.children()) {
        collectMisfits(*child, out);
    }
}

class WindowTextsTest : public DialogTest {
protected:
    WindowTextsTest()
        : settings_(openSettingsStore("Halvorn Scalora", temp_.path().string())),
          codec_(makeLibraryImageCodec()), engine_(*codec_, observer_),
          monitors_({{0, 0, 1920, 1080}}, 0, Rect{0, 0, 1920, 1040}) {
        // The style as the program loads it, with the program's own icons and the logo.
        UIStyleManager& styles = UIStyleManager::instance();
        styles.setModuleDirectory(binDir().string());
        EXPECT_TRUE(styles.loadStyle("default")) << styles.errorText();
    }
    ~WindowTextsTest() override { installTranslation(nullptr); }

    static std::vector<std::string> languageNames() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(languageFolder())) {
            if (entry.path().extension() == ".xml") {
                names.push_back(entry.path().stem().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    static fs::path languageFolder() { return binDir() / "languages"; }

    // Lays the window out at `size` (its own when empty) and records what does not fit.
    void check(UIWindow& window, const std::string& name, Size size = {}) {
        if (!size.isEmpty()) {
            window.setSize(size.width, size.height);
        }
        window.show();
        toolkit().processEvents();
        const std::string where = language_ + " " + name + " " + std::to_string(window.width()) +
                                  "x" + std::to_string(window.height());
        std::vector<std::string> misfits;
        collectMisfits(window, misfits);
        for (const std::string& m : misfits) {
            ADD_FAILURE() << where << ": " << m;
        }
        if (const auto* box = dynamic_cast<const UIMessageBox*>(&window); box && box->isTextCut()) {
            ADD_FAILURE() << where << ": the message \"" << box->text() << "\" is cut";
        }
        EXPECT_TRUE(keepPng(window, language_ + "_" + name + ".png"));
    }

    void checkMainWindow() {
        MainWindow window(*settings_, engine_, monitors_);
        window.applySettings();
        window.showAtStoredGeometry();
        window.updateCounter();
        check(window, "main");
        check(window, "main_minimum", window.minimumSize());
    }

    void checkProgressWindow() {
        NullProgressHost host;
        ProgressWindow window(nullptr, engine_, *settings_, host);
        check(window, "progress");
        // Nothing runs, so the window ends the run at once and shows Close.
        sys().setIdleHook([&] {
            if (window.isFinished()) {
                check(window, "progress_finished");
            }
            window.close();
        });
        window.run();
        sys().setIdleHook(nullptr);
        EXPECT_TRUE(window.isFinished()) << language_;
    }

    void checkDialogs() {
        AboutWindow about(nullptr,
                          {"1.2.5", "https://example.org/scalora", "Halvorn Software", 2026});
        check(about, "about");
        FeedbackWindow feedback(nullptr, FeedbackEndpoint{});
        check(feedback, "feedback");
        std::vector<LanguageInfo> languages = listLanguages({languageFolder().string()});
        OptionsWindow options(nullptr, *settings_, std::move(languages), {});
        check(options, "options");
    }

    // The boxes the windows and the batch start show, each with its translated text.
    void checkMessageBoxes() {
        struct Message {
            std::string name;
            std::int32_t icon;
            Refusal words;
        };
        const auto tr = translate;
        const std::vector<Message> messages{
            {"images_not_found", kInformationIcon, {tr("Images not found.", "Messages"), {}}},
            {"invalid_width", kWarningIcon, sizeRefusal(SizeCheck::InvalidWidth)},
            {"invalid_height", kWarningIcon, sizeRefusal(SizeCheck::InvalidHeight)},
            {"disk_space", kWarningIcon, *diskSpaceRefusal(std::uint64_t{5} << 30, 1)},
            {"settings_not_saved",
             kWarningIcon,
             {tr("Cannot save the settings.", "OptionsWindow"),
              "/home/someone/.config/Halvorn Scalora/settings.xml"}},
            {"fields_required",
             kInformationIcon,
             {tr("Please fill the required fields.", "FeedbackWindow"), {}}},
            {"feedback_refused", kWarningIcon, {tr("Cannot send feedback.", "FeedbackWindow"), {}}},
            {"no_connection",
             kWarningIcon,
             {tr("Cannot send feedback.", "FeedbackWindow"),
              tr("Please check your connection and try again.", "FeedbackWindow")}},
            {"feedback_sent",
             kInformationIcon,
             {tr("Your feedback has been sent successfully. Thank you.", "FeedbackWindow"), {}}},
        };
        for (const Message& m : messages) {
            UIMessageBox box(nullptr, m.icon, "Halvorn Scalora", m.words.text,
                             UIMessageBoxButton::Ok);
            box.setDetailText(m.words.detail);
            check(box, "message_" + m.name);
        }
    }

    TempDir temp_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<ImageCodec> codec_;
    NullObserver observer_;
    BatchEngine engine_;
    FixedMonitorProvider monitors_;
    std::string language_;
};

TEST_F(WindowTextsTest, EveryTextFitsInEveryLanguageAtTheDefaultAndTheSmallestSize) {
    const std::vector<std::string> names = languageNames();
    ASSERT_GE(names.size(), 2U) << "no language files in " << languageFolder();
    for (const std::string& name : names) {
        language_ = name;
        ASSERT_TRUE(setLanguage({languageFolder().string()}, name)) << name;
        checkMainWindow();
        checkProgressWindow();
        checkDialogs();
        checkMessageBoxes();
    }
}

} // namespace
} // namespace scalora::test
