// The toolkit's drawing surface: a 32-bit ARGB picture (one per native window and one per
// painting element) with an origin offset and a clip region, and the operations widgets
// paint with: fills with solid and gradient brushes, lines and polygons, images drawn
// whole, in part, stretched or tiled, and text.
//
// Pixels are held PREMULTIPLIED (image().alphaKind() is AlphaKind::Premultiplied), so
// blending never leaks the colour of transparent pixels. Colours passed in are always
// straight 0xAARRGGBB; pixelColor() reads one back as straight ARGB. An opaque canvas has
// the same bytes either way, which is what a window surface receives.
//
// Coordinates given to drawing calls are relative to the origin; clip rectangles are given
// in the same coordinates and stored in pixel coordinates, so moving the origin afterwards
// does not move the clip.
#pragma once

#include "base/geometry.h"
#include "imaging/pixel_image.h"
#include "ui/draw/brush.h"
#include "ui/draw/region.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class UIFont;

// How an image replaces what is under it.
enum class CompositeMode {
    SourceOver, // blend by the image's alpha
    SourceCopy, // replace the pixels, alpha included
};

enum class FillRule { EvenOdd, NonZero };

// Alignment and layout of text drawn into a rectangle; combine with |.
enum TextFlag : std::uint32_t {
    kAlignLeft = 0x0,
    kAlignHCenter = 0x1,
    kAlignRight = 0x2,
    kAlignTop = 0x0,
    kAlignVCenter = 0x4,
    kAlignBottom = 0x8,
    kTextElideRight = 0x10, // shorten a line that does not fit, ending it with an ellipsis
    kTextWordWrap = 0x20,   // break lines at spaces (and explicit line feeds) to fit the width
};

// The lines drawText with kTextWordWrap draws: breaks after spaces where possible and inside
// a word only when the word alone is too wide; line feeds always break. For measuring text
// before it is drawn.
std::vector<std::string> wrapTextLines(const UIFont& font, std::string_view text,
                                       std::int32_t width);

class Canvas {
public:
    // Everything a paint pass changes and wants back afterwards.
    struct State {
        Point origin;
        Region clip;
    };

    Canvas() = default;
    Canvas(std::int32_t width, std::int32_t height) { resize(width, height); }
    Canvas(Canvas&&) noexcept = default;
    Canvas& operator=(Canvas&&) noexcept = default;

    // A width or height of 0 or less, or the current size, leaves the canvas as it is.
    // Otherwise the pixels are replaced by a transparent picture of the new size, the
    // origin goes back to (0, 0) and the clip to the whole canvas. Returns whether the
    // size changed (false too when memory for the size would exceed kMaxPixelCount).
    bool resize(std::int32_t width, std::int32_t height);

    bool isNull() const { return image_.isNull(); }
    std::int32_t width() const { return image_.width(); }
    std::int32_t height() const { return image_.height(); }
    Size size() const { return image_.size(); }
    Rect bounds() const { return {0, 0, width(), height()}; }
    // The premultiplied pixels, for presenting and for saving.
    const PixelImage& image() const { return image_; }
    PixelImage& image() { return image_; }
    // Straight 0xAARRGGBB at a pixel position (not origin-relative); 0 outside.
    Color pixelColor(std::int32_t x, std::int32_t y) const;

    // A colour whose alpha is below 255 is written into every pixel, ignoring clip and
    // origin, so the canvas then holds that alpha. An opaque colour fills the clip region.
    void clear(Color color);

    // --- origin and clip ---
    Point origin() const { return origin_; }
    void setOrigin(Point origin) { origin_ = origin; }
    void translate(std::int32_t dx, std::int32_t dy) { origin_ = {origin_.x + dx, origin_.y + dy}; }
    // Intersects the clip with a rectangle or with the union of a list of rectangles.
    void clipTo(const Rect& rect);
    void clipTo(std::span<const Rect> rects);
    void clipTo(const Region& region);
    // The whole canvas again.
    void resetClip();
    // Bounding box of the clip, in origin-relative coordinates.
    Rect clipBox() const;
    // The clip in pixel coordinates.
    const Region& clipRegion() const { return clip_; }
    State saveState() const { return {origin_, clip_}; }
    void restoreState(const State& state);

    // --- fills and lines ---
    void fillRect(const Rect& rect, Color color);
    void fillRect(const Rect& rect, const Brush& brush);
    // One-pixel outline just inside the rectangle.
    void drawRect(const Rect& rect, Color pen);
    // A one-pixel line from a to b, the end point included.
    void drawLine(Point a, Point b, Color pen);
    // Fills the polygon (pixel centres inside it) and, if the pen is not transparent (alpha
    // above 0), outlines it. A gradient spans the polygon's bounding box.
    void fillPolygon(std::span<const Point> points, const Brush& brush,
                     FillRule rule = FillRule::EvenOdd);
    void drawPolygon(std::span<const Point> points, Color pen);

    // --- images (any alpha kind) ---
    void drawImage(const PixelImage& image, Point at,
                   CompositeMode mode = CompositeMode::SourceOver);
    // Draws the source rectangle of the image into the target rectangle, scaling with a
    // filter when the sizes differ (bilinear when enlarging, area-weighted when shrinking;
    // edges are clamped to the source rectangle so nothing bleeds in from outside it).
    // opacity scales the image's alpha (255 = as it is).
    void drawImage(const PixelImage& image, const Rect& source, const Rect& target,
                   CompositeMode mode = CompositeMode::SourceOver, std::uint8_t opacity = 255);
    // Repeats the source rectangle across the target, starting at the target's top-left.
    void fillTiled(const PixelImage& image, const Rect& source, const Rect& target,
                   CompositeMode mode = CompositeMode::SourceOver);
    // Plain copy (no blending) of a rectangle of another canvas, in its pixel coordinates.
    void copyFrom(const Canvas& other, const Rect& source, Point at);

    // --- text (see UIFont for measuring) ---
    // Draws one line with its line box's top-left at the point (the baseline sits at the
    // font's ascent below it). Line feeds are not interpreted. Returns the advance width.
    std::int32_t drawText(const UIFont& font, Point at, std::string_view text, Color color);
    // Draws text inside a rectangle with the alignment and layout flags (TextFlag), clipped
    // to the rectangle.
    void drawText(const UIFont& font, const Rect& rect, std::string_view text, Color color,
                  std::uint32_t flags = kAlignLeft | kAlignTop);

private:
    // The rectangle in pixel coordinates for origin-relative coordinates.
    Rect toDevice(const Rect& r) const { return r.translated(origin_.x, origin_.y); }
    void fillSpan(std::int32_t y, std::int32_t x0, std::int32_t x1, std::uint32_t premultiplied);

    PixelImage image_;
    Point origin_;
    Region clip_;
};

} // namespace scalora
