// The resolution the X display asks fonts to use: the X resource Xft.dpi (SDL2 cannot report
// it under Xvfb). The SDL window system reads it once at start-up and hands it to the
// drawing layer.
#pragma once

#include <optional>
#include <string_view>

namespace scalora {

// Xft.dpi of the display named by DISPLAY; nothing without a display or without the resource.
[[nodiscard]] std::optional<double> readXftDpi();

// The Xft.dpi value of an X resource database text ("Xft.dpi:\t120\n..."), if present and
// positive.
[[nodiscard]] std::optional<double> parseXftDpi(std::string_view resources);

} // namespace scalora
