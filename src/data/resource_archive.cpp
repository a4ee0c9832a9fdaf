#include "data/resource_archive.h"

#include "base/strings.h"
#include "data/file_bytes.h"
#include "data/text_file.h"

#include <limits>

namespace scalora {
namespace {

// A cursor over the archive bytes that refuses every read running past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool skip(std::size_t count) {
        if (count > remaining()) {
            return false;
        }
        pos_ += count;
        return true;
    }
    bool readInt(std::int32_t& value) {
        if (remaining() < 4) {
            return false;
        }
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) {
            v = (v << 8) | static_cast<unsigned char>(bytes_[pos_ + static_cast<std::size_t>(i)]);
        }
        pos_ += 4;
        value = static_cast<std::int32_t>(v);
        return true;
    }
    bool readBytes(std::size_t count, std::string_view& out) {
        if (count > remaining()) {
            return false;
        }
        out = bytes_.substr(pos_, count);
        pos_ += count;
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

bool readKept(ByteReader& in, ArchiveKeptValues& kept) {
    bool ok = in.readInt(kept.value1) && in.readInt(kept.value2) && in.readInt(kept.value3);
    for (std::int32_t& value : kept.block) {
        ok = ok && in.readInt(value);
    }
    return ok;
}

bool readName(ByteReader& in, std::int32_t length, std::string& name) {
    std::string_view raw;
    if (length < 0 || length > ResourceArchive::kMaxNameBytes ||
        !in.readBytes(static_cast<std::size_t>(length), raw)) {
        return false;
    }
    name = utf16leBytesToUtf8(raw);
    return true;
}

bool readFileEntry(ByteReader& in, ArchiveFolder& folder) {
    auto file = std::make_unique<ArchiveFile>();
    std::int32_t nameLength = 0;
    std::int32_t dataSize = 0;
    std::int32_t unused = 0;
    std::string_view data;
    if (!in.readInt(nameLength) || !readKept(in, file->kept) || !in.readInt(dataSize) ||
        !in.readInt(unused) || !readName(in, nameLength, file->name) || dataSize < 0 ||
        !in.readBytes(static_cast<std::size_t>(dataSize), data)) {
        return false;
    }
    file->data.assign(data);
    folder.files.push_back(std::move(file));
    return true;
}

void appendInt(std::string& out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((v >> shift) & 0xFF);
    }
}

void appendKept(std::string& out, const ArchiveKeptValues& kept) {
    appendInt(out, kept.value1);
    appendInt(out, kept.value2);
    appendInt(out, kept.value3);
    for (std::int32_t value : kept.block) {
        appendInt(out, value);
    }
}

bool fitsInt(std::size_t size) {
    return size <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
}

} // namespace

std::string ArchiveFile::text() const {
    return decodeText(data, TextEncoding::Utf8);
}

const ArchiveFile* ArchiveFolder::findFile(std::string_view fileName) const {
    for (const auto& file : files) {
        if (file->name == fileName) {
            return file.get();
        }
    }
    return nullptr;
}

ArchiveFile& ArchiveFolder::addFile(std::string fileName, std::string data) {
    auto file = std::make_unique<ArchiveFile>();
    file->name = std::move(fileName);
    file->data = std::move(data);
    files.push_back(std::move(file));
    return *files.back();
}

bool ResourceArchive::readFile(const std::string& path) {
    clear();
    std::string bytes;
    if (!readFileBytes(path, bytes) || !readBytes(bytes)) {
        clear();
        return false;
    }
    path_ = path;
    return true;
}

bool ResourceArchive::readBytes(std::string_view bytes) {
    clear();
    ByteReader in(bytes);
    std::int32_t folderCount = 0;
    std::int32_t secondCount = 0;
    std::int32_t value1 = 0;
    std::int32_t value2 = 0;
    if (bytes.size() < kHeaderSize || bytes[0] != 'F' || bytes[1] != 'A' || !in.skip(4) ||
        !in.readInt(value1) || !in.readInt(value2) || !in.readInt(folderCount) ||
        !in.readInt(secondCount) || folderCount < 0 || secondCount < 0) {
        return false;
    }
    headerValue1_ = value1;
    headerValue2_ = value2;
    // Each folder needs at least its record, so an absurd count fails at the end of the bytes
    // long before it could cost memory.
    for (std::int32_t f = 0; f < folderCount; ++f) {
        auto folder = std::make_unique<ArchiveFolder>();
        std::int32_t nameLength = 0;
        std::int32_t fileCount = 0;
        if (!in.readInt(nameLength) || !readKept(in, folder->kept) || !in.readInt(fileCount) ||
            fileCount < 0 || !readName(in, nameLength, folder->name)) {
            clear();
            return false;
        }
        for (std::int32_t i = 0; i < fileCount; ++i) {
            if (!readFileEntry(in, *folder)) {
                clear();
                return false;
            }
        }
        folders_.push_back(std::move(folder));
    }
    return true;
}

const ArchiveFolder* ResourceArchive::findFolder(std::string_view folderName) const {
    for (const auto& folder : folders_) {
        if (folder->name == folderName) {
            return folder.get();
        }
    }
    return nullptr;
}

const ArchiveFile* ResourceArchive::findFile(std::string_view folderName,
                                             std::string_view fileName) const {
    const ArchiveFolder* folder = findFolder(folderName);
    return folder == nullptr ? nullptr : folder->findFile(fileName);
}

ArchiveFolder& ResourceArchive::addFolder(std::string folderName) {
    auto folder = std::make_unique<ArchiveFolder>();
    folder->name = std::move(folderName);
    folders_.push_back(std::move(folder));
    return *folders_.back();
}

void ResourceArchive::setHeaderValues(std::int32_t value1, std::int32_t value2) {
    headerValue1_ = value1;
    headerValue2_ = value2;
}

void ResourceArchive::clear() {
    path_.clear();
    headerValue1_ = 1;
    headerValue2_ = 0;
    folders_.clear();
}

bool encodeArchive(const ResourceArchive& archive, std::string& bytes) {
    bytes.clear();
    std::size_t fileCount = 0;
    for (const auto& folder : archive.folders()) {
        fileCount += folder->files.size();
    }
    if (!fitsInt(archive.folders().size()) || !fitsInt(fileCount)) {
        return false;
    }
    bytes += "FA";
    bytes.append(2, '\0');
    appendInt(bytes, archive.headerValue1());
    appendInt(bytes, archive.headerValue2());
    appendInt(bytes, static_cast<std::int32_t>(archive.folders().size()));
    // The second count is not read back; the total number of files is a useful thing to put.
    appendInt(bytes, static_cast<std::int32_t>(fileCount));
    for (const auto& folder : archive.folders()) {
        const std::string folderName = utf8ToUtf16leBytes(folder->name);
        if (folderName.size() > static_cast<std::size_t>(ResourceArchive::kMaxNameBytes) ||
            !fitsInt(folder->files.size())) {
            bytes.clear();
            return false;
        }
        appendInt(bytes, static_cast<std::int32_t>(folderName.size()));
        appendKept(bytes, folder->kept);
        appendInt(bytes, static_cast<std::int32_t>(folder->files.size()));
        bytes += folderName;
        for (const auto& file : folder->files) {
            const std::string fileName = utf8ToUtf16leBytes(file->name);
            if (fileName.size() > static_cast<std::size_t>(ResourceArchive::kMaxNameBytes) ||
                !fitsInt(file->data.size())) {
                bytes.clear();
                return false;
            }
            appendInt(bytes, static_cast<std::int32_t>(fileName.size()));
            appendKept(bytes, file->kept);
            appendInt(bytes, static_cast<std::int32_t>(file->data.size()));
            appendInt(bytes, 0);
            bytes += fileName;
            bytes += file->data;
        }
    }
    return true;
}

} // namespace scalora
