// What the program's small modal windows share: a caption that carries the product name, a
// fixed frame sized to its layout and centred over the window that opened it, Escape to close,
// and a row of equally wide buttons at the bottom right. Each is made on the stack, run with
// exec() and destroyed when its command returns.
#pragma once

#include "ui/core/ui_layout.h"
#include "ui/core/ui_window.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace scalora {

class UIButton;

// Every gap is a multiple of 4 px: 12 around the content, 8 between blocks, 4 between the
// lines of a block.
inline constexpr std::int32_t kDialogMargin = 12;
inline constexpr std::int32_t kDialogSpacing = 8;
inline constexpr std::int32_t kDialogLineSpacing = 4;

// "<title> - <product name>", or the title alone without an application object.
std::string dialogCaption(std::string_view title);

class DialogWindow : public UIWindow {
public:
    // title is the translated caption text, without the product name.
    DialogWindow(UIWindow* owner, std::string_view title);

    // Gives the window the size its layout asks for (at least minimumWidth wide) and centres
    // it over its owner, or on the work area, inside the work area.
    void placeOverOwner(std::int32_t minimumWidth = 0);

protected:
    void keyPressEvent(UIEvent& e) override;
};

// A layout of the buttons, right-aligned, all as wide as the widest (at least 76 px, the
// usual dialog button).
std::unique_ptr<UIHBoxLayout> dialogButtonRow(std::initializer_list<UIButton*> buttons);

// A vertical layout with the given margins and spacing.
std::unique_ptr<UIVBoxLayout> dialogColumn(std::int32_t margin, std::int32_t spacing);

// Icon kinds of the message boxes these windows show.
inline constexpr std::int32_t kInformationIcon = 1;
inline constexpr std::int32_t kWarningIcon = 3;

// A message box with an OK button over parent, captioned with the product name; detail, when
// not empty, is a second paragraph. Returns when the user has closed it.
void showDialogMessage(UIWindow* parent, std::int32_t iconKind, std::string text,
                       std::string detail = {});

} // namespace scalora
