#include "ui/draw/ui_font.h"

#include "base/strings.h"
#include "ui/draw/font_face.h"
#include "ui/draw/screen_dpi.h"

#include <cmath>
#include <mutex>
#include <vector>

namespace scalora {

namespace {

// Whole-number rounding with halves away from zero, as sizes have always been rounded.
std::int32_t roundHalfAwayToInt(double v) {
    return static_cast<std::int32_t>(v >= 0 ? v + 0.5 : v - 0.5);
}

// The fall-back family when fontconfig has no configuration at all.
constexpr const char* kLastResortFamily = "sans-serif";
// The default size of every font value in points.
constexpr double kDefaultPointSize = 12.0;

} // namespace

UIFont::UIFont() : family_(defaultFamily()), pointSize_(kDefaultPointSize) {}

UIFont::UIFont(std::string family, double pointSize, std::uint32_t flags)
    : family_(std::move(family)), pointSize_(pointSize), flags_(flags & 0xF) {
    if (family_.empty()) {
        family_ = defaultFamily();
    }
}

UIFont UIFont::defaultFont() {
    return UIFont();
}

const std::string& UIFont::defaultFamily() {
    static const std::string family = [] {
        std::string matched = FontFace::matchFamily("sans-serif");
        return matched.empty() ? std::string(kLastResortFamily) : matched;
    }();
    return family;
}

bool UIFont::familyExists(std::string_view family) {
    if (family.empty()) {
        return false;
    }
    return equalsIgnoreCase(FontFace::matchFamily(std::string(family)), family);
}

std::int32_t UIFont::pixelHeightFor(double points, double dpi) {
    return roundHalfAwayToInt(points * dpi / 72.0);
}

std::int32_t UIFont::pointsFromPixels(std::int32_t pixels, double dpi) {
    return dpi > 0 ? roundHalfAwayToInt(pixels * 72.0 / dpi) : 0;
}

void UIFont::setFamily(std::string family) {
    family_ = family.empty() ? defaultFamily() : std::move(family);
    face_.reset();
}

void UIFont::setPointSize(double points) {
    pointSize_ = points;
    face_.reset();
}

void UIFont::setFlags(std::uint32_t flags) {
    if (((flags ^ flags_) & (kBold | kItalic)) != 0) {
        face_.reset();
    }
    flags_ = flags & 0xF;
}

void UIFont::setFlag(Flag flag, bool on) {
    setFlags(on ? (flags_ | flag) : (flags_ & ~static_cast<std::uint32_t>(flag)));
}

std::int32_t UIFont::pixelHeight() const {
    return pixelHeightFor(pointSize_, screenDpi());
}

FontFace* UIFont::face() const {
    const std::int32_t px = pixelHeight();
    if (!face_ || px != facePixelHeight_) {
        // A size that rounds to nothing (or a negative one) still draws at one pixel.
        face_ = FontFace::get(family_, std::max(std::abs(px), 1), isBold(), isItalic());
        facePixelHeight_ = px;
    }
    return face_.get();
}

FontMetrics UIFont::metrics() const {
    FontFace* f = face();
    if (f == nullptr) {
        return {};
    }
    return {f->height(), f->ascent(), f->descent()};
}

std::int32_t UIFont::textWidth(std::string_view text) const {
    FontFace* f = face();
    if (f == nullptr || text.empty()) {
        return 0;
    }
    return f->layoutUtf8(text, nullptr);
}

void UIFont::codePointOffsets(std::string_view text, std::vector<std::int32_t>& out) const {
    out.clear();
    thread_local std::vector<FontFace::PlacedGlyph> placed;
    placed.clear();
    FontFace* f = face();
    const std::int32_t width = f != nullptr ? f->layoutUtf8(text, &placed) : 0;
    // Control characters get no glyph: they sit where the next glyph starts.
    std::size_t glyph = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = decodeUtf8(text, pos);
        out.push_back(glyph < placed.size() ? placed[glyph].x : width);
        if ((c >= 0x20 && c != 0x7F) || c == U'\t') {
            ++glyph;
        }
    }
    out.push_back(width);
}

Size UIFont::textExtent(std::string_view text) const {
    return {textWidth(text), lineHeight()};
}

std::string UIFont::elidedText(std::string_view text, std::int32_t maxWidth) const {
    if (textWidth(text) <= maxWidth) {
        return std::string(text);
    }
    static constexpr std::string_view kEllipsis = "\u2026";
    const std::int32_t ellipsisWidth = textWidth(kEllipsis);
    if (ellipsisWidth > maxWidth) {
        return {};
    }
    // Widths grow with every code point, so a binary search over the prefix length finds
    // the longest start that fits beside the ellipsis.
    const std::u32string chars = utf8ToUtf32(text);
    std::size_t lo = 0;
    std::size_t hi = chars.size();
    FontFace* f = face();
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        std::u32string candidate = chars.substr(0, mid);
        candidate += U'\u2026';
        if (f->layout(candidate, nullptr) <= maxWidth) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    // Trailing spaces before the ellipsis look like a mistake.
    std::u32string kept = chars.substr(0, lo);
    while (!kept.empty() && isSpaceChar(kept.back())) {
        kept.pop_back();
    }
    return utf32ToUtf8(kept) + std::string(kEllipsis);
}

} // namespace scalora
