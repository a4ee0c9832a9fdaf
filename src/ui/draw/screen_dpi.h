// The screen resolution that turns font points into pixels: what the window system says the
// display uses (the SDL backend reads Xft.dpi), else 96. Tests and the headless backend
// override it.
#pragma once

namespace scalora {

// The dots per inch used for fonts (at least 1).
double screenDpi();
// Overrides the resolution (values of 0 or less go back to the display's).
void setScreenDpi(double dpi);
// What the display uses, as the window system found it (0 or less: the display says nothing,
// so 96 stands).
void setDisplayDpi(double dpi);

} // namespace scalora
