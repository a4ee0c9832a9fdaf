#include "data/settings_store.h"
#include "support/test_support.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace scalora {
namespace {

constexpr std::string_view kHead = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

const std::vector<SettingKeyDefault>& schema() {
    static const std::vector<SettingKeyDefault> definitions = {
        {"general/language", "english"}, {"general/isUseSubfolders", true},
        {"general/jpegQuality", 100},    {"export/destinationFolder", ""},
        {"windows/windowMainLeft", -1},
    };
    return definitions;
}

TEST(SettingValue, ConversionsFollowTheType) {
    EXPECT_EQ(SettingValue().type(), SettingType::Empty);
    EXPECT_EQ(SettingValue(true).type(), SettingType::Bool);
    EXPECT_EQ(SettingValue(std::uint64_t{1}).type(), SettingType::UInt64);
    EXPECT_EQ(SettingValue("x").type(), SettingType::String);

    EXPECT_TRUE(SettingValue("1").toBool());
    EXPECT_FALSE(SettingValue("0").toBool());
    EXPECT_FALSE(SettingValue(" FALSE ").toBool());
    EXPECT_FALSE(SettingValue("\t").toBool());
    EXPECT_TRUE(SettingValue("no").toBool());
    EXPECT_TRUE(SettingValue(0.5).toBool());
    EXPECT_FALSE(SettingValue(std::int64_t{0}).toBool());
    EXPECT_FALSE(SettingValue().toBool());

    EXPECT_EQ(SettingValue(true).toInt(), 1);
    EXPECT_EQ(SettingValue(std::int64_t{0x100000005}).toInt(), 5);
    EXPECT_EQ(SettingValue(std::uint32_t{0xFFFFFFFF}).toInt(), -1);
    EXPECT_EQ(SettingValue(-2.9).toInt(), -2);
    EXPECT_EQ(SettingValue(2.9f).toInt(), 2);
    EXPECT_EQ(SettingValue(1e30).toInt(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(SettingValue(std::nan("")).toInt(), 0);
    EXPECT_EQ(SettingValue("  42px").toInt(), 42);
    EXPECT_EQ(SettingValue("abc").toInt(), 0);
    EXPECT_EQ(SettingValue().toInt(), 0);

    EXPECT_EQ(SettingValue(true).toString(), "1");
    EXPECT_EQ(SettingValue(false).toString(), "0");
    EXPECT_EQ(SettingValue(-7).toString(), "-7");
    EXPECT_EQ(SettingValue(std::uint64_t{18446744073709551615u}).toString(),
              "18446744073709551615");
    EXPECT_EQ(SettingValue(std::int64_t{-9000000000}).toString(), "-9000000000");
    EXPECT_EQ(SettingValue(0.1).toString(), "0.1");
    EXPECT_EQ(SettingValue(0.1f).toString(), "0.100000001");
    EXPECT_EQ(SettingValue("as is ").toString(), "as is ");
    EXPECT_EQ(SettingValue().toString(), "");
}

TEST(SettingsStore, FirstStartCreatesFolderChainAndDefaults) {
    test::TempDir dir;
    const fs::path base = dir / "config" / "deeper";
    {
        SettingsStore store("config.dat", "Halvorn Scalora", base.string());
        EXPECT_EQ(store.filePath(), (base / "Halvorn Scalora" / "config.dat").string());
        EXPECT_TRUE(fs::is_regular_file(store.filePath()));
        EXPECT_EQ(fs::file_size(store.filePath()), 0u);
        EXPECT_EQ(store.count(), 0u);
        EXPECT_TRUE(store.ensureKeys(schema()));
        EXPECT_EQ(test::readFile(store.filePath()),
                  std::string(kHead) + "<groups>\r\n"
                                       "    <group name=\"general\">\r\n"
                                       "        <item name=\"language\" value=\"english\" />\r\n"
                                       "        <item name=\"isUseSubfolders\" value=\"1\" />\r\n"
                                       "        <item name=\"jpegQuality\" value=\"100\" />\r\n"
                                       "    </group>\r\n"
                                       "    <group name=\"export\">\r\n"
                                       "        <item name=\"destinationFolder\" value=\"\" />\r\n"
                                       "    </group>\r\n"
                                       "    <group name=\"windows\">\r\n"
                                       "        <item name=\"windowMainLeft\" value=\"-1\" />\r\n"
                                       "    </group>\r\n"
                                       "</groups>\r\n");
        // Defaults keep their types until saved; set changes memory only.
        EXPECT_EQ(store.get("general/jpegQuality").type(), SettingType::Int32);
        store.set("general/jpegQuality", 85);
        store.set("general/unknown", 1);
        EXPECT_FALSE(store.contains("general/unknown"));
        EXPECT_EQ(store.getInt("general/unknown", 9), 9);
        EXPECT_NE(test::readFile(store.filePath()).find("\"100\""), std::string::npos);
    }
    // Destroying the store saved it; the next start keeps every value.
    SettingsStore store("config.dat", "Halvorn Scalora", base.string());
    EXPECT_EQ(store.count(), schema().size());
    EXPECT_FALSE(store.ensureKeys(schema()));
    EXPECT_EQ(store.get("general/jpegQuality").type(), SettingType::String);
    EXPECT_EQ(store.getInt("general/jpegQuality", 0), 85);
    EXPECT_TRUE(store.getBool("general/isUseSubfolders", false));
}

TEST(SettingsStore, OnlyASmallRegularFileIsRead) {
    test::TempDir dir;
    const fs::path folder = dir / "Halvorn Scalora";
    fs::create_directories(folder);
    const std::string valid = std::string(kHead) +
                              "<groups><group name=\"general\"><item name=\"jpegQuality\" "
                              "value=\"77\" /></group></groups>\r\n";
    const auto loaded = [&] {
        SettingsStore store("config.dat", "Halvorn Scalora", dir.path().string());
        return store.getInt("general/jpegQuality", 0);
    };
    ASSERT_TRUE(test::writeFile(folder / "config.dat", valid));
    EXPECT_EQ(loaded(), 77);
    // The same settings padded past the cap are not one of ours: the defaults stand.
    ASSERT_TRUE(test::writeFile(folder / "config.dat", valid + std::string(1u << 20, ' ')));
    EXPECT_EQ(loaded(), 0);
    // A FIFO would block a plain open; a folder cannot be read at all.
    fs::remove(folder / "config.dat");
    ASSERT_EQ(::mkfifo((folder / "config.dat").c_str(), 0600), 0);
    EXPECT_EQ(loaded(), 0);
    fs::remove(folder / "config.dat");
    fs::create_directory(folder / "config.dat");
    EXPECT_EQ(loaded(), 0);
}

TEST(SettingsStore, AnyForeignKeySetResetsEverything) {
    test::TempDir dir;
    const std::string path = (dir / "app" / "config.dat").string();
    const auto startWith = [&](std::vector<SettingEntry> entries) {
        fs::create_directories(dir / "app");
        ASSERT_TRUE(test::writeFile(path, SettingsStore::formatEntries(entries)));
    };
    std::vector<SettingEntry> full;
    for (const SettingKeyDefault& definition : schema()) {
        full.push_back({definition.key, SettingValue("7")});
    }

    // Older schema: one key missing. All values go back to defaults, not only the missing one.
    startWith({full.begin(), full.end() - 1});
    {
        SettingsStore store("config.dat", "app", dir.path().string());
        EXPECT_TRUE(store.ensureKeys(schema()));
        EXPECT_EQ(store.getInt("general/jpegQuality", 0), 100);
    }
    // Every key plus an unknown one.
    auto extra = full;
    extra.push_back({"general/surplus", SettingValue("1")});
    startWith(extra);
    {
        SettingsStore store("config.dat", "app", dir.path().string());
        EXPECT_TRUE(store.ensureKeys(schema()));
        EXPECT_FALSE(store.contains("general/surplus"));
    }
    // A duplicate makes the count differ as well.
    auto duplicate = full;
    duplicate.push_back(full[0]);
    startWith(duplicate);
    {
        SettingsStore store("config.dat", "app", dir.path().string());
        EXPECT_EQ(store.count(), schema().size() + 1);
        EXPECT_TRUE(store.ensureKeys(schema()));
    }
    // A file that does not parse: the store is empty and the reset replaces the file.
    ASSERT_TRUE(test::writeFile(path, "<groups><group name=\"general\">"));
    {
        SettingsStore store("config.dat", "app", dir.path().string());
        EXPECT_EQ(store.count(), 0u);
        EXPECT_TRUE(store.ensureKeys(schema()));
    }
    SettingsStore store("config.dat", "app", dir.path().string());
    EXPECT_FALSE(store.ensureKeys(schema()));
    EXPECT_EQ(store.getString("general/language"), "english");
}

TEST(SettingsStore, ValuesRoundTripIncludingQuotesAndNonAscii) {
    test::TempDir dir;
    const std::string quoted = "/home/u/My \"Best\" Photos";
    {
        SettingsStore store("config.dat", "app", dir.path().string());
        store.ensureKeys(schema());
        store.set("general/language", "русский");
        store.set("export/destinationFolder", quoted);
        store.set("windows/windowMainLeft", "it's & <fine>");
        ASSERT_TRUE(store.save());
    }
    SettingsStore store("config.dat", "app", dir.path().string());
    EXPECT_FALSE(store.ensureKeys(schema()));
    EXPECT_EQ(store.getString("general/language"), "русский");
    EXPECT_EQ(store.getString("export/destinationFolder"), quoted);
    EXPECT_EQ(store.getString("windows/windowMainLeft"), "it's & <fine>");

    // A value with both kinds of quote cannot be written; only it is lost.
    store.set("export/destinationFolder", "both \" and '");
    ASSERT_TRUE(store.save());
    SettingsStore again("config.dat", "app", dir.path().string());
    EXPECT_FALSE(again.ensureKeys(schema()));
    EXPECT_EQ(again.getString("export/destinationFolder", "x"), "");
    EXPECT_EQ(again.getString("general/language"), "русский");
}

TEST(SettingsStore, RepeatedGroupsAndReadingRules) {
    const std::vector<SettingEntry> entries = {
        {"a/one", SettingValue(1)}, {"b/two", SettingValue(2)}, {"a/three", SettingValue(3)}};
    const std::string text = SettingsStore::formatEntries(entries);
    EXPECT_EQ(text, std::string(kHead) + "<groups>\r\n"
                                         "    <group name=\"a\">\r\n"
                                         "        <item name=\"one\" value=\"1\" />\r\n"
                                         "    </group>\r\n"
                                         "    <group name=\"b\">\r\n"
                                         "        <item name=\"two\" value=\"2\" />\r\n"
                                         "    </group>\r\n"
                                         "    <group name=\"a\">\r\n"
                                         "        <item name=\"three\" value=\"3\" />\r\n"
                                         "    </group>\r\n"
                                         "</groups>\r\n");
    std::vector<SettingEntry> read;
    ASSERT_TRUE(SettingsStore::parseEntries(text, read));
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[2].key, "a/three");
    EXPECT_EQ(read[2].value, SettingValue("3"));

    // Other elements are skipped, missing attributes are empty, groups may be missing.
    ASSERT_TRUE(SettingsStore::parseEntries(
        "<?xml?><groups><group name='g'><item name='k'/><note name='x' value='y'/></group>"
        "<other><item name='z' value='1'/></other><group><item value='v'/></group></groups>",
        read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].key, "g/k");
    EXPECT_EQ(read[0].value, SettingValue(""));
    EXPECT_EQ(read[1].key, "/");
    ASSERT_TRUE(SettingsStore::parseEntries("<?xml?><settings/>", read));
    EXPECT_TRUE(read.empty());
    EXPECT_FALSE(SettingsStore::parseEntries("<groups/>", read));
    EXPECT_EQ(SettingsStore::formatEntries({}), std::string(kHead) + "<groups />\r\n");
}

TEST(SettingsStore, LocationAndPrefix) {
    test::TempDir dir;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old != nullptr ? old : "";
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    {
        SettingsStore store("config.dat", "Halvorn Scalora");
        EXPECT_EQ(store.filePath(), (dir / "xdg" / "Halvorn Scalora" / "config.dat").string());
        EXPECT_TRUE(fs::is_regular_file(store.filePath()));
        store.ensureKeys({{"p/general/x", 5}});
        store.setKeyPrefix("p");
        EXPECT_EQ(store.getInt("general/x", 0), 5);
        store.set("general/x", 6);
        EXPECT_EQ(store.get("p/general/x").toInt(), 0);
        store.setKeyPrefix("");
        EXPECT_EQ(store.getInt("p/general/x", 0), 6);
    }
    if (old != nullptr) {
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }

    // No base folder: nothing is read or written, the defaults still serve.
    SettingsStore nowhere("config.dat", "app", std::string());
    EXPECT_EQ(nowhere.filePath(), "");
    EXPECT_TRUE(nowhere.ensureKeys(schema()));
    EXPECT_FALSE(nowhere.save());
    EXPECT_EQ(nowhere.getString("general/language"), "english");

    // A folder that cannot be created (a file stands in the way): the load fails quietly.
    ASSERT_TRUE(test::writeFile(dir / "blocked", "x"));
    SettingsStore blocked("config.dat", "app", (dir / "blocked").string());
    EXPECT_FALSE(blocked.load());
    EXPECT_FALSE(blocked.save());
}

} // namespace
} // namespace scalora
