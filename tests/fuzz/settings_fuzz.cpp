// Feeds arbitrary bytes to the settings store as its config.dat. Whatever loads must save and
// load back to the same entries.
#include "data/settings_store.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

const std::filesystem::path& folder() {
    static const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                              ("scalora-fuzz-settings-" + std::to_string(getpid()));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    std::filesystem::create_directories(folder() / "sub");
    {
        std::ofstream out(folder() / "sub" / "config.dat", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::vector<SettingEntry> first;
    {
        SettingsStore store("config.dat", "sub", folder().string());
        first = store.entries();
    } // saves
    SettingsStore again("config.dat", "sub", folder().string());
    if (again.entries().size() != first.size()) {
        std::abort();
    }
    return 0;
}
