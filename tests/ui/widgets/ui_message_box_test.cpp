// The message box: its button sets, the keys and results, and the layout of a long text.
#include "ui/draw/canvas.h"
#include "ui/widgets/message_box_layout.h"
#include "ui/widgets/message_box_rules.h"

#include <gtest/gtest.h>
#include <string>

namespace scalora::test {
namespace {

using B = UIMessageBoxButton;

class UIMessageBoxTest : public ::testing::Test {
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
          Case{B::Retry | B::Ignore, B::Retry, B::None}, Case{0, B::None, B::None}}) {
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

} // namespace
} // namespace scalora::test
