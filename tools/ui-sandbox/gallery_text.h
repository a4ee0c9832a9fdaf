// The text family's page of the sandbox: line edits (plain, with a blank text, read-only),
// each reporting the user's changes as "text <name> <text>", and a box that opens the
// desktop's file dialog and reports "chosen <paths> folder <folder>" or "dialog cancelled",
// and a text edit below them (its first line reported like the line edits' texts).
// Once the window has been painted each reports its place as "element <name> x y w h".
#pragma once

#include "sandbox_elements.h"

namespace scalora::sandbox {

// The family's widgets in one element, for the window's layout.
UIElement* makeTextGallery(UIWindow* window, const Reporter& report);

} // namespace scalora::sandbox
