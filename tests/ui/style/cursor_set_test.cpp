#include "ui/style/cursor_set.h"
#include "ui/style/resource_source.h"

#include <gtest/gtest.h>
#include <vector>

namespace scalora {
namespace {

// Counts what it was asked to make; handles are small integers.
class FakeBackend : public CursorBackend {
public:
    explicit FakeBackend(std::vector<std::string>* log) : log_(log) {}
    void* createSystemCursor(SystemCursor shape) override {
        log_->push_back("system " + std::to_string(static_cast<int>(shape)));
        return reinterpret_cast<void*>(++next_);
    }
    void* createImageCursor(const PixelImage&, Point hotspot) override {
        log_->push_back("image " + std::to_string(hotspot.x) + "," + std::to_string(hotspot.y));
        return reinterpret_cast<void*>(++next_);
    }
    void destroyCursor(void*) override { log_->push_back("destroy"); }

private:
    std::vector<std::string>* log_;
    std::uintptr_t next_ = 0;
};

TEST(CursorSet, SystemShapesByDefaultMadeOnceAndFreedWithTheBackend) {
    std::vector<std::string> log;
    {
        CursorSet set;
        EXPECT_EQ(set.cursor(CursorId{4}), nullptr); // no backend yet
        set.setBackend(std::make_unique<FakeBackend>(&log));
        void* beam = set.cursor(CursorId{4});
        EXPECT_NE(beam, nullptr);
        EXPECT_EQ(set.cursor(CursorId{4}), beam);
        EXPECT_EQ(set.look(CursorId{0}).system, SystemCursor::Arrow);
        EXPECT_EQ(set.look(CursorId{99}).system, SystemCursor::Arrow);
        EXPECT_EQ(set.cursor(CursorId{99}), set.cursor(CursorId{1}));
        EXPECT_EQ(set.look(CursorId{11}).system, SystemCursor::SizeNESW);
        EXPECT_EQ(set.look(CursorId{5}).image, nullptr);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"system 3", "system 0", "destroy", "destroy"}));
}

TEST(CursorSet, WithoutCursorsXmlTheSystemCursorsStay) {
    const FunctionSource empty(
        [](std::string_view, std::string_view, std::string&) { return false; });
    CursorSet set;
    EXPECT_FALSE(set.load(empty));
    EXPECT_EQ(set.look(CursorId{14}).image, nullptr);
}

} // namespace
} // namespace scalora
