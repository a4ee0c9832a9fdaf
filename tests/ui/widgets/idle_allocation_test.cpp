// An idle frame of the lists gallery allocates nothing: after the first paint, loop
// iterations and hover ticks over its table do no heap allocation. The global allocation
// functions of this test program count their calls.
#include "../core/ui_test_fixture.h"
#include "gallery_lists.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> gAllocations{0};
}

// The replacements below pair malloc with free themselves; GCC, seeing only the free in the
// inlined delete, takes it for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace scalora::test {
namespace {

using ListsGalleryTest = UITest;

TEST_F(ListsGalleryTest, IdleFrameDoesNotAllocate) {
    auto* window = new RecordingWindow("gallery", nullptr);
    window->setGeometry(
        {0, 0, sandbox::kListsGallerySize.width, sandbox::kListsGallerySize.height});
    sandbox::buildListsGallery(*window);
    window->show();
    sys().mouseMove(*window, {200, 200}); // over the table: hover timers run from now on
    toolkit().processEvents();
    sys().advance(100);

    const long before = gAllocations.load();
    for (int i = 0; i < 10; ++i) {
        toolkit().iterate(false);
    }
    sys().advance(200);
    EXPECT_EQ(gAllocations.load(), before);
}

} // namespace
} // namespace scalora::test
