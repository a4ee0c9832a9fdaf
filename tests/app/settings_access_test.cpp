#include "app/application.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "data/translate.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace scalora {
namespace {

using namespace setting_keys;

TEST(SettingsAccess, ReconcilesWithTheSchemaAndClampsReads) {
    test::TempDir dir;
    {
        auto store = openSettingsStore("Halvorn Scalora", dir.path().string());
        ASSERT_EQ(store->count(), 26u);
        EXPECT_EQ(store->entries().front().key, "general/language");
        EXPECT_EQ(store->entries().back().key, "windows/windowMainHeight");
        EXPECT_EQ(readStringSetting(*store, kLanguage), "english");
        EXPECT_TRUE(readBoolSetting(*store, kBeepWhenResizeFinish));
        EXPECT_FALSE(readBoolSetting(*store, kIsDoNotEnlargeImages));
        EXPECT_EQ(readIntSetting(*store, kWindowMainLeft), -1);
        store->set(kMode, "-3");
        store->set(kFormat, 9);
        store->set(kJpegQuality, "0");
        store->set(kParam1ForMode0, "20000");
        store->set(kWindowMainWidth, 10);
    }
    // Stored values stay as written; readers clamp what they read.
    auto store = openSettingsStore("Halvorn Scalora", dir.path().string());
    EXPECT_EQ(store->getString(kMode), "-3");
    EXPECT_EQ(readIntSetting(*store, kMode), 0);
    EXPECT_EQ(readIntSetting(*store, kFormat), 4);
    EXPECT_EQ(readResizeModeSetting(*store), ResizeMode::WidthHeight);
    EXPECT_EQ(readOutputFormatSetting(*store), OutputFormat::Bmp);
    EXPECT_EQ(readIntSetting(*store, kJpegQuality), 1);
    EXPECT_EQ(readIntSetting(*store, kParam1ForMode0), 10000);
    EXPECT_EQ(readIntSetting(*store, kWindowMainWidth, Size{300, 200}), 300);
    EXPECT_EQ(readStringSetting(*store, "general/notInSchema"), "");
    // What does not read as its kind takes the default, not zero or true.
    store->set(kJpegQuality, "high");
    store->set(kParam1ForMode0, "");
    store->set(kBeepWhenResizeFinish, "loud");
    store->set(kIsDoNotEnlargeImages, "maybe");
    EXPECT_EQ(readIntSetting(*store, kJpegQuality), 100);
    EXPECT_EQ(readIntSetting(*store, kParam1ForMode0), 100);
    EXPECT_TRUE(readBoolSetting(*store, kBeepWhenResizeFinish));
    EXPECT_FALSE(readBoolSetting(*store, kIsDoNotEnlargeImages));
    store->set(kIsDoNotEnlargeImages, " TRUE ");
    store->set(kJpegQuality, "-7");
    EXPECT_TRUE(readBoolSetting(*store, kIsDoNotEnlargeImages));
    EXPECT_EQ(readIntSetting(*store, kJpegQuality), 1);

    // A file with one key too many resets every value to its default.
    std::vector<SettingEntry> entries = store->entries();
    entries.push_back({"general/extra", SettingValue("1")});
    ASSERT_TRUE(test::writeFile(store->filePath(), SettingsStore::formatEntries(entries)));
    auto reset = openSettingsStore("Halvorn Scalora", dir.path().string());
    EXPECT_EQ(reset->count(), 26u);
    EXPECT_EQ(reset->getString(kMode), "0");
    EXPECT_EQ(readIntSetting(*reset, kFormat), 0);
}

TEST(SettingsAccess, ApplicationOpensArchivesAndLanguagesBesideTheProgram) {
    // The test program lives in the build's bin folder with data.pak and languages/.
    Application application("Scalora Test data " + std::to_string(getpid()), "1.0", {});
    ASSERT_EQ(Application::instance(), &application);
    EXPECT_FALSE(application.openArchive("missing"));
    ASSERT_TRUE(application.openArchive("data"));
    ASSERT_NE(application.findArchive("data"), nullptr);
    EXPECT_NE(application.archives().imageResource("window_icon_small"), nullptr);

    EXPECT_TRUE(application.loadLanguage("english"));
    EXPECT_EQ(currentTranslationPath(), (test::binDir() / "languages" / "english.xml").string());
    EXPECT_EQ(translate("About %app"), "About " + application.productName());
    EXPECT_FALSE(application.loadLanguage("klingon"));
    EXPECT_EQ(currentTranslationPath(), "");
    EXPECT_EQ(translate("About %app"), "About " + application.productName());
}

} // namespace
} // namespace scalora
