// The lists page of the widget gallery: a 100,000-row table under its header, a list in list
// mode and one in icon mode, an empty list with its blank text, free-standing scroll bars and
// combo boxes (one disabled). Deterministic, so tests can compare it with a reference image.
#pragma once

#include "base/geometry.h"

namespace scalora {
class UIWindow;
}

namespace scalora::sandbox {

// The page's size.
inline constexpr Size kListsGallerySize{960, 560};

// Fills a window of kListsGallerySize with the page's widgets (shown).
void buildListsGallery(UIWindow& window);
// A top-level window with the page that quits the program when closed.
UIWindow* openListsGallery();

} // namespace scalora::sandbox
