#include "ui/widgets/message_box_layout.h"

#include "ui/draw/canvas.h"

#include <algorithm>

namespace scalora {

namespace {

Size wrappedSize(const UIFont& font, const std::string& text, std::int32_t width) {
    if (text.empty()) {
        return {};
    }
    std::int32_t w = 0;
    const std::vector<std::string> lines = wrapTextLines(font, text, width);
    for (const std::string& line : lines) {
        w = std::max(w, font.textWidth(line));
    }
    return {w, static_cast<std::int32_t>(lines.size()) * font.lineHeight()};
}

} // namespace

MessageBoxLayout layoutMessageBox(const MessageBoxLayoutInput& in) {
    MessageBoxLayout out;
    const Margins& m = in.margins;
    const Size maxBox{std::max(in.workArea.width - 2 * in.desktopPadding, 1),
                      std::max(in.workArea.height - 2 * in.desktopPadding, 1)};
    const std::int32_t iconRoom = in.iconSize > 0 ? in.iconSize + 2 * in.spacing : 0;
    std::int32_t buttonsWidth = 0;
    std::int32_t buttonsHeight = 0;
    for (const Size& b : in.buttonSizes) {
        buttonsWidth += b.width + (buttonsWidth > 0 ? in.spacing : 0);
        buttonsHeight = std::max(buttonsHeight, b.height);
    }
    const std::int32_t widest = std::max(maxBox.width - m.left - m.right - iconRoom, 1);
    std::int32_t wrap = std::min(kMessageBoxTextWidth, widest);
    Size text;
    Size detail;
    std::int32_t height = 0;
    for (;;) {
        text = wrappedSize(in.font, in.text, wrap);
        detail = wrappedSize(in.font, in.detail, wrap);
        const std::int32_t words =
            text.height + (detail.height > 0 ? in.spacing + detail.height : 0);
        const std::int32_t checkRoom =
            in.checkBoxSize.isEmpty() ? 0 : in.spacing + in.checkBoxSize.height;
        height = m.top + std::max(in.iconSize, words) + checkRoom +
                 (buttonsHeight > 0 ? 2 * in.spacing + buttonsHeight : 0) + m.bottom;
        if (height <= maxBox.height || wrap >= widest) {
            break;
        }
        wrap = std::min(widest, wrap + wrap / 2);
    }
    out.textWrapWidth = wrap;
    const std::int32_t words = text.height + (detail.height > 0 ? in.spacing + detail.height : 0);
    const std::int32_t contentWidth =
        iconRoom + std::max({text.width, detail.width, in.checkBoxSize.width});
    out.size = {std::clamp(m.left + std::max(contentWidth, buttonsWidth) + m.right,
                           std::min(kMessageBoxMinimumWidth, maxBox.width), maxBox.width),
                std::min(height, maxBox.height)};

    const std::int32_t left = m.left + iconRoom;
    // The button row and the check box keep their places at the bottom; the text gives way.
    const std::int32_t buttonsTop = out.size.height - m.bottom - buttonsHeight;
    const std::int32_t checkTop =
        (buttonsHeight > 0 ? buttonsTop - 2 * in.spacing : out.size.height - m.bottom) -
        in.checkBoxSize.height;
    const std::int32_t textBottom =
        in.checkBoxSize.isEmpty()
            ? (buttonsHeight > 0 ? buttonsTop - 2 * in.spacing : out.size.height - m.bottom)
            : checkTop - in.spacing;
    if (in.iconSize > 0) {
        out.icon = {m.left + in.spacing, m.top, in.iconSize, in.iconSize};
    }
    // Beside a taller icon a short text is centred on it.
    const std::int32_t top = m.top + std::max((in.iconSize - words) / 2, 0);
    // Drawn at the width it was measured at, so the lines are the ones counted.
    const std::int32_t textWidth = std::min(out.size.width - left - m.right, wrap);
    out.text = {left, top, textWidth, std::min(text.height, std::max(textBottom - top, 0))};
    if (detail.height > 0) {
        const std::int32_t detailTop = top + text.height + in.spacing;
        out.detail = {left, detailTop, textWidth,
                      std::min(detail.height, std::max(textBottom - detailTop, 0))};
    }
    if (!in.checkBoxSize.isEmpty()) {
        out.checkBox = {left, checkTop, in.checkBoxSize.width, in.checkBoxSize.height};
    }
    std::int32_t x = out.size.width - m.right - buttonsWidth;
    for (const Size& b : in.buttonSizes) {
        out.buttons.push_back({x, buttonsTop + (buttonsHeight - b.height) / 2, b.width, b.height});
        x += b.width + in.spacing;
    }
    return out;
}

} // namespace scalora
