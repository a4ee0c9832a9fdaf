// The message box: its button sets, the keys and results, the layout of a long text, and the
// box itself on the headless backend with its modal run.
#include "data/translate.h"
#include "data/translation.h"
#include "popup_test_fixture.h"
#include "support/test_support.h"
#include "ui/draw/canvas.h"
#include "ui/widgets/message_box_layout.h"
#include "ui/widgets/message_box_rules.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_check_box.h"
#include "ui/widgets/ui_message_box.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace scalora::test {
namespace {

using B = UIMessageBoxButton;

class UIMessageBoxTest : public StyledUITest {
protected:
    MessageBoxLayoutInput input(std::string text, Rect workArea = {0, 0, 1280, 770}) const {
        MessageBoxLayoutInput in;
        in.text = std::move(text);
        in.font = UIFont(UIFont::defaultFamily(), 9);
        in.iconSize = 32;
        in.buttonSizes = {{75, 23}, {75, 23}};
        in.workArea = workArea;
        return in;
    }
    // Runs the box with the keys given to the idle loop one by one.
    UIMessageBoxButton runWith(UIMessageBox& box, std::vector<std::int32_t> keys) {
        std::size_t next = 0;
        sys().setIdleHook([&] {
            if (next < keys.size()) {
                sys().keyPress(box, keys[next++]);
            } else {
                sys().requestClose(box);
            }
        });
        const UIMessageBoxButton result = box.run();
        sys().setIdleHook(nullptr);
        return result;
    }
};

TEST_F(UIMessageBoxTest, ButtonsFollowTheTableOrderNotTheFlagValues) {
    EXPECT_EQ(messageBoxButtons(B::Yes | B::No), (std::vector<B>{B::Yes, B::No}));
    EXPECT_EQ(messageBoxButtons(B::Ok | B::Cancel), (std::vector<B>{B::Ok, B::Cancel}));
    // Yes comes first although OK has the smallest flag; Yes To All (0x800) comes after No To
    // All (0x2000).
    EXPECT_EQ(messageBoxButtons(B::Ok | B::Yes), (std::vector<B>{B::Yes, B::Ok}));
    EXPECT_EQ(messageBoxButtons(B::YesToAll | B::NoToAll | B::No | B::Yes),
              (std::vector<B>{B::Yes, B::No, B::NoToAll, B::YesToAll}));
    EXPECT_EQ(messageBoxButtons(B::Abort | B::Retry | B::Ignore | B::Help),
              (std::vector<B>{B::Help, B::Abort, B::Retry, B::Ignore}));
    // Bits that are no button make none; all seventeen make seventeen different buttons.
    EXPECT_TRUE(messageBoxButtons(0x20000 | 0x80000000u).empty());
    const std::vector<B> all = messageBoxButtons(0x1FFFF);
    ASSERT_EQ(all.size(), 17u);
    for (B b : all) {
        EXPECT_FALSE(messageBoxButtonText(b).empty());
    }
    EXPECT_EQ(messageBoxIconImage(1), StandardImage::InformationBig);
    EXPECT_EQ(messageBoxIconImage(4), StandardImage::CriticalBig);
    EXPECT_FALSE(messageBoxIconImage(0).has_value());
    EXPECT_FALSE(messageBoxIconImage(5).has_value());
}

TEST_F(UIMessageBoxTest, EnterTakesTheLeftmostButtonEscapeTheOneThatBacksOut) {
    struct Case {
        std::uint32_t flags;
        B enter;
        B escape;
    };
    for (const Case& c :
         {Case{B::Yes | B::No, B::Yes, B::No}, Case{B::Ok | B::Cancel, B::Ok, B::Cancel},
          Case{static_cast<std::uint32_t>(B::Ok), B::Ok, B::Ok},
          Case{B::Save | B::Close, B::Save, B::Close},
          Case{B::Yes | B::No | B::Cancel, B::Yes, B::Cancel},
          Case{B::Retry | B::Ignore, B::Retry, B::None}, Case{B::Help | B::Ok, B::Ok, B::Ok},
          Case{0, B::None, B::None}}) {
        const std::vector<B> buttons = messageBoxButtons(c.flags);
        EXPECT_EQ(messageBoxEnterButton(buttons), c.enter) << c.flags;
        EXPECT_EQ(messageBoxEscapeButton(buttons), c.escape) << c.flags;
        EXPECT_EQ(messageBoxCloseResult(buttons), c.escape) << c.flags;
    }
}

TEST_F(UIMessageBoxTest, ALongTextWrapsAndTheBoxGrowsWithinTheWorkArea) {
    const MessageBoxLayout small = layoutMessageBox(input("Images not found."));
    EXPECT_GE(small.size.width, kMessageBoxMinimumWidth);
    EXPECT_EQ(small.text.height, UIFont(UIFont::defaultFamily(), 9).lineHeight());

    std::string words;
    for (int i = 0; i < 60; ++i) {
        words += "The destination folder cannot be written. ";
    }
    const MessageBoxLayout longer = layoutMessageBox(input(words));
    EXPECT_GT(longer.size.height, small.size.height);
    EXPECT_LE(longer.text.width, kMessageBoxTextWidth);
    EXPECT_GT(longer.text.height, 10 * small.text.height);

    // On a small screen the text widens before the box would leave it, and the box stays
    // inside it with the padding, whatever the length.
    for (int repeat : {1, 4}) {
        std::string text;
        for (int i = 0; i < repeat; ++i) {
            text += words;
        }
        const Rect tiny{0, 0, 640, 400};
        MessageBoxLayoutInput in = input(text, tiny);
        in.checkBoxSize = {120, 17};
        const MessageBoxLayout l = layoutMessageBox(in);
        EXPECT_GT(l.textWrapWidth, kMessageBoxTextWidth);
        EXPECT_LE(l.size.width, 640 - 16);
        EXPECT_LE(l.size.height, 400 - 16);
        // Text, check box and buttons follow each other downwards without overlapping, and
        // the buttons keep their order from left to right.
        EXPECT_LE(l.text.bottom(), l.checkBox.y);
        EXPECT_LE(l.checkBox.bottom(), l.buttons[0].y);
        EXPECT_LT(l.buttons[0].right(), l.buttons[1].x);
        EXPECT_LE(l.buttons[1].right(), l.size.width);
        EXPECT_LE(l.buttons[0].bottom(), l.size.height);
    }
}

TEST_F(UIMessageBoxTest, TranslatesItsTextsAndLaysTheButtonsOutInOrder) {
    TempDir dir;
    const std::string file = (dir / "deutsch.xml").string();
    ASSERT_TRUE(writeFile(file, R"(<?xml version="1.0" encoding="utf-8"?>
<translation language="deutsch" language_en="german" author="t" date="d"><groups>
<group name="UserInterface"><group name="UIMessageBox">
<item context="Yes" translation="Ja" /><item context="No To All" translation="Nein, keine" />
<item context="Do not show again." translation="Nicht mehr zeigen." />
</group></group></groups></translation>)"));
    auto translation = std::make_unique<Translation>();
    ASSERT_TRUE(translation->load(file));
    installTranslation(std::move(translation));

    RecordingWindow* owner = makeWindow({400, 300});
    UIMessageBox box(owner, 2, "Question", "Overwrite the file?",
                     B::YesToAll | B::NoToAll | B::No | B::Yes, kMessageBoxDoNotShowAgain);
    installTranslation(nullptr);
    const std::vector<B> order{B::Yes, B::No, B::NoToAll, B::YesToAll};
    ASSERT_EQ(box.buttonOrder(), order);
    EXPECT_EQ(box.button(B::Yes)->text(), "Ja");
    EXPECT_EQ(box.button(B::No)->text(), "No") << "no translation: the English text";
    EXPECT_EQ(box.button(B::NoToAll)->text(), "Nein, keine");
    ASSERT_NE(box.doNotShowAgainBox(), nullptr);
    EXPECT_EQ(box.doNotShowAgainBox()->text(), "Nicht mehr zeigen.");
    for (std::size_t i = 1; i < order.size(); ++i) {
        EXPECT_LT(box.button(order[i - 1])->geometry().right(), box.button(order[i])->x());
    }
    EXPECT_LT(box.doNotShowAgainBox()->geometry().bottom(), box.button(B::Yes)->y());
}

TEST_F(UIMessageBoxTest, EnterEscapeAndTheFrameGiveTheResult) {
    RecordingWindow* owner = makeWindow({400, 300});
    {
        UIMessageBox box(owner, 3, "Warning", "Replace it?", B::Yes | B::No);
        EXPECT_EQ(runWith(box, {vk::kReturn}), B::Yes);
        // The box sat centred on its owner.
        EXPECT_EQ(box.x() + box.width() / 2, owner->x() + owner->width() / 2);
    }
    {
        UIMessageBox box(owner, 3, "Warning", "Replace it?", B::Yes | B::No);
        EXPECT_EQ(runWith(box, {vk::kEscape}), B::No);
    }
    {
        // Enter takes the button the focus moved to.
        UIMessageBox box(owner, 1, "Info", "Saved.", B::Ok | B::Cancel, kMessageBoxDoNotShowAgain);
        EXPECT_EQ(runWith(box, {vk::kTab, vk::kReturn}), B::Cancel);
    }
    {
        UIMessageBox box(owner, 1, "Info", "Saved.", B::Ok, kMessageBoxDoNotShowAgain);
        box.doNotShowAgainBox()->setChecked(true);
        EXPECT_EQ(runWith(box, {}), B::Ok) << "closed through the frame";
        EXPECT_TRUE(box.isDoNotShowAgainChecked());
    }
    {
        UIMessageBox box(owner, 4, "Error", "Failed.", B::Retry | B::Ignore);
        EXPECT_EQ(runWith(box, {vk::kEscape}), B::None) << "Escape does nothing; the frame";
    }
    // Input reached the owner's window at no time while a box ran.
    for (const std::string& entry : logOf("win")) {
        EXPECT_NE(entry, "KeyPress");
    }
}

TEST_F(UIMessageBoxTest, DrawsTheIconOfItsKindAtTheMetricSize) {
    RecordingWindow* owner = makeWindow({400, 300});
    UIMessageBox none(owner, 0, "Plain", "No icon.", 0x1);
    EXPECT_TRUE(none.boxLayout().icon.isEmpty());
    for (std::int32_t kind = 1; kind <= 4; ++kind) {
        UIMessageBox box(owner, kind, "Icon", "Images not found.", 0x1 | 0x8);
        const Rect icon = box.boxLayout().icon;
        EXPECT_EQ(icon.size(), (Size{32, 32})) << kind;
        box.show();
        toolkit().processEvents();
        ASSERT_TRUE(keepPng(box, "message_box_" + std::to_string(kind) + ".png"));
        // The icon's middle is painted, not the window's background.
        const PixelImage& shown = HeadlessWindowSystem::native(box)->screen();
        EXPECT_NE(shown.pixel(icon.x + 16, icon.y + 16), shown.pixel(2, 2)) << kind;
        EXPECT_LT(icon.right(), box.boxLayout().text.x);
    }
}

} // namespace
} // namespace scalora::test
