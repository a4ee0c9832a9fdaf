// The screen resolution that turns font points into pixels: the X resource Xft.dpi when a
// display is there and sets it, else 96. Read once; tests and the headless backend set it.
#pragma once

#include <optional>
#include <string_view>

namespace scalora {

// The dots per inch used for fonts (at least 1).
double screenDpi();
// Overrides the resolution (values of 0 or less go back to reading the display).
void setScreenDpi(double dpi);

// The Xft.dpi value of an X resource database text ("Xft.dpi:\t120\n..."), if present and
// positive.
std::optional<double> parseXftDpi(std::string_view resources);

} // namespace scalora
