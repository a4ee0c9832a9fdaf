#include "base/paths.h"

#include <cstdlib>
#include <vector>

namespace scalora {

bool isAbsolutePath(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

std::string joinPath(std::string_view base, std::string_view name) {
    if (base.empty() || isAbsolutePath(name)) {
        return std::string(name);
    }
    std::string out(base);
    if (out.back() != kPathSeparator) {
        out += kPathSeparator;
    }
    out.append(name);
    return out;
}

std::string directoryPart(std::string_view path) {
    const std::size_t slash = path.rfind(kPathSeparator);
    if (slash == std::string_view::npos) {
        return {};
    }
    if (slash == 0) {
        return "/";
    }
    return std::string(path.substr(0, slash));
}

std::string fileName(std::string_view path) {
    const std::size_t slash = path.rfind(kPathSeparator);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string baseName(std::string_view path) {
    const std::string name = fileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string extension(std::string_view path) {
    const std::string name = fileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string withTrailingSeparator(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != kPathSeparator) {
        out += kPathSeparator;
    }
    return out;
}

std::string withoutTrailingSeparator(std::string_view path) {
    std::string out(path);
    while (out.size() > 1 && out.back() == kPathSeparator) {
        out.pop_back();
    }
    return out;
}

std::string expandHome(std::string_view path) {
    if (path.empty() || path.front() != '~' || (path.size() > 1 && path[1] != kPathSeparator)) {
        return std::string(path);
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        return std::string(path);
    }
    return withoutTrailingSeparator(home) + std::string(path.substr(1));
}

std::string normalizePath(std::string_view path, std::string_view cwd) {
    std::string full;
    if (!isAbsolutePath(path) && !cwd.empty()) {
        full = joinPath(cwd, path);
    } else {
        full = std::string(path);
    }
    if (full.empty()) {
        return full;
    }
    const bool absolute = isAbsolutePath(full);
    const bool trailing = full.back() == kPathSeparator || full.ends_with("/.") ||
                          full.ends_with("/..") || full == "." || full == "..";
    std::vector<std::string_view> parts;
    std::string_view rest = full;
    while (!rest.empty()) {
        const std::size_t slash = rest.find(kPathSeparator);
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (!absolute) {
                parts.push_back(part);
            }
            continue;
        }
        parts.push_back(part);
    }
    std::string out = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            out += kPathSeparator;
        }
        out.append(parts[i]);
    }
    if (out.empty()) {
        return ".";
    }
    if (trailing && out.back() != kPathSeparator) {
        out += kPathSeparator;
    }
    return out;
}

} // namespace scalora
