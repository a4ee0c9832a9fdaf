// Dropped and clipboard data in one container: an ordered list of entries named by MIME-like
// format names ("text/plain", "text/file-path-list", "image/*" or any private name), so
// widgets never see the platform's own formats.
#pragma once

#include "imaging/pixel_image.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

inline constexpr std::string_view kMimeText = "text/plain";
inline constexpr std::string_view kMimeFilePathList = "text/file-path-list";
inline constexpr std::string_view kMimeImage = "image/*";

class UIMimeData {
public:
    struct Entry {
        std::string format; // compared exactly
        std::string bytes;  // the payload (UTF-8 for text, paths joined by '\n' for a list)
        std::vector<std::string> paths;    // "text/file-path-list" only
        std::shared_ptr<PixelImage> image; // "image/*" only
    };

    bool hasFormat(std::string_view format) const { return find(format) != nullptr; }
    std::vector<std::string> formats() const;
    std::size_t count() const { return entries_.size(); }
    const std::vector<Entry>& entries() const { return entries_; }

    // Replaces the payload of the first entry of that name, or appends a new entry.
    void setData(std::string_view format, std::string bytes);
    // The raw payload; empty when the format is missing.
    std::string data(std::string_view format) const;

    bool hasText() const { return hasFormat(kMimeText); }
    // The "text/plain" entry; empty when missing.
    std::string text() const { return data(kMimeText); }
    void setText(std::string text) { setData(kMimeText, std::move(text)); }

    bool hasFilePaths() const { return hasFormat(kMimeFilePathList); }
    // The "text/file-path-list" entry in order; empty when missing.
    std::vector<std::string> filePaths() const;
    void setFilePaths(std::vector<std::string> paths);

    bool hasImage() const { return hasFormat(kMimeImage); }
    // Null when there is no "image/*" entry.
    std::shared_ptr<const PixelImage> image() const;
    void setImage(PixelImage image);

    void clear() { entries_.clear(); }

private:
    const Entry* find(std::string_view format) const;
    Entry& entryFor(std::string_view format);

    std::vector<Entry> entries_;
};

} // namespace scalora
