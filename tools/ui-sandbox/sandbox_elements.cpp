#include "sandbox_elements.h"

#include "exchange/ui_mime_data.h"
#include "ui/draw/canvas.h"

#include <algorithm>
#include <iterator>

namespace scalora::sandbox {

namespace {
constexpr Color kInk = 0xFF202428;
constexpr Color kPanel = 0xFFFFFFFF;
constexpr Color kBorder = 0xFF8A9099;

Color shade(Color c, int delta) {
    auto ch = [delta](std::uint8_t v) {
        return static_cast<std::uint8_t>(std::clamp(static_cast<int>(v) + delta, 0, 255));
    };
    return makeColor(alphaOf(c), ch(redOf(c)), ch(greenOf(c)), ch(blueOf(c)));
}

// The five widget states, in frame order, with the words the strips label them with.
struct NamedState {
    SkinState state;
    const char* name;
};
constexpr NamedState kWidgetStates[] = {{SkinState::Normal, "normal"},
                                        {SkinState::Hovered, "hovered"},
                                        {SkinState::Pressed, "pressed"},
                                        {SkinState::Disabled, "disabled"},
                                        {SkinState::Checked, "checked"}};

void drawFace(Canvas& canvas, const Rect& r, Color base, SkinState state) {
    Color top = shade(base, 40);
    Color bottom = shade(base, -30);
    switch (state) {
    case SkinState::Hovered:
        top = shade(base, 70);
        bottom = shade(base, 0);
        break;
    case SkinState::Pressed:
        top = shade(base, -40);
        bottom = shade(base, 10);
        break;
    case SkinState::Disabled:
        top = 0xFFE4E6E8;
        bottom = 0xFFD0D3D6;
        break;
    case SkinState::Checked:
        top = shade(base, -10);
        bottom = shade(base, -60);
        break;
    case SkinState::Normal:
        break;
    }
    canvas.fillRect(r, Brush({top, bottom}));
    canvas.drawRect(r, state == SkinState::Disabled ? 0xFFB0B4B8 : shade(base, -80));
}

// The boxes of a strip of the five states across a width, 6 pixels apart.
Rect stateBox(std::size_t index, std::int32_t width, std::int32_t height) {
    const std::int32_t w = (width - 4 * 6) / 5;
    return {static_cast<std::int32_t>(index) * (w + 6), 4, w, height - 8};
}
} // namespace

// --- ClickBox ---

ClickBox::ClickBox(UIElement* parent, std::string name, Color color, Reporter report)
    : UIElement(parent), name_(std::move(name)), color_(color), report_(std::move(report)),
      font_(UIFont::defaultFamily(), 11, UIFont::kBold) {
    setStyleClass("SandboxClickBox");
    setFlag(kParentBackground, true);
    setFlag(kTracksHover, true);
    setFlag(kAcceptsDoubleClick, true);
    setFocusPolicy(kStrongFocus);
    setCursorId(CursorId::Hand);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
}

void ClickBox::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    const SkinState state = !isEnabled()        ? SkinState::Disabled
                            : hasFlag(kPressed) ? SkinState::Pressed
                            : hasFlag(kHovered) ? SkinState::Hovered
                                                : SkinState::Normal;
    drawFace(c, rect(), color_, state);
    if (hasFocus()) {
        c.drawRect(rect().shrunk({3, 3, 3, 3}), 0xC0FFFFFF);
    }
    const std::string caption = name_ + (clicks_ > 0 ? "  (" + std::to_string(clicks_) + ")" : "");
    c.drawText(font_, rect().translated(1, 1), caption, 0x80000000, kAlignHCenter | kAlignVCenter);
    c.drawText(font_, rect(), caption, 0xFFFFFFFF, kAlignHCenter | kAlignVCenter);
}

void ClickBox::mouseClickEvent(UIEvent& e) {
    ++clicks_;
    report_("click " + name_ + " " + std::to_string(e.position.x) + " " +
            std::to_string(e.position.y) + " button " + std::to_string(e.button));
    update();
}

void ClickBox::mouseDoubleClickEvent(UIEvent&) {
    report_("double-click " + name_);
}

void ClickBox::keyPressEvent(UIEvent& e) {
    if (e.key == vk::kSpace || e.key == vk::kReturn) {
        report_("key " + name_ + " " + std::to_string(e.key));
        e.accept();
    }
}

// --- TextSamples ---

TextSamples::TextSamples(UIElement* parent) : UIElement(parent) {
    setStyleClass("SandboxText");
    setFlag(kParentBackground, true);
}

void TextSamples::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    c.fillRect(rect(), kPanel);
    c.drawRect(rect(), kBorder);
    const std::string family = UIFont::defaultFamily();
    struct Sample {
        double points;
        std::uint32_t flags;
        const char* text;
    };
    const Sample samples[] = {
        {8, 0, "8 pt: The quick brown fox jumps over the lazy dog"},
        {9, 0, "9 pt: Résumé, naïve café, Ærøskøbing, Ελληνικά"},
        {10, UIFont::kItalic, "10 pt italic: 1280 × 800 pixels, 100 % quality"},
        {12, 0, "12 pt: Halvorn Scalora batch resizer"},
        {14, UIFont::kBold, "14 pt bold: Resize"},
        {18, UIFont::kUnderline, "18 pt underlined"},
        {24, 0, "24 pt Ag"},
    };
    std::int32_t y = 6;
    for (const Sample& s : samples) {
        const UIFont font(family, s.points, s.flags);
        c.drawText(font, Point{8, y}, s.text, kInk);
        y += font.lineHeight() + 2;
    }
}

// --- StateStrip ---

StateStrip::StateStrip(UIElement* parent) : UIElement(parent) {
    setStyleClass("SandboxStates");
    setFlag(kParentBackground, true);
}

void StateStrip::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    const UIFont font(UIFont::defaultFamily(), 9);
    for (std::size_t i = 0; i < std::size(kWidgetStates); ++i) {
        const auto& [state, name] = kWidgetStates[i];
        const Rect r = stateBox(i, width(), height());
        drawFace(c, r, 0xFF3C78C8, state);
        c.drawText(font, r, name, state == SkinState::Disabled ? 0xFF909498 : 0xFFFFFFFF,
                   kAlignHCenter | kAlignVCenter);
    }
}

// --- SkinStrip ---

SkinStrip::SkinStrip(UIElement* parent) : UIElement(parent) {
    // The class name picks the button skins of the style.
    setStyleClass("UIButton");
    setFlag(kParentBackground, true);
}

void SkinStrip::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UIButton_Background") {
        skin_ = std::make_unique<UISkin>(skin);
    }
}

void SkinStrip::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    const UIFont font(UIFont::defaultFamily(), 9);
    if (!skin_) {
        c.drawText(font, rect(), "no style loaded: no skin to draw", kInk,
                   kAlignHCenter | kAlignVCenter);
        return;
    }
    for (std::size_t i = 0; i < std::size(kWidgetStates); ++i) {
        const auto& [state, name] = kWidgetStates[i];
        const Rect r = stateBox(i, width(), height());
        drawSkin(c, *skin_, r, state);
        c.drawText(font, r, std::string("skin ") + name, kInk, kAlignHCenter | kAlignVCenter);
    }
}

// --- DropTarget ---

DropTarget::DropTarget(UIElement* parent, Reporter report)
    : UIElement(parent), report_(std::move(report)) {
    setStyleClass("SandboxDropTarget");
    setFlag(kParentBackground, true);
    setOption(kAcceptsDrops, true);
    setCursorId(CursorId::Target);
}

void DropTarget::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    c.fillRect(rect(), dragging_ ? 0xFFDCEBFF : 0xFFF6F7F9);
    const Point corners[] = {
        {0, 0}, {width() - 1, 0}, {width() - 1, height() - 1}, {0, height() - 1}};
    c.drawPolygon(corners, dragging_ ? 0xFF2A6CD6 : kBorder);
    c.drawText(UIFont(UIFont::defaultFamily(), 9), rect().shrunk({6, 6, 6, 6}), lastDrop_, kInk,
               kAlignHCenter | kAlignVCenter | kTextWordWrap);
}

void DropTarget::dragEnterEvent(UIEvent& e) {
    dragging_ = true;
    moves_ = 0;
    e.accept();
    report_("drag-enter target");
    update();
}

void DropTarget::dragMoveEvent(UIEvent& e) {
    e.accept();
    // One line for the first move is enough to show the order of events.
    if (moves_++ == 0) {
        report_("drag-move target");
    }
}

void DropTarget::dragLeaveEvent(UIEvent&) {
    dragging_ = false;
    report_("drag-leave target");
    update();
}

void DropTarget::dropEvent(UIEvent& e) {
    dragging_ = false;
    e.accept();
    std::string line = "drop target";
    lastDrop_.clear();
    if (e.mimeData != nullptr) {
        for (const std::string& path : e.mimeData->filePaths()) {
            line += " file:" + path;
            lastDrop_ += path + "\n";
        }
        if (e.mimeData->hasText()) {
            line += " text:" + e.mimeData->text();
            lastDrop_ += e.mimeData->text();
        }
    }
    report_(line);
    update();
}

// --- ContextPopup ---

ContextPopup::ContextPopup(UIElement* owner, Reporter report)
    : UIWindow(owner, kWindowPopup), report_(std::move(report)) {
    setStyleClass("UIMenu");
    setSize(150, 64);
    // It is shown again and again, so closing must not delete it.
    setDeleteOnClose(false);
}

void ContextPopup::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    c.fillRect(rect(), 0xFFFFFFFF);
    c.drawRect(rect(), 0xFF5F6B7A);
    const UIFont font(UIFont::defaultFamily(), 9);
    c.fillRect({2, 2, width() - 4, 28}, 0xFFDCEBFF);
    c.drawText(font, Rect{10, 2, width() - 12, 28}, "Context menu item", kInk, kAlignVCenter);
    c.drawText(font, Rect{10, 32, width() - 12, 28}, "(a popup window)", 0xFF6A737D, kAlignVCenter);
}

void ContextPopup::showEvent(UIEvent&) {
    const Rect native = nativeWindow() != nullptr ? nativeWindow()->geometry() : Rect{};
    UIWindow* main = parent() != nullptr ? parent()->window() : nullptr;
    const Rect mainNative = main != nullptr && main->nativeWindow() != nullptr
                                ? main->nativeWindow()->geometry()
                                : Rect{};
    report_("menu shown " + std::to_string(x()) + " " + std::to_string(y()) + " native " +
            std::to_string(native.x) + " " + std::to_string(native.y) + " main native " +
            std::to_string(mainNative.x) + " " + std::to_string(mainNative.y));
}

void ContextPopup::mouseClickEvent(UIEvent&) {
    report_("menu click");
    setVisible(false);
}

// --- TickerBox ---

TickerBox::TickerBox(UIElement* parent) : UIElement(parent) {
    setStyleClass("SandboxTicker");
    setFlag(kParentBackground, true);
    // A quarter second shows the timer working without burning the processor.
    startTimer(250, 1);
}

void TickerBox::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    c.fillRect(rect(), 0xFF263238);
    const int seconds = ticks_ / 4;
    const std::string text = "timer: " + std::to_string(seconds / 60) + ":" +
                             (seconds % 60 < 10 ? "0" : "") + std::to_string(seconds % 60) +
                             "  ticks " + std::to_string(ticks_);
    c.drawText(UIFont(UIFont::defaultFamily(), 10), rect(), text, 0xFF80CBC4,
               kAlignHCenter | kAlignVCenter);
}

void TickerBox::timerEvent(UIEvent& e) {
    if (e.value == 1) {
        ++ticks_;
        update();
    }
}

} // namespace scalora::sandbox
