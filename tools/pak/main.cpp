// scalora-pak: builds and inspects the resource archives the program ships (data.pak, styles).
#include "pak_commands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

int usage() {
    std::cerr << "usage: scalora-pak pack SRC_DIR OUT.pak\n"
                 "       scalora-pak list ARCHIVE\n"
                 "       scalora-pak extract ARCHIVE DEST_DIR\n";
    return kUsage;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return usage();
    }
    std::string error;
    bool ok = false;
    if (args[0] == "pack" && args.size() == 3) {
        ok = scalora::pak::pack(args[1], args[2], error);
    } else if (args[0] == "list" && args.size() == 2) {
        ok = scalora::pak::list(args[1], std::cout, error);
    } else if (args[0] == "extract" && args.size() == 3) {
        ok = scalora::pak::extract(args[1], args[2], std::cerr, error);
    } else {
        return usage();
    }
    if (!ok) {
        std::cerr << "scalora-pak: " << error << '\n';
        return kFailure;
    }
    return 0;
}
