#include "ui/backend/sdl/sdl_cursor_backend.h"

#include "ui/draw/pixel_ops.h"

#include <SDL.h>
#include <vector>

namespace scalora {

void* SdlCursorBackend::createSystemCursor(SystemCursor shape) {
    SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
    switch (shape) {
    case SystemCursor::Arrow:
        id = SDL_SYSTEM_CURSOR_ARROW;
        break;
    case SystemCursor::Cross:
        id = SDL_SYSTEM_CURSOR_CROSSHAIR;
        break;
    case SystemCursor::Wait:
        id = SDL_SYSTEM_CURSOR_WAIT;
        break;
    case SystemCursor::TextBeam:
        id = SDL_SYSTEM_CURSOR_IBEAM;
        break;
    case SystemCursor::SizeNS:
        id = SDL_SYSTEM_CURSOR_SIZENS;
        break;
    case SystemCursor::SizeWE:
        id = SDL_SYSTEM_CURSOR_SIZEWE;
        break;
    case SystemCursor::SizeNESW:
        id = SDL_SYSTEM_CURSOR_SIZENESW;
        break;
    case SystemCursor::SizeNWSE:
        id = SDL_SYSTEM_CURSOR_SIZENWSE;
        break;
    case SystemCursor::SizeAll:
        id = SDL_SYSTEM_CURSOR_SIZEALL;
        break;
    }
    return SDL_CreateSystemCursor(id);
}

void* SdlCursorBackend::createImageCursor(const PixelImage& image, Point hotspot) {
    if (image.isNull()) {
        return nullptr;
    }
    // SDL takes straight alpha.
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            pixels.push_back(pixel::unpremultiply(
                pixel::loadPremultiplied(image.pixel(x, y), image.alphaKind())));
        }
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), image.width(), image.height(), 32,
                                           image.width() * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hotspot.x, hotspot.y);
    SDL_FreeSurface(surface);
    return cursor;
}

void SdlCursorBackend::destroyCursor(void* cursor) {
    SDL_FreeCursor(static_cast<SDL_Cursor*>(cursor));
}

} // namespace scalora
