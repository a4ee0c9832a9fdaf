#include "ui/widgets/ui_line_edit.h"

#include "ui/core/ui_toolkit.h"
#include "ui/draw/canvas.h"
#include "ui/style/skin.h"
#include "ui/style/style_values.h"
#include "ui/widgets/text_edit_context_menu.h"

#include <algorithm>

namespace scalora {

namespace {

// Room between the frame and the text: the frame's two-pixel border and a pixel and a half
// of air, so a caret at either end is never drawn on the border.
constexpr Margins kTextMargins{4, 3, 4, 3};
// Without the frame only the air for a caret at either end stays.
constexpr Margins kFramelessMargins{2, 0, 2, 0};
// A field shows about this many average digits when nothing asks for another width.
constexpr std::int32_t kHintCharacters = 17;

} // namespace

UILineEdit::UILineEdit(UIElement* parent)
    : TextEditingElement<UIElement>(parent),
      editor_(*this, TextEditModel::Lines::Single, "UserInterface/UILineEdit") {
    editor_.setMaxLength(kDefaultMaxLength);
    setStyleClass("UILineEdit");
    setFlag(kParentBackground, true);
    setFlag(kTracksHover, true);
    setFlag(kAcceptsDoubleClick, true);
    setFocusPolicy(kStrongFocus);
    setOption(kAcceptsDrops, true);
    setCursorId(CursorId::TextBeam);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
    setContextMenu(new TextEditContextMenu(this, editor_));
    relayoutLine();
}

UILineEdit::~UILineEdit() = default;

void UILineEdit::setStyleProperty(const std::string& name, const std::string& value) {
    if (style_.setProperty(name, value)) {
        relayoutLine();
    } else if (name == "minimumWidth") {
        minimumWidth_ = parseStyleInteger(value);
    } else if (name == "minimumHeight") {
        minimumHeight_ = parseStyleInteger(value);
    }
}

void UILineEdit::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UILineEdit_Background") {
        skin_ = std::make_unique<UISkin>(skin);
    }
}

void UILineEdit::setFrame(bool on) {
    if (frame_ != on) {
        frame_ = on;
        relayoutLine();
        update();
    }
}

void UILineEdit::setElided(bool on) {
    if (elided_ != on) {
        elided_ = on;
        update();
    }
}

const Margins& UILineEdit::textMargins() const {
    return frame_ ? kTextMargins : kFramelessMargins;
}

Size UILineEdit::sizeHint() const {
    const std::int32_t textHeight =
        std::max(style_.font.lineHeight(), style_.blankFont.lineHeight());
    const Margins& m = textMargins();
    const std::int32_t w = style_.font.textWidth("0") * kHintCharacters + m.left + m.right;
    const std::int32_t h = textHeight + m.top + m.bottom;
    return {std::max(w, minimumWidth_), std::max(h, minimumHeight_)};
}

std::int32_t UILineEdit::widthAroundText() const {
    return textMargins().left + textMargins().right + caretWidth();
}

Size UILineEdit::minimumSizeHint() const {
    return {std::max(minimumWidth_, widthAroundText()), sizeHint().height};
}

bool UILineEdit::isTextShortened() const {
    return elided_ && style_.font.textWidth(text()) > contentRect().width;
}

Rect UILineEdit::contentRect() const {
    return rect().shrunk(textMargins());
}

std::int32_t UILineEdit::caretWidth() const {
    const UIToolkit* tk = UIToolkit::instance();
    const std::int32_t metric = tk != nullptr ? tk->metric(StyleMetric::TextCursorWidth) : 0;
    return std::max(metric, 1);
}

Point UILineEdit::lineOrigin() const {
    const Rect content = contentRect();
    const std::int32_t lineHeight = style_.font.lineHeight();
    return {content.x - scrollX_, content.y + (content.height - lineHeight) / 2};
}

std::size_t UILineEdit::shownCaret() const {
    const TextEditModel& m = editor_.model();
    if (!editor_.preedit().empty()) {
        return m.selection().start + editor_.preeditCaret();
    }
    return m.caret();
}

Rect UILineEdit::caretRect() const {
    const Point at = lineOrigin();
    return {at.x + line_.xAt(shownCaret()), at.y, caretWidth(), style_.font.lineHeight()};
}

void UILineEdit::relayoutLine() {
    const TextEditModel& m = editor_.model();
    if (editor_.preedit().empty()) {
        line_.layout(style_.font, m.text());
    } else {
        // The composition shows where the committed text will go: over the selection.
        const TextRange sel = m.selection();
        std::string shown = m.text().substr(0, sel.start);
        shown += editor_.preedit();
        shown += std::string_view(m.text()).substr(sel.end);
        line_.layout(style_.font, shown);
    }
    keepCaretVisible();
}

void UILineEdit::keepCaretVisible() {
    const std::int32_t room = std::max(contentRect().width, 0);
    const std::int32_t caret = line_.xAt(shownCaret());
    const std::int32_t extent = line_.width() + caretWidth();
    if (caret < scrollX_) {
        scrollX_ = caret;
    } else if (caret + caretWidth() > scrollX_ + room) {
        scrollX_ = caret + caretWidth() - room;
    }
    // No empty room after the text while part of it is scrolled out on the left.
    if (extent - scrollX_ < room) {
        scrollX_ = extent - room;
    }
    scrollX_ = std::max(scrollX_, 0);
}

std::size_t UILineEdit::positionAt(Point point) const {
    if (!editor_.preedit().empty()) {
        return editor_.model().caret();
    }
    return line_.positionAt(point.x - lineOrigin().x);
}

void UILineEdit::editorChanged(bool) {
    relayoutLine();
    update();
    placeInputMethod(*this, caretRect());
}

void UILineEdit::caretBlinked() {
    update(caretRect());
}

void UILineEdit::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    const bool focused = hasFocus();
    const TextEditStyle::State state = !isEnabled()           ? TextEditStyle::State::Disabled
                                       : editor_.isReadOnly() ? TextEditStyle::State::ReadOnly
                                                              : TextEditStyle::State::Normal;
    const TextColors& colors = style_.textColors(state);
    if (frame_) {
        drawTextFrame(c, skin_.get(), *this, focused);
        c.fillRect(rect().shrunk({1, 1, 1, 1}), colors.background);
    } else {
        c.fillRect(rect(), colors.background);
    }

    const Rect content = contentRect();
    if (elided_ && !focused && editor_.preedit().empty() && !editor_.showsBlankText() &&
        !editor_.model().hasSelection()) {
        c.drawText(style_.font, content, text(), colors.foreground,
                   kAlignLeft | kAlignVCenter | kTextElideRight);
        return;
    }
    const Canvas::State saved = c.saveState();
    // The caret may stand just right of the last glyph, in the margin.
    c.clipTo(content.shrunk({0, 0, -caretWidth(), 0}));
    const Point at = lineOrigin();
    const std::int32_t lineHeight = style_.font.lineHeight();
    if (editor_.showsBlankText()) {
        const std::int32_t blankHeight = style_.blankFont.lineHeight();
        c.drawText(style_.blankFont,
                   Point{content.x, content.y + (content.height - blankHeight) / 2},
                   editor_.blankText(), style_.blankForeground);
    } else {
        TextLine::Paint p;
        p.at = at;
        p.height = lineHeight;
        p.text = &colors;
        p.selection = &style_.selectionColors(focused);
        if (editor_.preedit().empty()) {
            p.selected = editor_.model().selection();
        } else {
            const std::size_t start = editor_.model().selection().start;
            p.underlined = {start, start + editor_.preedit().size()};
        }
        line_.paint(c, style_.font, p);
    }
    if (editor_.caretShown()) {
        c.fillRect(caretRect(), colors.foreground);
    }
    c.restoreState(saved);
}

void UILineEdit::resizeEvent(UIEvent&) {
    keepCaretVisible();
}

void UILineEdit::enterEvent(UIEvent&) {
    update();
}

void UILineEdit::leaveEvent(UIEvent&) {
    update();
}

} // namespace scalora
