// The main window's three dialogs: Add images, Add folder and the destination chooser, each
// opening where the user last was, with its title and filters. A confirmed choice is stored for
// the next time; a cancelled one changes nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace scalora {

class SettingsStore;
class UIWindow;

// The chosen files; export/sourceFolder becomes their folder.
std::optional<std::vector<std::string>> runAddImagesDialog(UIWindow* owner,
                                                           SettingsStore& settings);
// The chosen folder; export/sourceFolder becomes it.
std::optional<std::string> runAddFolderDialog(UIWindow* owner, SettingsStore& settings);
// The chosen folder; export/destinationFolder becomes it.
std::optional<std::string> runDestinationDialog(UIWindow* owner, SettingsStore& settings);

} // namespace scalora
