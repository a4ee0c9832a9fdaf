// The process-wide mouse cursors by id (1 to 28): what each one looks like (a system shape or
// an image with its hot spot from cursors.xml), and the native cursors made from that by a
// window-system backend on first use. The description is plain data so it can be tested
// without a display; the SDL backend lives in sdl_cursor_backend.h.
#pragma once

#include "base/geometry.h"
#include "imaging/pixel_image.h"
#include "ui/style/style_ids.h"

#include <array>
#include <memory>

namespace scalora {

class ResourceSource;

struct CursorLook {
    SystemCursor system = SystemCursor::Arrow;
    std::shared_ptr<const PixelImage> image; // straight alpha; null for a system cursor
    Point hotspot;
};

// Makes and frees native cursors; an opaque handle per cursor.
class CursorBackend {
public:
    virtual ~CursorBackend() = default;
    virtual void* createSystemCursor(SystemCursor shape) = 0;
    // The image may have any alpha kind.
    virtual void* createImageCursor(const PixelImage& image, Point hotspot) = 0;
    virtual void destroyCursor(void* cursor) = 0;
};

class CursorSet {
public:
    CursorSet();
    ~CursorSet();
    CursorSet(const CursorSet&) = delete;
    CursorSet& operator=(const CursorSet&) = delete;

    // Reads "cursors/cursors.xml" and the images beside it; every entry read replaces its
    // id's system cursor. Returns false when there is no readable cursors.xml (the system
    // cursors stay).
    bool load(const ResourceSource& data);
    // The description of an id; ids outside 1..28 describe the arrow.
    const CursorLook& look(std::int32_t id) const;

    // Native cursors are made by this backend from now on (earlier ones are freed).
    void setBackend(std::unique_ptr<CursorBackend> backend);
    // The native cursor of an id, made on first request; null without a backend or when
    // the backend fails.
    void* cursor(std::int32_t id);

private:
    void releaseNative();

    std::array<CursorLook, kCursorCount + 1> looks_{}; // index 0 unused
    std::array<void*, kCursorCount + 1> native_{};
    std::unique_ptr<CursorBackend> backend_;
};

} // namespace scalora
