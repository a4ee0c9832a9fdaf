// The process-wide mouse cursors (ids 1 to 28): what each one looks like (a system shape or
// an image with its hot spot from cursors.xml), and the native cursors made from that by a
// window-system backend on first use. The description is plain data so it can be tested
// without a display; the SDL backend lives in ui/backend/sdl.
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
    std::shared_ptr<const PixelImage> image; // any alpha kind; null for a system cursor
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
    [[nodiscard]] bool load(const ResourceSource& data);
    // The description of a cursor; Inherit and values outside the table describe the arrow.
    const CursorLook& look(CursorId id) const;
    // Gives a cursor of the table an image of any alpha kind with its hot spot, in place of
    // what it had; false (and nothing changes) for an id outside the table or a null image.
    [[nodiscard]] bool setImage(CursorId id, const PixelImage& image, Point hotspot);

    // Native cursors are made by this backend from now on (earlier ones are freed).
    void setBackend(std::unique_ptr<CursorBackend> backend);
    // The native cursor of an id, made on first request; null without a backend or when
    // the backend fails.
    void* cursor(CursorId id);

private:
    static std::size_t indexOf(CursorId id);
    void releaseNative();
    void releaseNative(std::size_t index);

    std::array<CursorLook, kCursorCount + 1> looks_{}; // index 0 unused
    std::array<void*, kCursorCount + 1> native_{};
    std::unique_ptr<CursorBackend> backend_;
};

} // namespace scalora
