// Resource archives (".pak" and ".style" files): a two-level tree of folders holding files,
// read whole into memory. Names are matched exactly; duplicates are kept and the first wins.
//
// File layout, all integers 32-bit little-endian signed:
//   header (20 bytes): "FA", 2 unused bytes, header value 1, header value 2, folder count,
//                      a second count (>= 0, unused);
//   per folder: a 48-byte record (name length in bytes, three values, seven values,
//               file count), the UTF-16LE name, then its files;
//   per file:   a 52-byte record (name length in bytes, three values, seven values,
//               data size, an unused field), the UTF-16LE name, then the data bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// Values carried by folders and files that nothing here interprets; a packer may leave them 0.
struct ArchiveKeptValues {
    std::int32_t value1 = 0;
    std::int32_t value2 = 0;
    std::int32_t value3 = 0;
    std::array<std::int32_t, 7> block{};
};

class ArchiveFile {
public:
    std::string name;
    ArchiveKeptValues kept;
    std::string data;

    std::span<const std::uint8_t> bytes() const {
        return {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()};
    }
    // The data as UTF-8 text with a leading byte-order mark skipped.
    std::string text() const;
};

class ArchiveFolder {
public:
    std::string name;
    ArchiveKeptValues kept;
    std::vector<std::unique_ptr<ArchiveFile>> files;

    const ArchiveFile* findFile(std::string_view fileName) const;
    ArchiveFile& addFile(std::string fileName, std::string data);
};

class ResourceArchive {
public:
    // Limits of the format: a name is at most 255 UTF-16 code units.
    static constexpr std::int32_t kMaxNameBytes = 510;
    static constexpr std::size_t kHeaderSize = 20;
    static constexpr std::size_t kFolderRecordSize = 48;
    static constexpr std::size_t kFileRecordSize = 52;

    // Reads and validates an archive file; on failure the archive is left empty.
    [[nodiscard]] bool readFile(const std::string& path);
    // The same from bytes already in memory. Sizes and counts in the bytes are never trusted:
    // nothing is read past the end and nothing is allocated beyond what the bytes hold.
    [[nodiscard]] bool readBytes(std::string_view bytes);

    const std::string& path() const { return path_; }
    std::int32_t headerValue1() const { return headerValue1_; }
    std::int32_t headerValue2() const { return headerValue2_; }
    const std::vector<std::unique_ptr<ArchiveFolder>>& folders() const { return folders_; }

    const ArchiveFolder* findFolder(std::string_view folderName) const;
    const ArchiveFile* findFile(std::string_view folderName, std::string_view fileName) const;

    // Building an archive in memory, for the packing tool and tests.
    ArchiveFolder& addFolder(std::string folderName);
    void setHeaderValues(std::int32_t value1, std::int32_t value2);
    void clear();

private:
    std::string path_;
    std::int32_t headerValue1_ = 1;
    std::int32_t headerValue2_ = 0;
    std::vector<std::unique_ptr<ArchiveFolder>> folders_;
};

// The archive in its file form. False when a name or a size does not fit the format.
[[nodiscard]] bool encodeArchive(const ResourceArchive& archive, std::string& bytes);

} // namespace scalora
