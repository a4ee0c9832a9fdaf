// Whole text files in the three encodings the program's files use: ANSI (ISO-8859-1 here),
// UTF-8 and UTF-16LE. Text in memory is UTF-8; conversion happens on the way in and out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scalora {

enum class TextEncoding { Ansi = 1, Utf8 = 2, Utf16 = 3 };

// Decodes file bytes: a leading byte-order mark of the encoding is skipped, malformed
// sequences become U+FFFD. An encoding value outside the three gives the empty string.
std::string decodeText(std::string_view bytes, TextEncoding encoding);

// Language files and style descriptions are tens of kilobytes: a text file beyond this is not
// one of ours, and reading it whole would only cost memory.
inline constexpr std::uint64_t kMaxTextFileBytes = 16u << 20;
// A settings file holds a few dozen short lines.
inline constexpr std::uint64_t kMaxSettingsFileBytes = 1u << 20;

// The whole file as text; nothing when the file cannot be read, is not a regular file or is
// larger than maxBytes. An empty file is empty text.
std::optional<std::string> readTextFile(const std::string& path, TextEncoding encoding,
                                        std::uint64_t maxBytes = kMaxTextFileBytes);

// Collects text converted to the file encoding, byte-order mark first (none for Ansi), and
// writes it in one step so a failed or interrupted save leaves the old file in place.
class TextFileWriter {
public:
    explicit TextFileWriter(TextEncoding encoding = TextEncoding::Utf8) : encoding_(encoding) {}

    // Empty text writes nothing, not even the byte-order mark.
    void write(std::string_view text);
    const std::string& bytes() const { return bytes_; }
    [[nodiscard]] bool saveTo(const std::string& path) const;

private:
    TextEncoding encoding_;
    bool started_ = false;
    std::string bytes_;
};

} // namespace scalora
