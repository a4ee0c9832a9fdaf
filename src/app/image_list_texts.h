// The texts the image table shows for an item and its menu: the status text, the three-line
// tool tip and the label of the Exclude command, translated in the list's contexts.
#pragma once

#include "engine/image_item.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace scalora {

inline constexpr std::string_view kListMenusContext = "MainWindow/Menus";
inline constexpr std::string_view kListToolTipsContext = "MainWindow/ToolTips";
inline constexpr std::string_view kListStatusContext = "MainWindow/ResizeStatus";
inline constexpr std::string_view kListHeaderContext = "MainWindow/Header";
inline constexpr std::string_view kListWindowContext = "MainWindow";
inline constexpr std::string_view kListMessagesContext = "Messages";

// "Undefined", "OK", or the item's message ("Unknown error" when it has none).
std::string imageStatusText(const ImageItem& item);
// Name, dimensions and size on three lines; the size as formatByteCount writes it.
std::string imageToolTip(const ImageItem& item, std::string_view decimalSeparator);
std::string imageToolTip(const ImageItem& item);
// "Exclude", with " (n)" when more than one row is selected.
std::string excludeMenuText(std::size_t selectedRows);

} // namespace scalora
