#include "exchange/ui_clipboard.h"
#include "ui/backend/headless/headless_window_system.h"
#include "ui/core/ui_toolkit.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

class MemoryClipboard : public ClipboardBackend {
public:
    explicit MemoryClipboard(std::optional<std::string>* store, bool fail = false)
        : store_(store), fail_(fail) {}
    bool setText(const std::string& text) override {
        if (fail_) {
            return false;
        }
        *store_ = text;
        return true;
    }
    std::optional<std::string> text() override { return *store_; }

private:
    std::optional<std::string>* store_;
    bool fail_;
};

TEST(Clipboard, EmptyTextsAndFailuresBeepAndChangeNothing) {
    auto system = std::make_unique<HeadlessWindowSystem>();
    HeadlessWindowSystem* sys = system.get();
    UIToolkit toolkit(std::move(system));
    std::optional<std::string> store;
    setClipboardBackend(std::make_unique<MemoryClipboard>(&store));

    EXPECT_EQ(clipboardText(), ""); // holds no text
    EXPECT_EQ(sys->beepCount(), 1);
    EXPECT_TRUE(setClipboardText("Grüße"));
    EXPECT_EQ(store, "Grüße");
    EXPECT_EQ(clipboardText(), "Grüße");
    EXPECT_EQ(sys->beepCount(), 1);

    EXPECT_FALSE(setClipboardText("")); // copying an empty selection
    EXPECT_EQ(sys->beepCount(), 2);
    EXPECT_EQ(store, "Grüße");
    EXPECT_TRUE(setClipboardText(std::string("cut\0here", 8)));
    EXPECT_EQ(store, "cut");

    store = std::string("");
    EXPECT_EQ(clipboardText(), "");
    EXPECT_EQ(sys->beepCount(), 3);

    setClipboardBackend(std::make_unique<MemoryClipboard>(&store, true));
    EXPECT_FALSE(setClipboardText("x"));
    EXPECT_EQ(sys->beepCount(), 4);
    setClipboardBackend(nullptr);
}

} // namespace
} // namespace scalora
