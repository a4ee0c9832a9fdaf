#include "ui/widgets/text_edit_context_menu.h"

namespace scalora {

TextEditContextMenu::TextEditContextMenu(UIElement* widget, TextEditor& editor)
    : UIMenu(widget), editor_(editor) {}

void TextEditContextMenu::popupAt(Point screenPosition) {
    clear();
    fill(*this, editor_.menu());
    UIMenu::popupAt(screenPosition);
}

void TextEditContextMenu::fill(UIMenu& menu, const std::vector<TextEditMenuEntry>& entries) {
    for (const TextEditMenuEntry& entry : entries) {
        if (entry.separatorBefore && menu.itemCount() > 0) {
            menu.addSeparator();
        }
        if (!entry.submenu.empty()) {
            fill(*menu.addSubmenu(entry.text), entry.submenu);
            continue;
        }
        UIMenuItem* item = menu.addItem(entry.text);
        menu.setItemEnabled(item, entry.enabled);
        const TextEditCommand command = entry.command;
        item->command().connect([this, command] { static_cast<void>(editor_.run(command)); });
    }
}

} // namespace scalora
