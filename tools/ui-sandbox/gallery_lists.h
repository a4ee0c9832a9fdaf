// The lists page of the widget gallery: a 100,000-row table under its header, a list in list
// mode and one in icon mode, an empty list with its blank text, free-standing scroll bars and
// combo boxes (one disabled). Deterministic, so tests can compare it with a reference image.
#pragma once

#include "base/geometry.h"

#include <functional>
#include <string>

namespace scalora {
class UIComboBox;
class UITableView;
class UIWindow;
} // namespace scalora

namespace scalora::sandbox {

// The page's size.
inline constexpr Size kListsGallerySize{960, 560};

// The widgets a test drives.
struct ListsGallery {
    UITableView* table = nullptr;
    UIComboBox* mode = nullptr;
};

// Fills a window of kListsGallerySize with the page's widgets (shown).
ListsGallery buildListsGallery(UIWindow& window);
// A top-level window with the page that quits the program when closed. It reports
// "element gallery-mode x y w h" (the mode list's box) and "gallery ready" once painted, then
// "gallery mode <index>" and "gallery table <current row>" as they change.
UIWindow* openListsGallery(std::function<void(const std::string&)> report);

} // namespace scalora::sandbox
