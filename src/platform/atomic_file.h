// Writing a file so that readers only ever see the old contents or the complete new ones: the
// bytes go to a temporary file in the target's folder, which replaces the target by rename
// only after everything reached the disk. A write that is not committed leaves no trace, and a
// process killed while writing leaves none where the file system offers unnamed files.
#pragma once

#include "platform/file_descriptor.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace scalora {

// What a symbolic link standing at the target's name means for the write.
enum class TargetLink {
    Follow,  // the file it points to is replaced, the link stays (a settings file kept elsewhere)
    Replace, // the link itself is replaced; nothing it points to is touched (results, extraction)
};

class AtomicFile {
public:
    // Creates the temporary file at once; isOpen() tells whether that worked. The folder is
    // held open, so the file lands in it even when the folder is renamed meanwhile.
    explicit AtomicFile(std::string_view targetPath, TargetLink link = TargetLink::Follow);
    // The file name inside an already open folder; a link at that name is replaced.
    AtomicFile(int folderDescriptor, std::string_view name);
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
    // errno of the first failure, 0 when there was none.
    int error() const { return error_; }

private:
    void open(TargetLink link);
    bool openNamedTemporary();
    bool linkIntoFolder();
    void fail(int error);

    std::string target_;
    FileDescriptor folder_;
    std::string name_;
    // The temporary's name in the folder; empty while an unnamed file has not been linked.
    std::string temporaryName_;
    std::FILE* stream_ = nullptr;
    int error_ = 0;
    bool failed_ = false;
};

// The whole file in one call; false when anything failed, and then the old file is unchanged.
[[nodiscard]] bool writeFileAtomically(std::string_view path, std::string_view bytes,
                                       TargetLink link = TargetLink::Follow);

// Whether name has the form of this class's temporary files (".NAME.tmp-XXXXXX").
bool isTemporaryFileName(std::string_view name);
// Removes the temporaries a killed writer left in folder: our own regular files of that form
// that no running writer holds. The number removed.
std::int32_t removeStaleTemporaries(std::string_view folder);

} // namespace scalora
