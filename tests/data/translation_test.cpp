#include "data/resource_locator.h"
#include "data/translate.h"
#include "data/translation.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace scalora {
namespace {

std::string languageFile(std::string_view header, std::string_view groups) {
    return "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<translation " +
           std::string(header) + ">\r\n<groups>\r\n" + std::string(groups) +
           "</groups>\r\n</translation>\r\n";
}

constexpr std::string_view kGerman = "language=\"deutsch\" language_en=\"german\" "
                                     "author=\"A\" date=\"2026\"";

// Tests change the process-wide translation; each starts and ends without one.
class TranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        installTranslation(nullptr);
        setApplicationName("Halvorn Scalora");
    }
    void TearDown() override { installTranslation(nullptr); }
    std::string write(const std::string& name, const std::string& contents) {
        const auto path = dir_ / name;
        EXPECT_TRUE(test::writeFile(path, contents));
        return path.string();
    }
    test::TempDir dir_;
};

TEST_F(TranslationTest, SubstitutionsWithoutATranslation) {
    EXPECT_EQ(translate("About %app"), "About Halvorn Scalora");
    EXPECT_EQ(translate("a\\nb|c\\rd\\te"), "a\nb\ncde");
    EXPECT_EQ(translate("Plain", "Messages"), "Plain");
    EXPECT_EQ(currentTranslationPath(), "");
}

TEST_F(TranslationTest, LookupOrderAndContexts) {
    const std::string path = write(
        "deutsch.xml",
        languageFile(kGerman, "<group name=\"MainWindow\">\r\n"
                              "  <item context=\"Open\" translation=\"Öffnen\" />\r\n"
                              "  <group name=\"Menus\">\r\n"
                              "    <item context=\"Open\" translation=\"Öffnen…\" />\r\n"
                              "    <item context=\"Keep %app\" translation=\"\" />\r\n"
                              "  </group>\r\n"
                              "  <item context=\"Lines\" translation=\"a\\nb|c\\td\" />\r\n"
                              "</group>\r\n"
                              "<anything name=\"Messages\">\r\n"
                              "  <item context=\"About %app\" translation=\"Über %app\" />\r\n"
                              "</anything>\r\n"));
    auto translation = std::make_unique<Translation>();
    ASSERT_TRUE(translation->load(path));
    EXPECT_EQ(translation->language(), "deutsch");
    EXPECT_EQ(translation->languageEn(), "german");
    ASSERT_EQ(translation->items().size(), 5u);
    EXPECT_EQ(translation->items()[1].group, "MainWindow/Menus");
    installTranslation(std::move(translation));

    EXPECT_EQ(translate("Open"), "Öffnen"); // no context: first in file order
    EXPECT_EQ(translate("Open", "MainWindow/Menus"), "Öffnen…");
    EXPECT_EQ(translate("Open", "MainWindow"), "Öffnen");
    EXPECT_EQ(translate("Open", "Menus"), "Open"); // contexts are whole group paths
    EXPECT_EQ(translate("open"), "open");
    // An empty translation shows the source as written, without substitutions.
    EXPECT_EQ(translate("Keep %app"), "Keep %app");
    EXPECT_EQ(translate("About %app", "Messages"), "Über Halvorn Scalora");
    EXPECT_EQ(translate("Lines"), "a\nb\ncd");
    EXPECT_EQ(translate("Missing %app"), "Missing Halvorn Scalora");
    EXPECT_EQ(currentTranslationPath(), path);
}

TEST_F(TranslationTest, InvalidFilesLoadNothing) {
    Translation translation;
    EXPECT_FALSE(translation.load((dir_ / "none.xml").string()));
    EXPECT_EQ(translation.path(), (dir_ / "none.xml").string());
    const std::string item = "<group name=\"g\"><item context=\"a\" translation=\"b\"/></group>";
    EXPECT_TRUE(translation.load(write("upper.XML", languageFile(kGerman, item))));
    EXPECT_FALSE(translation.load(write("wrong.txt", languageFile(kGerman, item))));
    EXPECT_FALSE(translation.load(write("noen.xml", languageFile("language=\"x\"", item))));
    EXPECT_TRUE(translation.items().empty());
    EXPECT_FALSE(translation.load(write("empty.xml", languageFile(kGerman, ""))));
    EXPECT_FALSE(translation.load(write("bad.xml", "<translation/>")));
    // One unknown element anywhere under the groups rejects the whole file.
    EXPECT_FALSE(translation.load(
        write("unknown.xml", languageFile(kGerman, item + "<group name=\"h\"><group name=\"i\">"
                                                          "<note/></group></group>"))));
    EXPECT_TRUE(translation.items().empty());
    // Groups may nest deeply without harm.
    std::string deep;
    for (int i = 0; i < 20000; ++i) {
        deep += "<group name=\"g\">";
    }
    deep += "<item context=\"x\" translation=\"y\"/>";
    for (int i = 0; i < 20000; ++i) {
        deep += "</group>";
    }
    ASSERT_TRUE(translation.load(write("deep.xml", languageFile(kGerman, deep))));
    EXPECT_EQ(translation.items()[0].group.size(), 20000u * 2 - 1);
}

TEST_F(TranslationTest, SetLanguageAndListLanguages) {
    const std::string exe = (dir_ / "bin").string();
    EXPECT_TRUE(listLanguages(languageDirs(exe)).empty());
    EXPECT_FALSE(setLanguage(languageDirs(exe), "english"));

    std::filesystem::create_directories(dir_ / "bin" / "languages");
    std::filesystem::create_directories(dir_ / "share" / "halvorn-scalora" / "languages");
    const std::string item = "<group name=\"g\"><item context=\"Yes\" translation=\"Ja\"/></group>";
    write("bin/languages/deutsch.xml", languageFile(kGerman, item));
    write("bin/languages/broken.xml", languageFile("language=\"\" language_en=\"x\"", item));
    write("bin/languages/notes.txt", "not a language");
    write("share/halvorn-scalora/languages/deutsch.xml",
          languageFile("language=\"zweites\" language_en=\"german\"", item));
    write("share/halvorn-scalora/languages/français.xml",
          languageFile("language=\"français\" language_en=\"french\"",
                       "<group name=\"g\"><item context=\"Yes\" translation=\"Oui\"/></group>"));

    const auto languages = listLanguages(languageDirs(exe));
    ASSERT_EQ(languages.size(), 2u);
    EXPECT_EQ(languages[0].baseName, "deutsch");
    EXPECT_EQ(languages[0].language, "Deutsch");
    EXPECT_EQ(languages[0].languageEn, "German");
    EXPECT_EQ(languages[0].author, "A");
    EXPECT_EQ(languages[1].language, "Français");

    ASSERT_TRUE(setLanguage(languageDirs(exe), "deutsch"));
    EXPECT_EQ(translate("Yes"), "Ja");
    EXPECT_EQ(currentTranslationPath(), (dir_ / "bin" / "languages" / "deutsch.xml").string());
    EXPECT_TRUE(setLanguage(languageDirs(exe), "deutsch"));  // same file: nothing happens
    ASSERT_TRUE(setLanguage(languageDirs(exe), "français")); // from the installed folder
    EXPECT_EQ(translate("Yes"), "Oui");
    EXPECT_FALSE(setLanguage(languageDirs(exe), "broken"));
    EXPECT_EQ(translate("Yes"), "Yes");
    EXPECT_FALSE(setLanguage(languageDirs(exe), "../languages/deutsch"));
    EXPECT_FALSE(setLanguage(languageDirs(exe), "missing"));
    EXPECT_EQ(currentTranslationPath(), "");
}

TEST_F(TranslationTest, ShippedEnglishFileIsValid) {
    Translation english;
    ASSERT_TRUE(
        english.load((test::sourceDir() / "assets" / "languages" / "english.xml").string()));
    EXPECT_EQ(english.languageEn(), "english");
    LanguageInfo info;
    ASSERT_TRUE(readLanguageHeader((test::binDir() / "languages" / "english.xml").string(), info));
    EXPECT_EQ(info.language, "English");
}

} // namespace
} // namespace scalora
