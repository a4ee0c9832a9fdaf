// The sandbox page of the menus family: a window with a menu bar, a tool bar (with a drop-down
// button), an element with a context menu (icons, check and radio items, a disabled item, a
// submenu), elements with tool tips, one that shows a balloon tip and one that runs a modal
// message box. Commands, menu openings and closings are reported as lines ("menus command
// <text>", "menus tool <name>", "menus menu open X Y W H", "menus menu closed", "menus message
// open", "menus message result <flag> [checked]"); "menus ready" and "element menus.<name> X Y
// W H" lines (window coordinates) come after its first paint.
#pragma once

#include "sandbox_elements.h"

namespace scalora::sandbox {

// Opens the page's window beside the main one; the toolkit owns it.
void openMenusGallery(const Reporter& report);

} // namespace scalora::sandbox
