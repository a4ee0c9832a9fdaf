// The Options window over a real settings file: what OK stores and writes, the language list
// from the language files, and that every way of backing out stores nothing.
#include "app/options_window.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "data/settings_store.h"
#include "dialog_test_fixture.h"
#include "support/test_support.h"
#include "ui/core/ui_event.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_check_box.h"
#include "ui/widgets/ui_combo_box.h"
#include "ui/widgets/ui_spin_box.h"

#include <gtest/gtest.h>
#include <memory>

namespace scalora::test {
namespace {

namespace keys = setting_keys;

class OptionsWindowTest : public DialogTest {
protected:
    OptionsWindowTest() {
        const auto folder = temp / "languages";
        std::filesystem::create_directories(folder);
        writeLanguage(folder / "English.xml", "english", "english");
        writeLanguage(folder / "German.xml", "deutsch", "german");
        languages = listLanguages({folder.string()});
        settings = openSettingsStore("Halvorn Scalora", temp.path().string());
    }
    static void writeLanguage(const std::filesystem::path& path, std::string_view own,
                              std::string_view english) {
        ASSERT_TRUE(writeFile(path, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                    "<translation language=\"" +
                                        std::string(own) + "\" language_en=\"" +
                                        std::string(english) +
                                        "\"><groups><group name=\"General\">"
                                        "<item context=\"OK\" translation=\"OK\" />"
                                        "</group></groups></translation>\n"));
    }
    std::unique_ptr<OptionsWindow> open() {
        auto window = std::make_unique<OptionsWindow>(nullptr, *settings, languages,
                                                      [this] { mainWindowStateSaved(); });
        window->show();
        toolkit().processEvents();
        return window;
    }
    // What the main window does when asked: store its own keys.
    void mainWindowStateSaved() {
        ++stateSaves;
        settings->set(keys::kMode, std::int32_t{3});
    }
    std::int32_t indexOf(const OptionsWindow& w, std::string_view text) const {
        for (std::int32_t i = 0; i < w.languageBox().count(); ++i) {
            if (w.languageBox().itemText(i) == text) {
                return i;
            }
        }
        return -1;
    }
    // Flips every check box by clicking it, picks German and quality 55.
    void changeEverything(OptionsWindow& w) {
        w.languageBox().setCurrentIndex(indexOf(w, "Deutsch"));
        for (std::size_t i = 0; i < kOptionSwitchCount; ++i) {
            clickOn(w.switchBox(static_cast<OptionSwitch>(i)));
        }
        w.qualityBox().setValue(55);
    }

    TempDir temp;
    std::vector<LanguageInfo> languages;
    std::unique_ptr<SettingsStore> settings;
    int stateSaves = 0;
};

TEST_F(OptionsWindowTest, OkStoresEveryControlAndTheMainWindowStateInTheFile) {
    settings->set(keys::kLanguage, std::string("ENGLISH"));
    auto w = open();
    ASSERT_TRUE(keepPng(*w, "options_window.png"));
    // The list shows each language's own name; the stored name matches in any case.
    ASSERT_EQ(w->languageBox().count(), 2);
    EXPECT_EQ(w->languageBox().currentText(), "English");
    EXPECT_TRUE(w->switchBox(OptionSwitch::UseSubfolders).isChecked());
    EXPECT_FALSE(w->switchBox(OptionSwitch::DoNotEnlarge).isChecked());
    EXPECT_EQ(w->qualityBox().value(), 100);

    changeEverything(*w);
    clickOn(w->okButton());
    EXPECT_TRUE(w->accepted());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(stateSaves, 1);

    // Read back from the file: German.xml is stored as "german", every switch flipped, and
    // the main window's own keys were stored before the file was written.
    const auto saved = readSettingsFile(settings->filePath());
    EXPECT_EQ(readStringSetting(*saved, keys::kLanguage), "german");
    EXPECT_FALSE(readBoolSetting(*saved, keys::kIsUseSubfolders));
    EXPECT_TRUE(readBoolSetting(*saved, keys::kIsDoNotEnlargeImages));
    EXPECT_FALSE(readBoolSetting(*saved, keys::kIsSaveOriginalFileDate));
    EXPECT_FALSE(readBoolSetting(*saved, keys::kIsAllowRewrite));
    EXPECT_FALSE(readBoolSetting(*saved, keys::kBeepWhenResizeFinish));
    EXPECT_FALSE(readBoolSetting(*saved, keys::kJpegCopyExif));
    EXPECT_EQ(readIntSetting(*saved, keys::kJpegQuality), 55);
    EXPECT_EQ(readIntSetting(*saved, keys::kMode), 3);
}

TEST_F(OptionsWindowTest, UnknownLanguageSelectsNothingAndOkStoresAnEmptyName) {
    for (const bool installed : {true, false}) {
        SCOPED_TRACE(installed ? "a name no file has" : "no language files");
        if (!installed) {
            languages.clear();
        }
        settings->set(keys::kLanguage, std::string("klingon"));
        auto w = open();
        EXPECT_EQ(w->languageBox().currentIndex(), -1);
        clickOn(w->okButton());
        EXPECT_EQ(readStringSetting(*settings, keys::kLanguage), "");
    }
}

TEST_F(OptionsWindowTest, CancelEscapeAndTheCloseBoxStoreNothing) {
    const std::string before = readFile(settings->filePath());
    ASSERT_FALSE(before.empty());
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        auto w = open();
        changeEverything(*w);
        if (way == 0) {
            clickOn(w->cancelButton());
        } else if (way == 1) {
            sys().keyPress(*w, vk::kEscape);
        } else {
            sys().requestClose(*w);
        }
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(w->accepted());
        EXPECT_EQ(readStringSetting(*settings, keys::kLanguage), "english");
        EXPECT_TRUE(readBoolSetting(*settings, keys::kIsUseSubfolders));
        EXPECT_EQ(readIntSetting(*settings, keys::kJpegQuality), 100);
    }
    EXPECT_EQ(stateSaves, 0);
    EXPECT_EQ(readFile(settings->filePath()), before);
}

} // namespace
} // namespace scalora::test
