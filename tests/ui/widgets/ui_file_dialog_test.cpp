#include "../core/ui_test_fixture.h"
#include "support/test_support.h"
#include "ui/widgets/desktop_dialog_provider.h"
#include "ui/widgets/scripted_dialog_provider.h"
#include "ui/widgets/ui_file_dialog.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace scalora::test {
namespace {

class UIFileDialogTest : public UITest {
protected:
    UIFileDialogTest() {
        auto scripted = std::make_unique<ScriptedDialogProvider>();
        script = scripted.get();
        setDialogProvider(std::move(scripted));
        window = makeWindow();
    }
    ~UIFileDialogTest() override {
        setDialogProvider(nullptr);
        setDialogNotice(nullptr);
    }

    ScriptedDialogProvider* script = nullptr;
    RecordingWindow* window = nullptr;
};

bool contains(const std::vector<std::string>& items, const std::string& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

TEST_F(UIFileDialogTest, FilterTextKeepsOnlyTheEntriesThatFitCompletely) {
    UIFileDialog dialog(window);
    EXPECT_FALSE(dialog.run()); // cancelled
    ASSERT_EQ(script->requests().back().filters.size(), 1u);
    EXPECT_EQ(script->requests().back().filters[0].description, "All files");

    // Each entry costs its description, its patterns and two zeros: 100 + 1 + 7 + 1.
    const std::string long100(100, 'd');
    dialog.addFilter("", "*.skipped");
    dialog.addFilter(long100, "*.a|*.b", "a");
    dialog.addFilter(long100, "*.c");
    dialog.addFilter(long100, "*.d"); // would reach past character 252
    dialog.addFilter("Short", "*.e"); // after the cut: left out as well
    dialog.setSelectedFilter(2);
    EXPECT_FALSE(dialog.run());
    const DialogRequest& r = script->requests().back();
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].patterns, (std::vector<std::string>{"*.a", "*.b"}));
    EXPECT_EQ(r.filters[1].patterns, std::vector<std::string>{"*.c"});
    EXPECT_EQ(r.selectedFilter, 1u);
    // The dialog opens with the selected filter: it is the first the program is given.
    const std::vector<std::string> zenity = dialogCommand(DialogProgram::Zenity, r);
    const auto first = std::find_if(zenity.begin(), zenity.end(), [](const std::string& a) {
        return a.rfind("--file-filter=", 0) == 0;
    });
    ASSERT_NE(first, zenity.end());
    EXPECT_EQ(*first, "--file-filter=" + long100 + " | *.c");

    // Characters count as UTF-16 units, not bytes: two entries of 125 units fit.
    std::string accented;
    for (int i = 0; i < 120; ++i) {
        accented += "é";
    }
    EXPECT_EQ(fittingFilters({{accented, "*.x", ""}, {accented, "*.y", ""}}).size(), 2u);
}

TEST_F(UIFileDialogTest, ChoicesComeBackInOrderWithTheirFolder) {
    UIFileDialog dialog(window);
    dialog.setFolder("/start");
    dialog.setMultipleSelection(true);
    script->queueChoice({"/pics/b.jpg", "/pics/a.jpg", "/pics/c d.jpg"});
    ASSERT_TRUE(dialog.run());
    EXPECT_TRUE(script->requests().back().multipleSelection);
    EXPECT_EQ(script->requests().back().folder, "/start/");
    EXPECT_EQ(dialog.result(),
              (std::vector<std::string>{"/pics/b.jpg", "/pics/a.jpg", "/pics/c d.jpg"}));
    EXPECT_EQ(dialog.folder(), "/pics/");

    script->queueChoice({"/root.jpg"});
    ASSERT_TRUE(dialog.run());
    EXPECT_EQ(dialog.result(), std::vector<std::string>{"/root.jpg"});
    EXPECT_EQ(dialog.folder(), "/");

    // Cancel changes nothing.
    script->queueCancel();
    EXPECT_FALSE(dialog.run());
    EXPECT_EQ(dialog.result(), std::vector<std::string>{"/root.jpg"});
    EXPECT_EQ(dialog.folder(), "/");

    // Saving adds the selected filter's extension to a name without one.
    UIFileDialog save(window, UIFileDialogKind::Save);
    save.addFilter("PNG", "*.png", "png");
    script->queueChoice({"/out/picture"});
    ASSERT_TRUE(save.run());
    EXPECT_EQ(save.result(), std::vector<std::string>{"/out/picture.png"});
    EXPECT_TRUE(contains(dialogCommand(DialogProgram::Zenity, script->requests().back()),
                         "--confirm-overwrite"));
}

TEST_F(UIFileDialogTest, SymbolicLinksComeBackAsChosenUnlessResolvingIsAsked) {
    TempDir dir;
    ASSERT_TRUE(writeFile(dir / "photo.jpg", "x"));
    std::filesystem::create_symlink(dir / "photo.jpg", dir / "link.jpg");
    UIFileDialog dialog(window);
    script->queueChoice({(dir / "link.jpg").string()});
    ASSERT_TRUE(dialog.run());
    EXPECT_EQ(dialog.result(), std::vector<std::string>{(dir / "link.jpg").string()});
    dialog.setOptions(UIFileDialog::kResolveLinks);
    script->queueChoice({(dir / "link.jpg").string()});
    ASSERT_TRUE(dialog.run());
    EXPECT_EQ(dialog.result(),
              std::vector<std::string>{std::filesystem::canonical(dir / "photo.jpg").string()});
}

// Runs with PATH set to one folder, put back afterwards.
class PathOverride {
public:
    explicit PathOverride(const std::filesystem::path& dir) {
        if (const char* old = std::getenv("PATH")) {
            old_ = old;
        }
        setenv("PATH", dir.c_str(), 1);
    }
    ~PathOverride() { setenv("PATH", old_.c_str(), 1); }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;

private:
    std::string old_;
};

TEST_F(UIFileDialogTest, TheDesktopDialogRunsAsAChildAndAMissingOneIsExplained) {
    setDialogProvider(std::make_unique<DesktopDialogProvider>());
    std::vector<std::string> notices;
    setDialogNotice([&](UIWindow* owner, const std::string& text) {
        EXPECT_EQ(owner, window);
        notices.push_back(text);
    });
    TempDir bin;
    UIFileDialog dialog(window);
    dialog.setTitle("Add images");
    dialog.setMultipleSelection(true);
    dialog.addFilter("Images", "*.jpg|*.jpeg");
    {
        PathOverride path(bin.path());
        EXPECT_FALSE(dialog.run());
    }
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("“zenity”"), std::string::npos) << notices[0];

    // A stand-in zenity that records its arguments and chooses two files.
    const std::filesystem::path args = bin / "args.txt";
    ASSERT_TRUE(writeFile(bin / "zenity", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; "
                                          "done > '" +
                                              args.string() +
                                              "'\nprintf '/p/one.jpg\\n/p/two.jpg\\n'\n"));
    ASSERT_EQ(::chmod((bin / "zenity").c_str(), 0755), 0);
    {
        PathOverride path(bin.path());
        ASSERT_TRUE(dialog.run());
    }
    EXPECT_EQ(dialog.result(), (std::vector<std::string>{"/p/one.jpg", "/p/two.jpg"}));
    const std::string given = readFile(args);
    EXPECT_NE(given.find("--file-selection\n--multiple\n"), std::string::npos) << given;
    EXPECT_NE(given.find("--title=Add images\n"), std::string::npos) << given;
    EXPECT_NE(given.find("--file-filter=Images | *.jpg *.jpeg\n"), std::string::npos) << given;
    EXPECT_EQ(notices.size(), 1u);
}

} // namespace
} // namespace scalora::test
