#include "tools/batch/batch_defaults.h"

#include <cstdlib>

namespace scalora {

std::string userSettingsPath() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (configHome != nullptr && configHome[0] == '/') {
        folder = configHome;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        folder = std::string(home) + "/.config";
    } else {
        return {};
    }
    return folder + "/Halvorn Scalora/config.dat";
}

BatchDefaults loadBatchDefaults(const std::string& /*settingsPath*/) {
    return {};
}

bool useLanguage(const std::string& language) {
    return language == "english";
}

} // namespace scalora
