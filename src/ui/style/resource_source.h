// Where style and data files come from: a loose folder on disk or an opened resource
// archive, both addressed by folder and file name ("xml", "skins.xml"). The style code reads
// through this interface only, so it works the same on both and tests need no archive.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace scalora {

class ResourceArchive;

class ResourceSource {
public:
    virtual ~ResourceSource() = default;
    // The whole file, or false when there is no such file or it cannot be read.
    [[nodiscard]] virtual bool read(std::string_view folder, std::string_view file,
                                    std::string& bytes) const = 0;
};

// Files below a folder: folder/file.
class FolderSource : public ResourceSource {
public:
    explicit FolderSource(std::string root) : root_(std::move(root)) {}
    [[nodiscard]] bool read(std::string_view folder, std::string_view file,
                            std::string& bytes) const override;
    const std::string& root() const { return root_; }

private:
    std::string root_;
};

// Files of a resource archive: one the source opened and owns (open), or one that another
// owner keeps open for longer (the application's data archive).
class ArchiveSource : public ResourceSource {
public:
    explicit ArchiveSource(const ResourceArchive* borrowed);
    ~ArchiveSource() override;
    // Reads a package file; null when it cannot be read or is no valid archive.
    static std::unique_ptr<ArchiveSource> open(const std::string& path);
    [[nodiscard]] bool read(std::string_view folder, std::string_view file,
                            std::string& bytes) const override;

private:
    std::unique_ptr<ResourceArchive> owned_;
    const ResourceArchive* archive_ = nullptr;
};

// Adapts any lookup function, for example one over an opened archive.
class FunctionSource : public ResourceSource {
public:
    using Reader = std::function<bool(std::string_view, std::string_view, std::string&)>;
    explicit FunctionSource(Reader reader) : reader_(std::move(reader)) {}
    [[nodiscard]] bool read(std::string_view folder, std::string_view file,
                            std::string& bytes) const override {
        return reader_ && reader_(folder, file, bytes);
    }

private:
    Reader reader_;
};

} // namespace scalora
