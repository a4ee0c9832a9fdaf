// Feeds arbitrary arguments (NUL-separated) to scalora-batch's argument parser and to the
// window program's command-line path cleaning.
#include "app/command_line.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_defaults.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    std::vector<std::string> args = {"scalora-batch"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    args.push_back(current);
    std::string error;
    static_cast<void>(wantsSettings(args));
    static_cast<void>(parseBatchArguments(args, commandLineDefaults(), error));
    for (const std::string& path : commandLinePaths(args)) {
        static_cast<void>(cleanCommandLinePath(path));
    }
    return 0;
}
