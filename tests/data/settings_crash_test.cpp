// A program killed while it saves its settings: the file is the last complete save, and the
// folder holds nothing else once the settings are read again.
#include "data/settings_store.h"
#include "platform/atomic_file.h"
#include "support/test_support.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace scalora {
namespace {

constexpr int kKeys = 300; // enough that a save takes a while
constexpr int kKills = 40;

std::string keyOf(int i) {
    return "general/key" + std::to_string(i);
}

// Every value of the file when it is one complete save (all keys, all the same round), or -1.
int savedRound(const fs::path& file) {
    std::vector<SettingEntry> entries;
    if (!SettingsStore::parseEntries(test::readFile(file), entries) ||
        entries.size() != static_cast<std::size_t>(kKeys)) {
        return -1;
    }
    const std::string first = entries.front().value.toString();
    for (int i = 0; i < kKeys; ++i) {
        if (entries[static_cast<std::size_t>(i)].key != keyOf(i) ||
            entries[static_cast<std::size_t>(i)].value.toString() != first) {
            return -1;
        }
    }
    return entries.front().value.toInt();
}

// Saves round after round, each time every key with the next number, telling the parent through
// `started` before each save; never returns.
[[noreturn]] void saveForever(const fs::path& base, int started) {
    SettingsStore store("config.dat", "Halvorn Scalora", base.string());
    for (int round = store.getInt(keyOf(0), 0) + 1;; ++round) {
        for (int i = 0; i < kKeys; ++i) {
            store.set(keyOf(i), round);
        }
        if (::write(started, "s", 1) != 1 || !store.save()) {
            ::_exit(1);
        }
    }
}

TEST(SettingsStoreCrash, KilledSaveLeavesTheOldOrTheNewFileAndNoStrayOnceRead) {
    test::TempDir dir;
    const fs::path folder = dir / "Halvorn Scalora";
    fs::create_directories(folder);
    std::vector<SettingEntry> initial;
    for (int i = 0; i < kKeys; ++i) {
        initial.push_back({keyOf(i), SettingValue("0")});
    }
    ASSERT_TRUE(test::writeFile(folder / "config.dat", SettingsStore::formatEntries(initial)));

    int before = 0;
    int strays = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(started[0]);
            saveForever(dir.path(), started[1]);
        }
        ::close(started[1]);
        // Into the first, second or third save, and a varying way into it: the delay only
        // spreads the moments of the kill over a save; nothing depends on its length.
        char byte = 0;
        for (int save = 0; save <= kill % 3; ++save) {
            ASSERT_EQ(::read(started[0], &byte, 1), 1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(97 * (kill % 23)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(started[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child failed on its own";

        const int round = savedRound(folder / "config.dat");
        EXPECT_GE(round, before) << test::readFile(folder / "config.dat");
        before = round;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name != "config.dat") {
                // Only the moment between naming the finished file and renaming it into place
                // can leave one of our temporaries.
                EXPECT_TRUE(isTemporaryFileName(name)) << name;
                ++strays;
            }
        }
        // Reading the settings again clears what a killed save left.
        const SettingsStore reread("config.dat", "Halvorn Scalora", dir.path().string());
        EXPECT_EQ(reread.getInt(keyOf(kKeys - 1), -1), round);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    }
    RecordProperty("strays", strays);
}

} // namespace
} // namespace scalora
