// Feeds arbitrary bytes to the translation loader as a language file.
#include "data/translation.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    static const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                              ("scalora-fuzz-" + std::to_string(getpid()) + ".xml");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Translation translation;
    static_cast<void>(translation.load(file.string()));
    LanguageInfo info;
    static_cast<void>(readLanguageHeader(file.string(), info));
    return 0;
}
