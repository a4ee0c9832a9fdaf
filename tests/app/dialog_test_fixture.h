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
    // Clicks the middle of element in its window, then moves the pointer out of the window.
    void clickOn(UIElement& element);
    // Gives element the focus and presses Enter: unlike a click, it leaves no hover timer
    // running, so a modal loop the key opens reaches its idle hook.
    void pressEnterOn(UIElement& element);
    // From now on every modal window that waits for input is recorded by its text and closed.
    void answerMessageBoxes();
    // "<icon kind> <text>", and "\n<detail>" when there is one, of each box answered.
    std::vector<std::string> answered;
};

} // namespace scalora::test
