// The rules of the message box that need no window: the buttons a set of flags makes, in the
// order they are laid out from left to right, their English texts (translated in context
// "UserInterface/UIMessageBox"), the icon of a kind, and which button Enter and Escape
// activate and what closing the box through its frame reports.
#pragma once

#include "ui/style/style_ids.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace scalora {

// One button of a message box; the value is its flag. A button set is the OR of its flags.
enum class UIMessageBoxButton : std::uint32_t {
    None = 0,
    Ok = 0x1,
    Open = 0x2,
    Save = 0x4,
    Cancel = 0x8,
    Close = 0x10,
    Apply = 0x20,
    Reset = 0x40,
    RestoreDefaults = 0x80,
    Help = 0x100,
    SaveAll = 0x200,
    Yes = 0x400,
    YesToAll = 0x800,
    No = 0x1000,
    NoToAll = 0x2000,
    Abort = 0x4000,
    Retry = 0x8000,
    Ignore = 0x10000,
};

constexpr std::uint32_t operator|(UIMessageBoxButton a, UIMessageBoxButton b) {
    return static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b);
}
constexpr std::uint32_t operator|(std::uint32_t a, UIMessageBoxButton b) {
    return a | static_cast<std::uint32_t>(b);
}

// A set of buttons: the OR of their flags; a single button converts to its set.
struct UIMessageBoxButtons {
    constexpr UIMessageBoxButtons(std::uint32_t bits) : flags(bits) {}
    constexpr UIMessageBoxButtons(UIMessageBoxButton button)
        : flags(static_cast<std::uint32_t>(button)) {}
    std::uint32_t flags;
};

// The icon shown left of the text; any other value shows none.
enum class UIMessageBoxIcon : std::int32_t {
    None = 0,
    Information = 1,
    Question = 2,
    Warning = 3,
    Critical = 4,
};

// Option flags.
enum UIMessageBoxOption : std::uint32_t {
    kMessageBoxDoNotShowAgain = 0x4, // the "Do not show again." check box under the text
};

inline constexpr std::string_view kMessageBoxContext = "UserInterface/UIMessageBox";
inline constexpr std::string_view kDoNotShowAgainText = "Do not show again.";

// The buttons of a set in layout order ("Yes" first, "Yes To All" after "No To All"); flags
// that are no button are ignored.
std::vector<UIMessageBoxButton> messageBoxButtons(std::uint32_t flags);
// The English text of a button, the source for the translation; empty for None.
std::string_view messageBoxButtonText(UIMessageBoxButton button);
// The big standard image of an icon kind (ids 3 to 6), nothing for the others.
std::optional<StandardImage> messageBoxIconImage(std::int32_t kind);

// Enter activates the default button: the leftmost one, Help aside while there is another.
UIMessageBoxButton messageBoxEnterButton(const std::vector<UIMessageBoxButton>& buttons);
// Escape activates Cancel, else Close, else No, else Abort, else the only button besides
// Help; None (Escape does nothing) when a box of several buttons has none of those.
UIMessageBoxButton messageBoxEscapeButton(const std::vector<UIMessageBoxButton>& buttons);
// Closing the box through its frame reports what Escape would have chosen (None when nothing).
inline UIMessageBoxButton messageBoxCloseResult(const std::vector<UIMessageBoxButton>& buttons) {
    return messageBoxEscapeButton(buttons);
}

} // namespace scalora
