// Where the running program lives, so that data files installed beside it can be found.
#pragma once

#include <string>

namespace scalora {

// Full path of the running executable; empty when the system cannot tell.
std::string modulePath();
// Folder of the running executable without a trailing separator; empty when unknown.
std::string moduleDirectory();

} // namespace scalora
