// A large folder tree of the kind that trips up gathering: ten thousand files (images among
// others), links that lead in circles and folders that cannot be read. Shared by the gathering
// test and its benchmark.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace scalora::test {

class LinkLoopTree {
public:
    // Builds the tree below root, which must be an empty folder.
    explicit LinkLoopTree(const std::filesystem::path& root);
    // Makes the unreadable folders readable again, so the tree can be removed.
    ~LinkLoopTree();
    LinkLoopTree(const LinkLoopTree&) = delete;
    LinkLoopTree& operator=(const LinkLoopTree&) = delete;

    // Real paths of the images a gather may reach, and of those inside unreadable folders.
    const std::vector<std::string>& readableImages() const { return readable_; }
    const std::vector<std::string>& lockedImages() const { return locked_; }
    std::size_t fileCount() const { return files_; }

private:
    std::vector<std::filesystem::path> lockedFolders_;
    std::vector<std::string> readable_;
    std::vector<std::string> locked_;
    std::size_t files_ = 0;
};

} // namespace scalora::test
