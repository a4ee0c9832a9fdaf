// Shared helpers for the test programs: where the shared test images live, a scratch folder
// that cleans up after itself, and small file utilities.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace scalora::test {

// The shared conformance images and photo corpus, or an empty path when this clone has none
// beside it (a test then skips with GTEST_SKIP() << skipReason()).
std::filesystem::path sharedDir();
std::string sharedSkipReason();
// The folder the build puts programs, data.pak and default.style in.
std::filesystem::path binDir();
std::filesystem::path sourceDir();

// A fresh folder under the system temp folder, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

bool writeFile(const std::filesystem::path& path, std::string_view bytes);
std::string readFile(const std::filesystem::path& path);

} // namespace scalora::test

// Skips the current test when the shared folder is missing.
#define SCALORA_REQUIRE_SHARED()                                                                   \
    do {                                                                                           \
        if (::scalora::test::sharedDir().empty()) {                                                \
            GTEST_SKIP() << ::scalora::test::sharedSkipReason();                                   \
        }                                                                                          \
    } while (false)
