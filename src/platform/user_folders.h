// The per-user folders the program keeps its settings in.
#pragma once

#include <string>
#include <string_view>

namespace scalora {

// $XDG_CONFIG_HOME when it is set to an absolute path, else "$HOME/.config"; empty when
// neither can be determined. No trailing separator.
std::string userConfigDirectory();
// The folder of one application inside the user's configuration folder
// (userConfigDirectory() + "/" + applicationName); empty when there is no configuration folder.
std::string applicationDataDirectory(std::string_view applicationName);

} // namespace scalora
