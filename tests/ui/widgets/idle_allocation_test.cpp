// An idle frame of the lists gallery allocates nothing: after the first paint, loop
// iterations and hover ticks over its table do no heap allocation. The global allocation
// functions of this test program count their calls (support/allocation_counter).
#include "../core/ui_test_fixture.h"
#include "gallery_lists.h"
#include "support/allocation_counter.h"

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

    const long before = allocationCount();
    for (int i = 0; i < 10; ++i) {
        toolkit().iterate(false);
    }
    sys().advance(200);
    EXPECT_EQ(allocationCount(), before);
}

} // namespace
} // namespace scalora::test
