// The editing commands of the line edit and the text edit: the ids behind their context menu
// items and key bindings, and the context menu as data (translated texts, enabling), so that
// the menu a widget shows and the keys it takes are one list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// The context menu's items in their order; the last four are the text edit's "Text Size"
// submenu and its three entries.
enum class TextEditCommand : std::int32_t {
    Undo = 1,
    Redo = 2,
    Cut = 3,
    Copy = 4,
    Paste = 5,
    Delete = 6,
    SelectAll = 7,
    TextSize = 8,
    ZoomIn = 9,
    ZoomOut = 10,
    ZoomReset = 11,
};

// What the enabling of the items depends on.
struct TextEditMenuState {
    bool readOnly = false;
    bool canUndo = false;
    bool canRedo = false;
    bool hasSelection = false;
    bool hasText = false;
    bool allSelected = false;
    bool clipboardHasText = false;
    // The text edit's zoom; the line edit has none.
    bool zoomable = false;
    bool canZoomIn = false;
    bool canZoomOut = false;
    bool zoomed = false;
};

struct TextEditMenuEntry {
    TextEditCommand command;
    std::string text; // translated
    bool enabled = false;
    bool separatorBefore = false;
    std::vector<TextEditMenuEntry> submenu;
};

// The context menu for the state, with every text translated in the context
// ("UserInterface/UILineEdit" or "UserInterface/UITextEdit"). Editing items are disabled on a
// read-only editor; Cut, Copy and Delete need a selection, Paste text on the clipboard, Select
// All a text not already wholly selected, Undo and Redo a step to take; zoom items stop at the
// limits and Normal needs a zoomed text.
std::vector<TextEditMenuEntry> textEditMenu(const TextEditMenuState& state,
                                            std::string_view context);

// The command a key press stands for (Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, Ctrl+X and Shift+Delete,
// Ctrl+C and Ctrl+Insert, Ctrl+V and Shift+Insert, Ctrl+A; with zoom, Ctrl with + - 0).
std::optional<TextEditCommand> commandForKey(std::int32_t key, std::uint32_t modifiers,
                                             bool zoomable);

} // namespace scalora
