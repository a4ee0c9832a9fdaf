#include "ui/widgets/text_edit_commands.h"

#include "data/translate.h"
#include "ui/core/ui_event.h"

namespace scalora {

std::vector<TextEditMenuEntry> textEditMenu(const TextEditMenuState& s, std::string_view context) {
    const bool editable = !s.readOnly;
    auto entry = [context](TextEditCommand command, std::string_view text, bool enabled,
                           bool separatorBefore = false) {
        return TextEditMenuEntry{command, translate(text, context), enabled, separatorBefore, {}};
    };
    std::vector<TextEditMenuEntry> menu{
        entry(TextEditCommand::Undo, "Undo", editable && s.canUndo),
        entry(TextEditCommand::Redo, "Redo", editable && s.canRedo),
        entry(TextEditCommand::Cut, "Cut", editable && s.hasSelection, true),
        entry(TextEditCommand::Copy, "Copy", s.hasSelection),
        entry(TextEditCommand::Paste, "Paste", editable && s.clipboardHasText),
        entry(TextEditCommand::Delete, "Delete", editable && s.hasSelection),
        entry(TextEditCommand::SelectAll, "Select All", s.hasText && !s.allSelected, true),
    };
    if (s.zoomable) {
        TextEditMenuEntry size = entry(TextEditCommand::TextSize, "Text Size", true, true);
        size.submenu = {entry(TextEditCommand::ZoomIn, "Increase", s.canZoomIn),
                        entry(TextEditCommand::ZoomOut, "Decrease", s.canZoomOut),
                        entry(TextEditCommand::ZoomReset, "Normal", s.zoomed)};
        menu.push_back(std::move(size));
    }
    return menu;
}

std::optional<TextEditCommand> commandForKey(std::int32_t key, std::uint32_t modifiers,
                                             bool zoomable) {
    const std::uint32_t held = modifiers & (kShiftModifier | kControlModifier | kAltModifier);
    if (held == kControlModifier) {
        switch (key) {
        case 'Z':
            return TextEditCommand::Undo;
        case 'Y':
            return TextEditCommand::Redo;
        case 'X':
            return TextEditCommand::Cut;
        case 'C':
        case vk::kInsert:
            return TextEditCommand::Copy;
        case 'V':
            return TextEditCommand::Paste;
        case 'A':
            return TextEditCommand::SelectAll;
        default:
            break;
        }
        if (zoomable) {
            switch (key) {
            case vk::kOemPlus:
            case vk::kAdd:
                return TextEditCommand::ZoomIn;
            case vk::kOemMinus:
            case vk::kSubtract:
                return TextEditCommand::ZoomOut;
            case '0':
            case vk::kNumpad0:
                return TextEditCommand::ZoomReset;
            default:
                break;
            }
        }
        return std::nullopt;
    }
    if (held == (kControlModifier | kShiftModifier) && key == 'Z') {
        return TextEditCommand::Redo;
    }
    // Ctrl+Shift+= is how Ctrl+Plus is typed on most layouts.
    if (zoomable && held == (kControlModifier | kShiftModifier) && key == vk::kOemPlus) {
        return TextEditCommand::ZoomIn;
    }
    if (held == kShiftModifier && key == vk::kDelete) {
        return TextEditCommand::Cut;
    }
    if (held == kShiftModifier && key == vk::kInsert) {
        return TextEditCommand::Paste;
    }
    return std::nullopt;
}

} // namespace scalora
