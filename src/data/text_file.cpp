#include "data/text_file.h"

#include "base/strings.h"
#include "data/file_bytes.h"
#include "platform/atomic_file.h"

namespace scalora {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Bom = "\xFF\xFE";

std::string sanitizedUtf8(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        return std::string(bytes);
    }
    return utf32ToUtf8(utf8ToUtf32(bytes));
}

} // namespace

std::string decodeText(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Ansi:
        return latin1ToUtf8(bytes);
    case TextEncoding::Utf8:
        // A file of just the mark is empty text, not one invisible character.
        if (bytes.starts_with(kUtf8Bom)) {
            bytes.remove_prefix(kUtf8Bom.size());
        }
        return sanitizedUtf8(bytes);
    case TextEncoding::Utf16:
        if (bytes.starts_with(kUtf16Bom)) {
            bytes.remove_prefix(kUtf16Bom.size());
        }
        return utf16leBytesToUtf8(bytes);
    }
    return {};
}

std::optional<std::string> readTextFile(const std::string& path, TextEncoding encoding,
                                        std::uint64_t maxBytes) {
    std::string bytes;
    if (!readFileBytes(path, bytes, maxBytes)) {
        return std::nullopt;
    }
    return decodeText(bytes, encoding);
}

void TextFileWriter::write(std::string_view text) {
    if (text.empty()) {
        return;
    }
    if (!started_) {
        started_ = true;
        if (encoding_ == TextEncoding::Utf8) {
            bytes_ += kUtf8Bom;
        } else if (encoding_ == TextEncoding::Utf16) {
            bytes_ += kUtf16Bom;
        }
    }
    switch (encoding_) {
    case TextEncoding::Ansi: {
        std::string converted = utf8ToLatin1(text);
        while (!converted.empty() && converted.back() == '\0') {
            converted.pop_back();
        }
        bytes_ += converted;
        break;
    }
    case TextEncoding::Utf8:
        bytes_ += text;
        break;
    case TextEncoding::Utf16:
        bytes_ += utf8ToUtf16leBytes(text);
        break;
    }
}

bool TextFileWriter::saveTo(const std::string& path) const {
    return writeFileAtomically(path, bytes_);
}

} // namespace scalora
