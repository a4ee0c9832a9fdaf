#include "ui/widgets/message_box_rules.h"

#include <algorithm>
#include <array>

namespace scalora {

namespace {

struct ButtonEntry {
    UIMessageBoxButton button;
    std::string_view text;
};

// Layout order, left to right. "Applay" is the source text the language files carry; the
// English file translates it to "Apply".
constexpr std::array<ButtonEntry, 17> kButtons{{
    {UIMessageBoxButton::Yes, "Yes"},
    {UIMessageBoxButton::Ok, "OK"},
    {UIMessageBoxButton::Open, "Open"},
    {UIMessageBoxButton::Save, "Save"},
    {UIMessageBoxButton::Cancel, "Cancel"},
    {UIMessageBoxButton::Close, "Close"},
    {UIMessageBoxButton::Apply, "Applay"},
    {UIMessageBoxButton::Reset, "Reset"},
    {UIMessageBoxButton::RestoreDefaults, "Restore Defaults"},
    {UIMessageBoxButton::Help, "Help"},
    {UIMessageBoxButton::SaveAll, "Save All"},
    {UIMessageBoxButton::No, "No"},
    {UIMessageBoxButton::NoToAll, "No To All"},
    {UIMessageBoxButton::YesToAll, "Yes To All"},
    {UIMessageBoxButton::Abort, "Abort"},
    {UIMessageBoxButton::Retry, "Retry"},
    {UIMessageBoxButton::Ignore, "Ignore"},
}};

bool has(const std::vector<UIMessageBoxButton>& buttons, UIMessageBoxButton b) {
    return std::find(buttons.begin(), buttons.end(), b) != buttons.end();
}

} // namespace

std::vector<UIMessageBoxButton> messageBoxButtons(std::uint32_t flags) {
    std::vector<UIMessageBoxButton> out;
    for (const ButtonEntry& e : kButtons) {
        if ((flags & static_cast<std::uint32_t>(e.button)) != 0) {
            out.push_back(e.button);
        }
    }
    return out;
}

std::string_view messageBoxButtonText(UIMessageBoxButton button) {
    for (const ButtonEntry& e : kButtons) {
        if (e.button == button) {
            return e.text;
        }
    }
    return {};
}

std::optional<StandardImage> messageBoxIconImage(std::int32_t kind) {
    if (kind < 1 || kind > 4) {
        return std::nullopt;
    }
    return static_cast<StandardImage>(static_cast<std::int32_t>(StandardImage::InformationBig) +
                                      kind - 1);
}

UIMessageBoxButton messageBoxEnterButton(const std::vector<UIMessageBoxButton>& buttons) {
    for (UIMessageBoxButton b : buttons) {
        if (b != UIMessageBoxButton::Help) {
            return b;
        }
    }
    return buttons.empty() ? UIMessageBoxButton::None : buttons.front();
}

UIMessageBoxButton messageBoxEscapeButton(const std::vector<UIMessageBoxButton>& buttons) {
    for (UIMessageBoxButton b : {UIMessageBoxButton::Cancel, UIMessageBoxButton::Close,
                                 UIMessageBoxButton::No, UIMessageBoxButton::Abort}) {
        if (has(buttons, b)) {
            return b;
        }
    }
    // A lone button (Help aside) is the way out too.
    const auto others = std::count_if(buttons.begin(), buttons.end(), [](UIMessageBoxButton b) {
        return b != UIMessageBoxButton::Help;
    });
    return others == 1 ? messageBoxEnterButton(buttons) : UIMessageBoxButton::None;
}

} // namespace scalora
