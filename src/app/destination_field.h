// The main window's destination field: a line edit that takes exactly one dropped folder as
// the destination, and whose double click, while it is empty, asks for the folder dialog.
#pragma once

#include "ui/widgets/ui_line_edit.h"

#include <optional>
#include <string>

namespace scalora {

class UIMimeData;

class DestinationField : public UILineEdit {
public:
    explicit DestinationField(UIElement* parent);

    UISignal<const std::string&> folderDropped;
    UISignal<> chooseRequested;

protected:
    void mouseDoubleClickEvent(UIEvent& e) override;
    void dragEnterEvent(UIEvent& e) override;
    void dragMoveEvent(UIEvent& e) override;
    void dropEvent(UIEvent& e) override;
};

// The one existing folder a drag carries, or nothing: other drags are refused.
std::optional<std::string> droppedFolder(const UIMimeData* data);

} // namespace scalora
