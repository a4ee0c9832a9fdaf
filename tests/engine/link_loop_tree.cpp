#include "link_loop_tree.h"

#include <array>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace scalora::test {
namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
// Of every ten files six are images, in every accepted spelling; the rest are a GIF, text, a
// file without an extension and a hidden image.
constexpr std::array<std::string_view, 10> kKinds{".jpg",  ".png", ".tif", ".bmp", ".JPEG",
                                                  ".tiff", ".gif", ".txt", "",     ".jpg"};
constexpr std::size_t kHiddenKind = 9;
constexpr std::size_t kImageKinds = 6;

void touch(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        ::close(fd);
    }
}

std::string folderName(int index) {
    return "d" + std::string(index < 10 ? "0" : "") + std::to_string(index);
}

} // namespace

LinkLoopTree::LinkLoopTree(const fs::path& root) {
    for (int folder = 0; folder < kFolders; ++folder) {
        const fs::path dir = root / folderName(folder);
        fs::create_directories(dir / "deeper");
        // The last folder and one nested folder cannot be read.
        const bool lockedFolder = folder == kFolders - 1;
        for (int file = 0; file < kFilesPerFolder; ++file) {
            const std::size_t kind = static_cast<std::size_t>(file) % kKinds.size();
            // Half of every tenth folder lies one level deeper.
            const bool deeper = folder % 10 == 0 && file >= kFilesPerFolder / 2;
            const std::string name = (kind == kHiddenKind ? ".f" : "f") + std::to_string(file) +
                                     std::string(kKinds[kind]);
            const fs::path path = (deeper ? dir / "deeper" : dir) / name;
            touch(path);
            ++files_;
            if (kind < kImageKinds) {
                const bool locked = lockedFolder || (folder == 50 && deeper);
                (locked ? locked_ : readable_).push_back(path.string());
            }
        }
    }
    // A folder link to itself, one to its parent, a pair of links that point at each other
    // (as folders and as image names), a link to a whole folder met before the folder itself,
    // and a second name for one image.
    fs::create_directory_symlink(".", root / "d05" / "again");
    fs::create_directory_symlink("..", root / "d06" / "up");
    fs::create_symlink("loopB", root / "d07" / "loopA");
    fs::create_symlink("loopA", root / "d07" / "loopB");
    fs::create_symlink("pong.jpg", root / "ping.jpg");
    fs::create_symlink("ping.jpg", root / "pong.jpg");
    fs::create_directory_symlink("d09", root / "a-shortcut");
    fs::create_symlink("../d01/f0.jpg", root / "d08" / "alias.jpg");
    lockedFolders_ = {root / folderName(kFolders - 1), root / "d50" / "deeper"};
    for (const fs::path& folder : lockedFolders_) {
        fs::permissions(folder, fs::perms::none);
    }
}

LinkLoopTree::~LinkLoopTree() {
    std::error_code ignored;
    for (const fs::path& folder : lockedFolders_) {
        fs::permissions(folder, fs::perms::owner_all, ignored);
    }
}

} // namespace scalora::test
