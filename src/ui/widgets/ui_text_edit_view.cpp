#include "ui/widgets/ui_text_edit_view.h"

#include "ui/core/ui_toolkit.h"
#include "ui/draw/canvas.h"
#include "ui/widgets/text_edit_context_menu.h"
#include "ui/widgets/ui_text_edit.h"

#include <algorithm>

namespace scalora {

namespace {

// Air between the text and the frame, as in the line edit.
constexpr Margins kTextPadding{3, 2, 3, 2};
// Lines one wheel notch scrolls, the desktop's usual three.
constexpr std::int32_t kWheelLines = 3;
constexpr std::int32_t kWheelNotch = 120;

TextRange intersect(TextRange range, std::size_t start, std::size_t end) {
    const std::size_t s = std::clamp(range.start, start, end);
    const std::size_t e = std::clamp(range.end, start, end);
    return {s - start, e - start};
}

} // namespace

UITextEditView::UITextEditView(UITextEdit* edit)
    : TextEditingElement<UIElement>(edit), edit_(edit),
      editor_(*this, TextEditModel::Lines::Multiple, "UserInterface/UITextEdit") {
    setStyleClass("UITextEditView");
    setFlag(kParentBackground, true);
    setFlag(kAcceptsDoubleClick, true);
    setFocusPolicy(kStrongFocus);
    setOption(kAcceptsDrops, true);
    setCursorId(CursorId::TextBeam);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Expanding);
    setContextMenu(new TextEditContextMenu(this, editor_));
}

UITextEditView::~UITextEditView() = default;

void UITextEditView::setWrapsLines(bool wrap) {
    if (wrap_ != wrap) {
        wrap_ = wrap;
        scroll_ = {};
        relayout();
        update();
    }
}

Rect UITextEditView::textArea() const {
    return rect().shrunk(kTextPadding);
}

std::int32_t UITextEditView::caretWidth() const {
    const UIToolkit* tk = UIToolkit::instance();
    const std::int32_t metric = tk != nullptr ? tk->metric(StyleMetric::TextCursorWidth) : 0;
    return std::max(metric, 1);
}

std::size_t UITextEditView::shownCaret() const {
    const TextEditModel& m = editor_.model();
    return editor_.preedit().empty() ? m.caret() : m.selection().start + editor_.preeditCaret();
}

void UITextEditView::relayout() {
    const TextEditModel& m = editor_.model();
    const std::int32_t wrapWidth = wrap_ ? std::max(textArea().width - caretWidth(), 1) : 0;
    if (editor_.preedit().empty()) {
        layout_.layout(edit_->textFont(), m.text(), wrapWidth);
    } else {
        const TextRange sel = m.selection();
        std::string shown = m.text().substr(0, sel.start);
        shown += editor_.preedit();
        shown += std::string_view(m.text()).substr(sel.end);
        layout_.layout(edit_->textFont(), shown, wrapWidth);
    }
    clampScroll();
}

Rect UITextEditView::caretRect() const {
    const Rect area = textArea();
    const Point p = layout_.pointOf(shownCaret());
    return {area.x - scroll_.x + p.x, area.y - scroll_.y + p.y, caretWidth(), layout_.lineHeight()};
}

void UITextEditView::clampScroll() {
    const Rect area = textArea();
    const Size content = layout_.size();
    const std::int32_t maxX = wrap_ ? 0 : std::max(content.width + caretWidth() - area.width, 0);
    const std::int32_t maxY = std::max(content.height - area.height, 0);
    scroll_ = {std::clamp(scroll_.x, 0, maxX), std::clamp(scroll_.y, 0, maxY)};
}

void UITextEditView::keepCaretVisible() {
    const Rect area = textArea();
    const Point p = layout_.pointOf(shownCaret());
    const std::int32_t lineHeight = layout_.lineHeight();
    if (p.y < scroll_.y) {
        scroll_.y = p.y;
    } else if (p.y + lineHeight > scroll_.y + area.height) {
        scroll_.y = p.y + lineHeight - area.height;
    }
    if (p.x < scroll_.x) {
        scroll_.x = p.x;
    } else if (p.x + caretWidth() > scroll_.x + area.width) {
        scroll_.x = p.x + caretWidth() - area.width;
    }
    clampScroll();
}

void UITextEditView::scrollTo(Point position) {
    scroll_ = position;
    clampScroll();
    update();
}

std::size_t UITextEditView::positionAt(Point point) const {
    if (!editor_.preedit().empty()) {
        return editor_.model().caret();
    }
    const Rect area = textArea();
    return layout_.positionAt({point.x - area.x + scroll_.x, point.y - area.y + scroll_.y});
}

std::size_t UITextEditView::lineStart(std::size_t pos) const {
    return layout_.lineCount() == 0 ? 0 : layout_.line(layout_.lineOf(pos)).start;
}

std::size_t UITextEditView::lineEnd(std::size_t pos) const {
    if (layout_.lineCount() == 0) {
        return 0;
    }
    const TextEditLayout::Line& line = layout_.line(layout_.lineOf(pos));
    // End of a wrapped line: before its last character, or the caret would show on the next.
    return line.wrapped && line.end > line.start
               ? line.start + previousCaretStop(line.text.text(), line.end - line.start)
               : line.end;
}

std::size_t UITextEditView::linesAway(std::size_t pos, int lines) const {
    if (goalX_ < 0) {
        goalX_ = layout_.pointOf(pos).x;
    }
    movingByLines_ = true;
    return layout_.linesAway(pos, lines, goalX_);
}

int UITextEditView::pageLines() const {
    const std::int32_t lineHeight = std::max(layout_.lineHeight(), 1);
    return std::max(textArea().height / lineHeight - 1, 1);
}

void UITextEditView::editorChanged(bool) {
    if (!movingByLines_) {
        goalX_ = -1;
    }
    movingByLines_ = false;
    relayout();
    keepCaretVisible();
    update();
    placeInputMethod(*this, caretRect());
}

void UITextEditView::caretBlinked() {
    update(caretRect());
}

bool UITextEditView::zoom(TextEditCommand command) {
    switch (command) {
    case TextEditCommand::ZoomIn:
        return edit_->zoomIn();
    case TextEditCommand::ZoomOut:
        return edit_->zoomOut();
    case TextEditCommand::ZoomReset:
        return edit_->resetZoom();
    default:
        return false;
    }
}

void UITextEditView::fillZoomState(TextEditMenuState& state) const {
    state.canZoomIn = edit_->zoom() < edit_->zoomMaximum();
    state.canZoomOut = edit_->zoom() > edit_->zoomMinimum();
    state.zoomed = edit_->zoom() != edit_->normalZoom();
}

void UITextEditView::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    const TextEditStyle& style = edit_->textStyle();
    const bool focused = hasFocus();
    const TextEditStyle::State state = !isEnabled()           ? TextEditStyle::State::Disabled
                                       : editor_.isReadOnly() ? TextEditStyle::State::ReadOnly
                                                              : TextEditStyle::State::Normal;
    const TextColors& colors = style.textColors(state);
    c.fillRect(rect(), colors.background);

    const Rect area = textArea();
    const Canvas::State saved = c.saveState();
    c.clipTo(area.shrunk({0, 0, -caretWidth(), 0}));
    if (editor_.showsBlankText()) {
        c.drawText(style.blankFont, area, editor_.blankText(), style.blankForeground,
                   kAlignLeft | kAlignTop | kTextWordWrap);
    } else {
        const UIFont& font = edit_->textFont();
        const std::int32_t lineHeight = std::max(layout_.lineHeight(), 1);
        const std::size_t first = static_cast<std::size_t>(scroll_.y / lineHeight);
        const TextRange selected =
            editor_.preedit().empty() ? editor_.model().selection() : TextRange{};
        const std::size_t preeditStart = editor_.model().selection().start;
        const TextRange composing{preeditStart, preeditStart + editor_.preedit().size()};
        for (std::size_t i = first; i < layout_.lineCount(); ++i) {
            const TextEditLayout::Line& line = layout_.line(i);
            const std::int32_t y = area.y - scroll_.y + static_cast<std::int32_t>(i) * lineHeight;
            if (y >= area.bottom()) {
                break;
            }
            TextLine::Paint p;
            p.at = {area.x - scroll_.x, y};
            p.height = lineHeight;
            p.text = &colors;
            p.selection = &style.selectionColors(focused);
            p.selected = intersect(selected, line.start, line.end);
            if (!editor_.preedit().empty()) {
                p.underlined = intersect(composing, line.start, line.end);
            }
            line.text.paint(c, font, p);
        }
    }
    if (editor_.caretShown()) {
        c.fillRect(caretRect(), colors.foreground);
    }
    c.restoreState(saved);
}

void UITextEditView::resizeEvent(UIEvent&) {
    relayout();
    keepCaretVisible();
}

void UITextEditView::wheelEvent(UIEvent& e) {
    const std::int32_t notches = e.delta / kWheelNotch;
    if (notches == 0) {
        return;
    }
    if ((e.modifiers & kControlModifier) != 0) {
        editor_.run(notches > 0 ? TextEditCommand::ZoomIn : TextEditCommand::ZoomOut);
    } else {
        const std::int32_t step = -notches * kWheelLines * layout_.lineHeight();
        scrollTo(e.orientation == kWheelHorizontal ? Point{scroll_.x + step, scroll_.y}
                                                   : Point{scroll_.x, scroll_.y + step});
    }
    e.accept();
}

void UITextEditView::focusInEvent(UIEvent& e) {
    TextEditingElement::focusInEvent(e);
    edit_->update(); // the frame shows the focus
}

void UITextEditView::focusOutEvent(UIEvent& e) {
    TextEditingElement::focusOutEvent(e);
    edit_->update();
}

} // namespace scalora
