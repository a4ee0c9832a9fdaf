// Writing a file so that readers only ever see the old contents or the complete new ones: the
// bytes go to a temporary file in the target's folder, which replaces the target by rename
// only after everything reached the disk. A write that is not committed leaves no trace.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace scalora {

class AtomicFile {
public:
    // Creates the temporary file at once; isOpen() tells whether that worked. A target that is
    // a symbolic link is written through the link, so the link stays in place.
    explicit AtomicFile(std::string_view targetPath);
    // Removes the temporary file unless commit() succeeded.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isOpen() const { return stream_ != nullptr; }
    // Buffered stream and its descriptor for writing the contents; nullptr / -1 when not open.
    // Neither may be closed by the caller (duplicate the descriptor for libraries that close
    // what they are given).
    std::FILE* stream() const { return stream_; }
    int descriptor() const;
    // Appends bytes; false (and the file is spoiled) when they could not be written.
    [[nodiscard]] bool write(std::string_view bytes);

    // Flushes, syncs and renames the temporary file over the target. On failure the temporary
    // file is removed and the target is untouched. Only the first call does anything.
    [[nodiscard]] bool commit();
    // Gives up: removes the temporary file, the target is untouched.
    void discard();

    const std::string& targetPath() const { return target_; }
    const std::string& temporaryPath() const { return temporary_; }
    // errno of the first failure, 0 when there was none.
    int error() const { return error_; }

private:
    void fail(int error);

    std::string target_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
    int error_ = 0;
    bool failed_ = false;
};

// The whole file in one call; false when anything failed, and then the old file is unchanged.
[[nodiscard]] bool writeFileAtomically(std::string_view path, std::string_view bytes);

} // namespace scalora
