#include "app/destination_field.h"

#include "base/strings.h"
#include "exchange/ui_mime_data.h"
#include "platform/file_system.h"

namespace scalora {

DestinationField::DestinationField(UIElement* parent) : UILineEdit(parent) {
    setOption(kAcceptsDrops, true);
}

std::optional<std::string> droppedFolder(const UIMimeData* data) {
    if (data == nullptr) {
        return std::nullopt;
    }
    const std::vector<std::string> paths = data->filePaths();
    if (paths.size() != 1 || !isDirectory(paths.front())) {
        return std::nullopt;
    }
    return paths.front();
}

namespace {

// Over X11 a drag offers its formats but not its data, which arrives only with the drop: a
// drag of files whose paths are not known yet is taken, and the drop decides.
bool mayBeFolder(const UIMimeData* data) {
    return data != nullptr && data->hasFilePaths() &&
           (data->filePaths().empty() || droppedFolder(data));
}

} // namespace

void DestinationField::mouseDoubleClickEvent(UIEvent& e) {
    if (trim(text()).empty() && e.button == kLeftButton) {
        chooseRequested.emit();
        return;
    }
    UILineEdit::mouseDoubleClickEvent(e);
}

void DestinationField::dragEnterEvent(UIEvent& e) {
    if (mayBeFolder(e.mimeData)) {
        e.accept();
    }
}

void DestinationField::dragMoveEvent(UIEvent& e) {
    if (mayBeFolder(e.mimeData)) {
        e.accept();
    }
}

void DestinationField::dropEvent(UIEvent& e) {
    if (const std::optional<std::string> folder = droppedFolder(e.mimeData)) {
        e.accept();
        folderDropped.emit(*folder);
    }
}

} // namespace scalora
