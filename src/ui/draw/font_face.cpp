#include "ui/draw/font_face.h"

#include "base/strings.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace scalora {

namespace {

// The process-wide FreeType library; faces are opened on the UI thread mostly, but the
// library itself is not thread-safe, so every use goes through this lock.
// It lives until the process ends, like the faces made from it: fonts are still measured
// while the last windows are destroyed at exit, so no destructor may run before them.
struct FreeTypeLibrary {
    FT_Library library = nullptr;
    std::mutex mutex;
    FreeTypeLibrary() {
        if (FT_Init_FreeType(&library) != 0) {
            library = nullptr;
        }
        FcInit();
        // fontconfig keeps its configuration until told to let go; without this its one-time
        // allocations show up as leaks in every checked program that draws text.
        std::atexit([] { FcFini(); });
    }
};

FreeTypeLibrary& freeType() {
    static FreeTypeLibrary* instance = new FreeTypeLibrary();
    return *instance;
}

struct FcPatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

struct FontFile {
    std::string path;
    int index = 0;
    bool embolden = false; // the match is lighter than asked for: thicken the outlines
    bool oblique = false;  // the match is upright but italic was asked for: slant it
    std::string family;
};

// Asks fontconfig for the best file for a family and style, optionally one that has a
// given character.
bool matchFontFile(const std::string& family, bool bold, bool italic, char32_t mustHave,
                   FontFile& out) {
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) {
        return false;
    }
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcCharSet* charset = nullptr;
    if (mustHave != 0) {
        charset = FcCharSetCreate();
        FcCharSetAddChar(charset, mustHave);
        FcPatternAddCharSet(pattern.get(), FC_CHARSET, charset);
    }
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    if (charset != nullptr) {
        FcCharSetDestroy(charset);
    }
    if (!match) {
        return false;
    }
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        return false;
    }
    if (mustHave != 0) {
        FcCharSet* has = nullptr;
        if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &has) != FcResultMatch ||
            !FcCharSetHasChar(has, mustHave)) {
            return false;
        }
    }
    out.path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &out.index);
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
    // DemiBold (180) and heavier count as bold.
    out.embolden = bold && weight < FC_WEIGHT_DEMIBOLD;
    out.oblique = italic && slant == FC_SLANT_ROMAN;
    FcChar8* name = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &name) == FcResultMatch) {
        out.family = reinterpret_cast<const char*>(name);
    }
    return true;
}

std::int32_t round26(FT_Pos v) {
    return static_cast<std::int32_t>((v + 32) >> 6);
}

} // namespace

// One FreeType face at one size with its caches.
struct SizedFace {
    FT_Face face = nullptr;
    bool embolden = false;
    bool oblique = false;
    bool kerning = false;
    std::unordered_map<char32_t, FT_UInt> indexOf;
    std::unordered_map<FT_UInt, FontFace::Glyph> glyphs;
    std::size_t renders = 0; // glyphs rendered by FreeType so far

    ~SizedFace() {
        if (face != nullptr) {
            std::lock_guard lock(freeType().mutex);
            FT_Done_Face(face);
        }
    }

    bool open(const FontFile& file, std::int32_t pixelHeight) {
        FreeTypeLibrary& ft = freeType();
        std::lock_guard lock(ft.mutex);
        if (ft.library == nullptr ||
            FT_New_Face(ft.library, file.path.c_str(), file.index, &face) != 0) {
            face = nullptr;
            return false;
        }
        embolden = file.embolden;
        oblique = file.oblique;
        kerning = FT_HAS_KERNING(face);
        if (FT_IS_SCALABLE(face)) {
            // A positive pixel height is the cell height (ascent plus descent).
            FT_Size_RequestRec request{};
            request.type = FT_SIZE_REQUEST_TYPE_CELL;
            request.height = static_cast<FT_Long>(pixelHeight) * 64;
            FT_Request_Size(face, &request);
        } else if (face->num_fixed_sizes > 0) {
            int best = 0;
            for (int i = 1; i < face->num_fixed_sizes; ++i) {
                if (std::abs(face->available_sizes[i].height - pixelHeight) <
                    std::abs(face->available_sizes[best].height - pixelHeight)) {
                    best = i;
                }
            }
            FT_Select_Size(face, best);
        }
        return true;
    }

    FT_UInt index(char32_t c) {
        auto it = indexOf.find(c);
        if (it != indexOf.end()) {
            return it->second;
        }
        const FT_UInt i = FT_Get_Char_Index(face, c);
        indexOf.emplace(c, i);
        return i;
    }

    // descent: how far below the baseline the line reaches (the same for every face of a
    // line, fall-backs included).
    const FontFace::Glyph& glyph(FT_UInt index, std::int32_t descent) {
        auto it = glyphs.find(index);
        if (it != glyphs.end()) {
            return it->second;
        }
        ++renders;
        FontFace::Glyph g;
        std::lock_guard lock(freeType().mutex);
        // Light hinting keeps the shapes of the design while snapping to the pixel rows,
        // which is what reads best at UI sizes with grey anti-aliasing.
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) == 0) {
            FT_GlyphSlot slot = face->glyph;
            if (oblique) {
                FT_GlyphSlot_Oblique(slot);
            }
            if (embolden) {
                FT_GlyphSlot_Embolden(slot);
            }
            g.advance = round26(slot->advance.x);
            if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
                const FT_Bitmap& bm = slot->bitmap;
                g.left = slot->bitmap_left;
                g.top = slot->bitmap_top;
                g.width = static_cast<std::int32_t>(bm.width);
                g.height = static_cast<std::int32_t>(bm.rows);
                g.coverage.resize(static_cast<std::size_t>(g.width) * g.height);
                for (std::int32_t y = 0; y < g.height; ++y) {
                    const unsigned char* src =
                        bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
                    std::uint8_t* dst = g.coverage.data() + static_cast<std::size_t>(y) * g.width;
                    for (std::int32_t x = 0; x < g.width; ++x) {
                        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
                            dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                        } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
                            dst[x] = static_cast<std::uint8_t>(
                                bm.num_grays == 256 ? src[x] : src[x] * 255 / (bm.num_grays - 1));
                        } else {
                            dst[x] = 0;
                        }
                    }
                }
            }
        }
        // Hinting can push a low bar (the underscore) a row below the line at small sizes,
        // where the line's clip cuts it off and "IMG_1234.JPG" reads "IMG 1234.JPG". A glyph
        // lying wholly below the baseline is lifted back into the line.
        const std::int32_t overflow = g.height - g.top - descent;
        if (g.height > 0 && g.top <= 0 && overflow > 0 && descent > 0) {
            g.top = std::min(g.top + overflow, 0);
        }
        return glyphs.emplace(index, std::move(g)).first->second;
    }

    // Kerning of a pair in 26.6 pixels.
    std::int32_t kern(FT_UInt left, FT_UInt right) const {
        if (!kerning || left == 0 || right == 0) {
            return 0;
        }
        FT_Vector delta{};
        // Unfitted distances in 26.6: rounding each pair to whole pixels would drop most
        // pairs at UI sizes; the pen keeps the fraction and glyphs snap when placed.
        if (FT_Get_Kerning(face, left, right, FT_KERNING_UNFITTED, &delta) != 0) {
            return 0;
        }
        return static_cast<std::int32_t>(delta.x);
    }
};

struct FontFace::Impl {
    std::string family;
    std::int32_t pixelHeight = 0;
    bool bold = false;
    bool italic = false;
    std::unique_ptr<SizedFace> primary;
    std::map<std::string, std::unique_ptr<SizedFace>> fallbackFaces; // by file and index
    std::unordered_map<char32_t, SizedFace*> fallbackFor;            // null: none has it

    SizedFace* fallback(char32_t c) {
        auto it = fallbackFor.find(c);
        if (it != fallbackFor.end()) {
            return it->second;
        }
        SizedFace* found = nullptr;
        FontFile file;
        if (matchFontFile(family, bold, italic, c, file)) {
            const std::string key = file.path + "#" + std::to_string(file.index);
            auto& slot = fallbackFaces[key];
            if (!slot) {
                auto face = std::make_unique<SizedFace>();
                if (face->open(file, pixelHeight)) {
                    slot = std::move(face);
                }
            }
            if (slot && slot->index(c) != 0) {
                found = slot.get();
            }
        }
        fallbackFor.emplace(c, found);
        return found;
    }
};

FontFace::FontFace(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
    FT_Face face = impl_->primary->face;
    if (FT_IS_SCALABLE(face)) {
        const FT_Fixed yScale = face->size->metrics.y_scale;
        const std::int32_t cell = impl_->pixelHeight;
        ascent_ = std::clamp(round26(FT_MulFix(face->ascender, yScale)), 0, cell);
        descent_ = cell - ascent_;
        thickness_ = std::max(1, round26(FT_MulFix(face->underline_thickness, yScale)));
        underlinePos_ = std::max(1, round26(-FT_MulFix(face->underline_position, yScale)));
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 != nullptr && os2->yStrikeoutPosition > 0) {
            strikeoutPos_ = round26(FT_MulFix(os2->yStrikeoutPosition, yScale));
        } else {
            // About half the height of a lower-case letter in most Latin designs.
            strikeoutPos_ = ascent_ * 3 / 10;
        }
    } else {
        ascent_ = round26(face->size->metrics.ascender);
        descent_ = round26(-face->size->metrics.descender);
        strikeoutPos_ = ascent_ * 3 / 10;
    }
}

FontFace::~FontFace() = default;

std::shared_ptr<FontFace> FontFace::get(const std::string& family, std::int32_t pixelHeight,
                                        bool bold, bool italic) {
    // Shared faces are kept for the whole run (see FreeTypeLibrary for why they never die).
    static std::mutex cacheMutex;
    static auto& cache = *new std::map<std::string, std::shared_ptr<FontFace>>();
    pixelHeight = std::clamp(pixelHeight, 1, 2048); // FreeType's practical limit for sizes
    const std::string key = toLower(family) + "|" + std::to_string(pixelHeight) + "|" +
                            (bold ? "b" : "") + (italic ? "i" : "");
    std::lock_guard lock(cacheMutex);
    auto it = cache.find(key);
    if (it != cache.end()) {
        return it->second;
    }
    auto impl = std::make_unique<Impl>();
    impl->family = family;
    impl->pixelHeight = pixelHeight;
    impl->bold = bold;
    impl->italic = italic;
    FontFile file;
    auto primary = std::make_unique<SizedFace>();
    if (!matchFontFile(family, bold, italic, 0, file) || !primary->open(file, pixelHeight)) {
        return nullptr;
    }
    impl->primary = std::move(primary);
    std::shared_ptr<FontFace> face(new FontFace(std::move(impl)));
    cache.emplace(key, face);
    return face;
}

std::string FontFace::matchFamily(const std::string& family) {
    freeType();
    FontFile file;
    if (!matchFontFile(family, false, false, 0, file)) {
        return {};
    }
    return file.family;
}

std::size_t FontFace::renderedGlyphCount() {
    std::lock_guard lock(mutex_);
    std::size_t count = impl_->primary->renders;
    for (const auto& [key, face] : impl_->fallbackFaces) {
        count += face ? face->renders : 0;
    }
    return count;
}

std::int32_t FontFace::layoutUtf8(std::string_view text, std::vector<PlacedGlyph>* out) {
    std::lock_guard lock(mutex_);
    decoded_.clear();
    for (std::size_t pos = 0; pos < text.size();) {
        decoded_.push_back(decodeUtf8(text, pos));
    }
    return layoutLocked(decoded_, out);
}

std::int32_t FontFace::layout(std::u32string_view text, std::vector<PlacedGlyph>* out) {
    std::lock_guard lock(mutex_);
    return layoutLocked(text, out);
}

std::int32_t FontFace::layoutLocked(std::u32string_view text, std::vector<PlacedGlyph>* out) {
    std::int32_t pen = 0; // 26.6 pixels
    SizedFace* previousFace = nullptr;
    FT_UInt previous = 0;
    for (char32_t c : text) {
        if (c == U'\t') {
            c = U' ';
        } else if (c < 0x20 || c == 0x7F) {
            continue; // control characters take no room on a line
        }
        SizedFace* face = impl_->primary.get();
        FT_UInt index = face->index(c);
        if (index == 0) {
            if (SizedFace* other = impl_->fallback(c)) {
                face = other;
                index = other->index(c);
            }
        }
        if (face == previousFace) {
            pen += face->kern(previous, index);
        }
        const Glyph& g = face->glyph(index, descent_);
        if (out != nullptr) {
            out->push_back({&g, round26(pen)});
        }
        pen += g.advance * 64;
        previousFace = face;
        previous = index;
    }
    return round26(pen);
}

} // namespace scalora
