// The text family's page of the sandbox: line edits (plain, with a blank text, read-only),
// each reporting the user's changes as "text <name> <text>" and, once the window has been
// painted, its place as "element <name> x y w h".
#pragma once

#include "sandbox_elements.h"

namespace scalora::sandbox {

// A row of the family's widgets, for the window's layout.
UIElement* makeTextGallery(UIWindow* window, const Reporter& report);

} // namespace scalora::sandbox
