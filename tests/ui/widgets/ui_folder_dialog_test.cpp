#include "../core/ui_test_fixture.h"
#include "ui/widgets/desktop_dialog_provider.h"
#include "ui/widgets/scripted_dialog_provider.h"
#include "ui/widgets/ui_folder_dialog.h"

#include <gtest/gtest.h>

namespace scalora::test {
namespace {

class UIFolderDialogTest : public UITest {
protected:
    UIFolderDialogTest() {
        auto scripted = std::make_unique<ScriptedDialogProvider>();
        script = scripted.get();
        setDialogProvider(std::move(scripted));
    }
    ~UIFolderDialogTest() override { setDialogProvider(nullptr); }

    ScriptedDialogProvider* script = nullptr;
};

TEST_F(UIFolderDialogTest, TheChosenFolderEndsWithExactlyOneSlash) {
    UIFolderDialog dialog;
    dialog.setPrompt("Choose the destination folder");
    dialog.setFolder("/home/me");
    for (const auto& [chosen, folder] : std::vector<std::pair<std::string, std::string>>{
             {"/media/disk", "/media/disk/"}, {"/", "/"}, {"/a/link-to-b/", "/a/link-to-b/"}}) {
        script->queueChoice({chosen});
        ASSERT_TRUE(dialog.run());
        EXPECT_EQ(dialog.folder(), folder);
        EXPECT_EQ(dialog.result(), std::vector<std::string>{folder});
    }
    const DialogRequest& r = script->requests().front();
    EXPECT_EQ(r.kind, DialogKind::Folder);
    EXPECT_EQ(r.title, "Choose the destination folder"); // the prompt stands in for a title
    EXPECT_EQ(r.folder, "/home/me/");
    const std::vector<std::string> zenity = dialogCommand(DialogProgram::Zenity, r);
    EXPECT_EQ(zenity, (std::vector<std::string>{"zenity", "--file-selection", "--directory",
                                                "--title=Choose the destination folder",
                                                "--filename=/home/me/"}));
    EXPECT_EQ(dialogCommand(DialogProgram::Kdialog, r),
              (std::vector<std::string>{"kdialog", "--title", "Choose the destination folder",
                                        "--getexistingdirectory", "/home/me/"}));

    script->queueCancel();
    EXPECT_FALSE(dialog.run());
    EXPECT_EQ(dialog.folder(), "/a/link-to-b/");
}

} // namespace
} // namespace scalora::test
