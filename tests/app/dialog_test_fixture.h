// What the tests of the small modal windows share: the headless toolkit with the default
// style, clicks on an element's centre, and the message boxes a window shows, answered as
// they open.
#pragma once

#include "../ui/widgets/popup_test_fixture.h"

#include <string>
#include <vector>

namespace scalora::test {

class DialogTest : public StyledUITest {
protected:
    ~DialogTest() override;
    // Clicks the middle of element in its window.
    void clickOn(UIElement& element);
    // From now on every modal window that waits for input is recorded by its text and closed.
    void answerMessageBoxes();
    // "<icon kind> <text>", and "\n<detail>" when there is one, of each box answered.
    std::vector<std::string> answered;
};

} // namespace scalora::test
