// A font as widgets and styles name it: family, size in points and style flags. The
// FreeType face behind it is found on first use and shared by every font of the same
// family, pixel height and weight; measuring and drawing go through that face's glyph cache.
#pragma once

#include "base/geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class FontFace;

struct FontMetrics {
    std::int32_t height = 0;  // ascent + descent: the height of one line of text
    std::int32_t ascent = 0;  // baseline below the top of the line
    std::int32_t descent = 0; // bottom of the line below the baseline
};

class UIFont {
public:
    enum Flag : std::uint32_t {
        kBold = 0x1,
        kItalic = 0x2,
        kUnderline = 0x4,
        kStrikeout = 0x8,
    };

    // The default font (see defaultFont()).
    UIFont();
    UIFont(std::string family, double pointSize, std::uint32_t flags = 0);

    // The process-wide default: the default family at 12 points, no flags. Styles start
    // every font value from it.
    static UIFont defaultFont();
    // fontconfig's match for "sans-serif", found once.
    static const std::string& defaultFamily();
    // Whether a family is installed: fontconfig always answers with some font, so the
    // family it answers with must be the one asked for (case-insensitively).
    static bool familyExists(std::string_view family);

    // Points to a pixel height and back at a resolution, rounded half away from zero.
    static std::int32_t pixelHeightFor(double points, double dpi);
    static std::int32_t pointsFromPixels(std::int32_t pixels, double dpi);

    const std::string& family() const { return family_; }
    double pointSize() const { return pointSize_; }
    std::uint32_t flags() const { return flags_; }
    bool isBold() const { return (flags_ & kBold) != 0; }
    bool isItalic() const { return (flags_ & kItalic) != 0; }
    bool isUnderline() const { return (flags_ & kUnderline) != 0; }
    bool isStrikeout() const { return (flags_ & kStrikeout) != 0; }
    void setFamily(std::string family);
    void setPointSize(double points);
    void setFlags(std::uint32_t flags);
    void setFlag(Flag flag, bool on);

    // Cell height in pixels at the screen resolution (screenDpi()).
    std::int32_t pixelHeight() const;
    FontMetrics metrics() const;
    std::int32_t lineHeight() const { return metrics().height; }
    // Advance width of one line of UTF-8 text, kerning included.
    std::int32_t textWidth(std::string_view text) const;
    // Width and line height.
    Size textExtent(std::string_view text) const;
    // Where each code point of one line of UTF-8 text starts (its pen position, kerning
    // included), followed by the whole advance: code points + 1 values, for placing a caret.
    void codePointOffsets(std::string_view text, std::vector<std::int32_t>& out) const;
    // The text itself if it fits in maxWidth pixels, else the longest start of it followed
    // by an ellipsis that fits (just the ellipsis, or nothing, when even that is too wide).
    std::string elidedText(std::string_view text, std::int32_t maxWidth) const;

    // The face for drawing; null only when no font at all is installed.
    FontFace* face() const;

    friend bool operator==(const UIFont& a, const UIFont& b) {
        return a.family_ == b.family_ && a.pointSize_ == b.pointSize_ && a.flags_ == b.flags_;
    }

private:
    std::string family_;
    double pointSize_ = 12;
    std::uint32_t flags_ = 0;
    // Made on first use; dropped when a property changes or the resolution does.
    mutable std::shared_ptr<FontFace> face_;
    mutable std::int32_t facePixelHeight_ = 0;
};

} // namespace scalora
