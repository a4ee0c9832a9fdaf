// Turns SDL events into calls on the toolkit's input router, one step per kind of event:
// pointer motion, buttons, the wheel, keys, typed text, window changes and drops (delivered at
// the pointer when no drag bridge reports the exact point). Events for windows the toolkit
// does not know, and keys and buttons it has no number for, are dropped.
#pragma once

#include "ui/backend/sdl/sdl_drop_collector.h"

#include <cstdint>

union SDL_Event;
struct SDL_MouseMotionEvent;
struct SDL_MouseButtonEvent;
struct SDL_MouseWheelEvent;
struct SDL_KeyboardEvent;
struct SDL_TextInputEvent;
struct SDL_WindowEvent;
struct SDL_DropEvent;

namespace scalora {

class SdlWindowSystem;
class UIInputRouter;
class UIToolkit;
class UIWindow;

class SdlEventTranslator {
public:
    explicit SdlEventTranslator(SdlWindowSystem& system) : system_(system) {}

    void translate(const SDL_Event& event);

private:
    UIWindow* windowOf(std::uint32_t windowId) const;
    void mouseMotion(UIInputRouter& input, const SDL_MouseMotionEvent& motion);
    void mouseButton(UIInputRouter& input, const SDL_MouseButtonEvent& button);
    void mouseWheel(UIInputRouter& input, const SDL_MouseWheelEvent& wheel);
    void key(UIInputRouter& input, const SDL_KeyboardEvent& key);
    void textInput(UIInputRouter& input, const SDL_TextInputEvent& text);
    void windowEvent(UIInputRouter& input, const SDL_WindowEvent& window);
    void dropComplete(UIToolkit& toolkit, const SDL_DropEvent& drop);

    SdlWindowSystem& system_;
    SdlDropCollector drop_;
};

} // namespace scalora
