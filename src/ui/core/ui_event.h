// The event object that travels through the toolkit: one type number, the three state bytes
// (accepted, posted, input) and the payload fields of every event kind in one plain struct, so
// that posting an event is one allocation and handlers read named fields.
#pragma once

#include "base/geometry.h"

#include <cstdint>
#include <string>

namespace scalora {

class Canvas;
class UIMimeData;
class UINativeWindow;

enum class UIEventType : std::int32_t {
    Timer = 100,
    Paint = 101,
    Resize = 102,
    Show = 103,
    Hide = 104,
    Move = 105,
    MousePress = 106,
    MouseRelease = 107,
    MouseClick = 108,
    MouseDoubleClick = 109,
    MouseMove = 110,
    MouseLeave = 111,
    MouseEnter = 112,
    Close = 113,
    ContextMenu = 114,
    FocusIn = 115,
    FocusOut = 116,
    HotKey = 117,
    DragEnter = 118,
    DragMove = 119,
    DragLeave = 120,
    Drop = 121,
    KeyPress = 122,
    KeyRelease = 123,
    // 124 is unused.
    Wheel = 125,
    EnabledChange = 126,
    WindowStateChange = 127,
    ExternalMessage = 128,
};

inline constexpr std::int32_t kFirstEventType = 100;
inline constexpr std::int32_t kLastEventType = 128;
inline constexpr std::int32_t kEventTypeCount = kLastEventType - kFirstEventType + 1;

// Mouse buttons as bit values; MouseMove carries the held ones or'ed together.
enum UIMouseButton : std::uint32_t {
    kLeftButton = 1,
    kRightButton = 2,
    kMiddleButton = 4,
    kExtraButton1 = 8,
    kExtraButton2 = 16,
};

// Keyboard modifier bits carried by mouse, wheel and key events.
enum UIKeyModifier : std::uint32_t {
    kShiftModifier = 1,
    kControlModifier = 2,
    kAltModifier = 4,
    kMetaModifier = 8,
};

// Wheel orientation values of the wheel payload.
inline constexpr std::int32_t kWheelVertical = 1;
inline constexpr std::int32_t kWheelHorizontal = 2;

// Drop actions, as bits.
enum UIDropAction : std::uint32_t {
    kDropNone = 0,
    kDropCopy = 1,
    kDropMove = 2,
    kDropLink = 4,
};

// True for the kinds that count as user input: they are dropped for disabled elements and
// while input is blocked.
constexpr bool isInputEventType(UIEventType type) {
    switch (type) {
    case UIEventType::MousePress:
    case UIEventType::MouseRelease:
    case UIEventType::MouseClick:
    case UIEventType::MouseDoubleClick:
    case UIEventType::MouseMove:
    case UIEventType::Wheel:
    case UIEventType::KeyPress:
    case UIEventType::KeyRelease:
    case UIEventType::ContextMenu:
    case UIEventType::HotKey:
        return true;
    default:
        return false;
    }
}

struct UIEvent {
    explicit UIEvent(UIEventType t) : type(t), input(isInputEventType(t)) {}

    UIEventType type;
    bool accepted = false;
    bool posted = false;
    bool input = false;

    // Paint: the rectangle to paint in the element's coordinates, the origin offset, and the
    // canvas to paint into.
    Rect rect;
    Point offset;
    Canvas* canvas = nullptr;
    // Resize.
    Size oldSize;
    Size newSize;
    // Move.
    Point oldPosition;
    Point newPosition;
    // Mouse, wheel, context menu: position in the receiver's coordinates and on the screen.
    // `button` is the one button of a press or release, or the held buttons of a move.
    std::uint32_t modifiers = 0;
    std::uint32_t button = 0;
    Point position;
    Point screenPosition;
    UINativeWindow* host = nullptr;
    // Wheel: orientation (kWheelVertical or kWheelHorizontal) and signed delta, 120 a notch.
    std::int32_t orientation = 0;
    std::int32_t delta = 0;
    // Keys: virtual-key code and, for a key press that produced characters, the typed text.
    std::int32_t key = 0;
    bool autoRepeat = false;
    std::string text;
    // Timer id, hot-key id, or the value of an external message.
    std::int64_t value = 0;
    // Drag and drop: the dragged data, the actions the source allows and the one proposed.
    const UIMimeData* mimeData = nullptr;
    std::uint32_t possibleActions = 0;
    std::uint32_t proposedAction = 0;

    void accept() { accepted = true; }
    void ignore() { accepted = false; }

    static UIEvent mouse(UIEventType type, std::uint32_t modifiers, std::uint32_t button,
                         Point position, Point screenPosition = {},
                         UINativeWindow* host = nullptr) {
        UIEvent e(type);
        e.modifiers = modifiers;
        e.button = button;
        e.position = position;
        e.screenPosition = screenPosition;
        e.host = host;
        return e;
    }
    static UIEvent keyEvent(UIEventType type, std::int32_t key, std::uint32_t modifiers) {
        UIEvent e(type);
        e.key = key;
        e.modifiers = modifiers;
        return e;
    }
    static UIEvent valueEvent(UIEventType type, std::int64_t value) {
        UIEvent e(type);
        e.value = value;
        return e;
    }
};

// Virtual-key numbers the keyboard translation produces (the codes every key table of the
// program is written in). Letters and digits use their upper-case ASCII value.
namespace vk {
inline constexpr std::int32_t kBack = 8;
inline constexpr std::int32_t kTab = 9;
inline constexpr std::int32_t kReturn = 13;
inline constexpr std::int32_t kShift = 16;
inline constexpr std::int32_t kControl = 17;
inline constexpr std::int32_t kMenu = 18; // Alt
inline constexpr std::int32_t kPause = 19;
inline constexpr std::int32_t kCapital = 20;
inline constexpr std::int32_t kEscape = 27;
inline constexpr std::int32_t kSpace = 32;
inline constexpr std::int32_t kPrior = 33; // Page Up
inline constexpr std::int32_t kNext = 34;  // Page Down
inline constexpr std::int32_t kEnd = 35;
inline constexpr std::int32_t kHome = 36;
inline constexpr std::int32_t kLeft = 37;
inline constexpr std::int32_t kUp = 38;
inline constexpr std::int32_t kRight = 39;
inline constexpr std::int32_t kDown = 40;
inline constexpr std::int32_t kInsert = 45;
inline constexpr std::int32_t kDelete = 46;
inline constexpr std::int32_t kLeftWin = 91;
inline constexpr std::int32_t kRightWin = 92;
inline constexpr std::int32_t kApps = 93;
inline constexpr std::int32_t kNumpad0 = 96;
inline constexpr std::int32_t kMultiply = 106;
inline constexpr std::int32_t kAdd = 107;
inline constexpr std::int32_t kSubtract = 109;
inline constexpr std::int32_t kDecimal = 110;
inline constexpr std::int32_t kDivide = 111;
inline constexpr std::int32_t kF1 = 112;
inline constexpr std::int32_t kNumLock = 144;
inline constexpr std::int32_t kScroll = 145;
inline constexpr std::int32_t kOemSemicolon = 186;
inline constexpr std::int32_t kOemPlus = 187;
inline constexpr std::int32_t kOemComma = 188;
inline constexpr std::int32_t kOemMinus = 189;
inline constexpr std::int32_t kOemPeriod = 190;
inline constexpr std::int32_t kOemSlash = 191;
inline constexpr std::int32_t kOemTilde = 192;
inline constexpr std::int32_t kOemOpenBracket = 219;
inline constexpr std::int32_t kOemBackslash = 220;
inline constexpr std::int32_t kOemCloseBracket = 221;
inline constexpr std::int32_t kOemQuote = 222;
// Not a key: the input method's composition (pre-edit) text changed. The event's text holds
// the composition (empty when it ended) and its value the composition's caret in characters.
inline constexpr std::int32_t kProcessKey = 229;
} // namespace vk

} // namespace scalora
