#include "ui/backend/sdl/sdl_event_translation.h"

#include "ui/backend/sdl/sdl_keys.h"
#include "ui/backend/sdl/sdl_native_window.h"
#include "ui/backend/sdl/sdl_window_system.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

#include <SDL.h>

namespace scalora {

namespace {

// One wheel notch is 120, as wheel deltas have always been counted.
constexpr std::int32_t kWheelNotch = 120;

std::uint32_t currentModifiers() {
    return modifiersFromSdl(static_cast<std::uint32_t>(SDL_GetModState()));
}

} // namespace

void SdlEventTranslator::translate(const SDL_Event& event) {
    UIToolkit* tk = UIToolkit::instance();
    if (tk == nullptr) {
        return;
    }
    UIInputRouter& input = tk->input();
    if (drop_.collect(event)) {
        return;
    }
    switch (event.type) {
    case SDL_MOUSEMOTION:
        mouseMotion(input, event.motion);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        mouseButton(input, event.button);
        break;
    case SDL_MOUSEWHEEL:
        mouseWheel(input, event.wheel);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        key(input, event.key);
        break;
    case SDL_TEXTINPUT:
        textInput(input, event.text);
        break;
    case SDL_TEXTEDITING:
        if (UIWindow* w = windowOf(event.edit.windowID)) {
            input.textEditing(w, event.edit.text, event.edit.start);
        }
        break;
    case SDL_TEXTEDITING_EXT:
        // A composition too long for the plain event; SDL hands over the text.
        if (UIWindow* w = windowOf(event.editExt.windowID)) {
            input.textEditing(w, event.editExt.text != nullptr ? event.editExt.text : "",
                              event.editExt.start);
        }
        SDL_free(event.editExt.text);
        break;
    case SDL_WINDOWEVENT:
        windowEvent(input, event.window);
        break;
    case SDL_DROPCOMPLETE:
        dropComplete(*tk, event.drop);
        break;
    case SDL_QUIT:
        tk->quit(0);
        break;
    default:
        break;
    }
}

UIWindow* SdlEventTranslator::windowOf(std::uint32_t windowId) const {
    SdlNativeWindow* native = system_.windowById(windowId);
    return native != nullptr ? &native->owner() : nullptr;
}

void SdlEventTranslator::mouseMotion(UIInputRouter& input, const SDL_MouseMotionEvent& motion) {
    if (UIWindow* w = windowOf(motion.windowID)) {
        input.mouseMove(w, {motion.x, motion.y}, buttonsFromSdlState(motion.state),
                        currentModifiers());
    }
}

void SdlEventTranslator::mouseButton(UIInputRouter& input, const SDL_MouseButtonEvent& button) {
    UIWindow* w = windowOf(button.windowID);
    const std::uint32_t bit = buttonFromSdl(button.button);
    if (w == nullptr || bit == 0) {
        return;
    }
    const std::uint32_t mods = currentModifiers();
    const Point p{button.x, button.y};
    // The press or release happens where the pointer is, even if no motion said so.
    input.mouseMove(w, p, input.heldButtons(), mods);
    if (button.type == SDL_MOUSEBUTTONDOWN) {
        input.mousePress(w, p, bit, mods);
    } else {
        input.mouseRelease(w, p, bit, mods);
    }
}

void SdlEventTranslator::mouseWheel(UIInputRouter& input, const SDL_MouseWheelEvent& wheel) {
    UIWindow* w = windowOf(wheel.windowID);
    if (w == nullptr) {
        return;
    }
    const std::int32_t flip = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
    const std::uint32_t mods = currentModifiers();
    const Point p =
        input.pointerWindow() == w ? input.pointerPosition() : Point{wheel.mouseX, wheel.mouseY};
    if (wheel.y != 0) {
        input.wheel(w, p, kWheelVertical, wheel.y * kWheelNotch * flip, mods);
    }
    if (wheel.x != 0) {
        input.wheel(w, p, kWheelHorizontal, wheel.x * kWheelNotch * flip, mods);
    }
}

void SdlEventTranslator::key(UIInputRouter& input, const SDL_KeyboardEvent& key) {
    UIWindow* w = windowOf(key.windowID);
    const std::int32_t code = virtualKeyFromSdl(key.keysym.sym);
    if (w == nullptr || code == 0) {
        return;
    }
    const std::uint32_t mods = modifiersFromSdl(key.keysym.mod);
    if (key.type == SDL_KEYDOWN) {
        input.keyPress(w, code, mods, key.repeat != 0);
    } else {
        input.keyRelease(w, code, mods);
    }
}

void SdlEventTranslator::textInput(UIInputRouter& input, const SDL_TextInputEvent& text) {
    if (UIWindow* w = windowOf(text.windowID)) {
        input.textInput(w, text.text, currentModifiers());
    }
}

void SdlEventTranslator::windowEvent(UIInputRouter& input, const SDL_WindowEvent& window) {
    SdlNativeWindow* native = system_.windowById(window.windowID);
    if (native == nullptr) {
        return;
    }
    UIWindow* w = &native->owner();
    switch (window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_MOVED:
        if (native->isPopup()) {
            native->keepPopupInPlace();
        } else if (native->settlePlacement(window.event == SDL_WINDOWEVENT_SHOWN)) {
            input.windowMoved(w, native->geometry().topLeft());
        }
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        input.windowResized(w, {window.data1, window.data2});
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        input.exposed(w);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
        input.windowStateChange(w);
        input.exposed(w);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        input.closeRequested(w);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        input.windowFocus(w, true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        input.windowFocus(w, false);
        break;
    case SDL_WINDOWEVENT_LEAVE:
        input.pointerLeft(w);
        break;
    default:
        break;
    }
}

void SdlEventTranslator::dropComplete(UIToolkit& toolkit, const SDL_DropEvent& drop) {
    SdlNativeWindow* native =
        system_.windowById(drop.windowID != 0 ? drop.windowID : drop_.windowId());
    UIDropPayload payload = drop_.take();
    // Popups never take drops; without a drop layer nothing takes them.
    if (native == nullptr || native->isPopup() || toolkit.dropListener() == nullptr) {
        return;
    }
    const UIInputRouter& input = toolkit.input();
    const Point at = input.pointerWindow() == &native->owner() ? input.pointerPosition() : Point{};
    toolkit.dropListener()->drop(native->owner(), at, payload);
}

} // namespace scalora
