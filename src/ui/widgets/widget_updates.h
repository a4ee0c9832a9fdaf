// What a widget does when its preferred size changes (new text, icons, menu or style values):
// the layout of its parent places the elements again, and it repaints.
#pragma once

namespace scalora {

class UIElement;

void sizeHintChanged(UIElement& element);

} // namespace scalora
