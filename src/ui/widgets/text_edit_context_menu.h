// The context menu of the text editing widgets: built afresh from the editor's entries each time
// it opens, so its texts follow the language and its enabling the editor's state at that moment
// (a Paste that is enabled only while the clipboard holds text, say).
#pragma once

#include "ui/widgets/text_editor.h"
#include "ui/widgets/ui_menu.h"

#include <vector>

namespace scalora {

class TextEditContextMenu final : public UIMenu {
public:
    // A child of the widget whose editor it runs commands on.
    TextEditContextMenu(UIElement* widget, TextEditor& editor);

    void popupAt(Point screenPosition) override;

private:
    void fill(UIMenu& menu, const std::vector<TextEditMenuEntry>& entries);

    TextEditor& editor_;
};

} // namespace scalora
