#include "data/resource_locator.h"

#include "base/paths.h"
#include "platform/file_system.h"

namespace scalora {

std::string installedDataDir(std::string_view exeDir) {
    return withoutTrailingSeparator(normalizePath(joinPath(exeDir, "../share/halvorn-scalora")));
}

std::string locateResourceFile(std::string_view exeDir, std::string_view name,
                               std::string_view extension, std::string_view subfolder) {
    if (name.empty()) {
        return {};
    }
    if (name.find(kPathSeparator) != std::string_view::npos) {
        const std::string path(name);
        return isRegularFile(path) ? path : std::string();
    }
    // Without the program's folder there is nothing to look beside; the working folder is not
    // a substitute.
    if (exeDir.empty()) {
        return {};
    }
    const std::string fileName = std::string(name) + std::string(extension);
    for (const std::string& base : {std::string(exeDir), installedDataDir(exeDir)}) {
        for (const std::string& candidate :
             {joinPath(base, fileName), joinPath(joinPath(base, subfolder), fileName)}) {
            if (isRegularFile(candidate)) {
                return candidate;
            }
        }
    }
    return {};
}

std::vector<std::string> languageDirs(std::string_view exeDir) {
    if (exeDir.empty()) {
        return {};
    }
    return {joinPath(exeDir, "languages"), joinPath(installedDataDir(exeDir), "languages")};
}

} // namespace scalora
