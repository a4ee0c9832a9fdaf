#include "support/test_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <unistd.h>

namespace scalora::test {

std::filesystem::path sharedDir() {
    std::error_code ec;
    const std::filesystem::path dir = SCALORA_SHARED_DIR;
    if (std::filesystem::is_regular_file(dir / "testimages" / "manifest.tsv", ec)) {
        return std::filesystem::weakly_canonical(dir, ec);
    }
    return {};
}

std::string sharedSkipReason() {
    return std::string("no shared test images at ") + SCALORA_SHARED_DIR + " (they exist in CI)";
}

std::filesystem::path binDir() {
    return SCALORA_BIN_DIR;
}
std::filesystem::path sourceDir() {
    return SCALORA_SOURCE_DIR;
}

TempDir::TempDir() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate =
            base / ("scalora-test-" + std::to_string(getpid()) + "-" + std::to_string(random()));
        std::error_code ec;
        if (std::filesystem::create_directory(candidate, ec)) {
            path_ = std::move(candidate);
            return;
        }
    }
    std::abort();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

bool writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace scalora::test
