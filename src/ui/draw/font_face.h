// One sized font face of FreeType, found through fontconfig, with the caches that make
// repainting text cheap: code point to glyph, and each glyph's anti-aliased coverage
// bitmap and advance, rendered once. Characters the face lacks come from a fall-back face
// that fontconfig picks for them. Internal to the drawing library; widgets use UIFont.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scalora {

class FontFace {
public:
    struct Glyph {
        std::int32_t left = 0;  // from the pen position to the bitmap's left column
        std::int32_t top = 0;   // from the baseline up to the bitmap's top row
        std::int32_t width = 0; // bitmap size in pixels
        std::int32_t height = 0;
        std::int32_t advance = 0;           // pen movement in pixels
        std::vector<std::uint8_t> coverage; // width * height, 0..255
    };

    // A glyph of this face or of one of its fall-backs, positioned on a line.
    struct PlacedGlyph {
        const Glyph* glyph;
        std::int32_t x; // pen position from the start of the line
    };

    // The shared face for a family at a cell height in pixels (the family's fontconfig
    // match). Returns null only when FreeType or fontconfig cannot give any face at all.
    static std::shared_ptr<FontFace> get(const std::string& family, std::int32_t pixelHeight,
                                         bool bold, bool italic);
    // The family fontconfig matches for a name ("sans-serif" gives the default one).
    static std::string matchFamily(const std::string& family);

    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    std::int32_t ascent() const { return ascent_; }
    std::int32_t descent() const { return descent_; }
    std::int32_t height() const { return ascent_ + descent_; }
    std::int32_t underlinePosition() const { return underlinePos_; } // below the baseline
    std::int32_t lineThickness() const { return thickness_; }
    std::int32_t strikeoutPosition() const { return strikeoutPos_; } // above the baseline

    // Lays out one line (kerning applied) and returns its advance width. The placed glyphs
    // stay valid while this face lives.
    std::int32_t layout(std::u32string_view text, std::vector<PlacedGlyph>* out);
    // The same for UTF-8 text, decoded into a buffer the face keeps, so measuring and drawing
    // a line allocate nothing once the buffer has grown.
    std::int32_t layoutUtf8(std::string_view text, std::vector<PlacedGlyph>* out);

    // How many glyphs FreeType has rendered for this face and its fall-backs: repainting the
    // same text must not raise it.
    std::size_t renderedGlyphCount();

    struct Impl;

private:
    explicit FontFace(std::unique_ptr<Impl> impl);
    std::int32_t layoutLocked(std::u32string_view text, std::vector<PlacedGlyph>* out);
    std::unique_ptr<Impl> impl_;
    std::mutex mutex_; // the widget toolkit is single-threaded; thumbnails may measure text
    std::u32string decoded_;
    std::int32_t ascent_ = 0;
    std::int32_t descent_ = 0;
    std::int32_t underlinePos_ = 1;
    std::int32_t thickness_ = 1;
    std::int32_t strikeoutPos_ = 0;
};

} // namespace scalora
