// What the text widget tests share: a clipboard in memory, and counting the pixels of a
// window area that are close to a colour (anti-aliased text is only near its colour).
#pragma once

#include "exchange/ui_clipboard.h"
#include "ui/core/ui_element.h"
#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"

#include <optional>
#include <string>

namespace scalora::test {

class MemoryClipboard : public ClipboardBackend {
public:
    explicit MemoryClipboard(std::optional<std::string>* store) : store_(store) {}
    bool setText(const std::string& text) override {
        *store_ = text;
        return true;
    }
    std::optional<std::string> text() override { return *store_; }

private:
    std::optional<std::string>* store_;
};

// Pixels of the element's area in the window canvas within `tolerance` of the colour on
// every channel.
inline int pixelsNear(UIWindow& window, const UIElement& element, Color color, int tolerance = 40) {
    const Rect r = element.windowRect();
    const Canvas& canvas = window.windowCanvas();
    int count = 0;
    for (std::int32_t y = r.y; y < r.bottom(); ++y) {
        for (std::int32_t x = r.x; x < r.right(); ++x) {
            const Color c = canvas.pixelColor(x, y);
            const auto near = [&](int shift) {
                const int a = static_cast<int>((c >> shift) & 0xFF);
                const int b = static_cast<int>((color >> shift) & 0xFF);
                return a - b <= tolerance && b - a <= tolerance;
            };
            count += near(16) && near(8) && near(0) ? 1 : 0;
        }
    }
    return count;
}

} // namespace scalora::test
