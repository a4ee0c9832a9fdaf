// How the X11 drag protocol's names read in the container's terms: the target types an XDND
// source offers become format names, its action names become drop action bits. Plain text
// rules, so the window system's bridge and its tests share them without a display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scalora {

// Maps the target types an XDND source offers to the container's format names (each once).
std::vector<std::string> formatsForXdndTypes(const std::vector<std::string>& types);
// The drop action bits allowed for an XDND action name ("XdndActionMove"...); copy is always
// allowed, since every source must accept it.
std::uint32_t actionsForXdndAction(const std::string& actionName);

} // namespace scalora
