// The numbered things a style and the cursor set provide: layout and size metrics, the
// standard images of the user interface and the mouse cursors, with the names they carry in
// the package files.
#pragma once

#include <cstdint>
#include <string_view>

namespace scalora {

enum class StyleMetric : std::int32_t {
    None = 0, // any unknown name; nothing reads it
    LayoutLeftMargin = 1,
    LayoutTopMargin = 2,
    LayoutRightMargin = 3,
    LayoutBottomMargin = 4,
    LayoutHorizontalSpacing = 5,
    LayoutVerticalSpacing = 6,
    SmallIconSize = 7,
    MediumIconSize = 8,
    LargeIconSize = 9,
    TextCursorWidth = 10,
    MessageBoxIconSize = 11,
    WindowDesktopPadding = 12,
};

// The id for a name of metrics.xml (exact, case-sensitive), 0 for any other.
std::int32_t metricIdForName(std::string_view name);

inline constexpr std::int32_t kStandardImageCount = 19;
enum class StandardImage : std::int32_t {
    DialogHelpButton = 0,
    DirectoryBig = 1,
    DirectorySmall = 2,
    InformationBig = 3,
    QuestionBig = 4,
    WarningBig = 5,
    CriticalBig = 6,
    InformationMedium = 7,
    QuestionMedium = 8,
    WarningMedium = 9,
    CriticalMedium = 10,
    InformationSmall = 11,
    QuestionSmall = 12,
    WarningSmall = 13,
    CriticalSmall = 14,
    WindowCloseButton = 15,
    WindowMaximizeButton = 16,
    WindowMinimizeButton = 17,
    Focus = 18,
};
// The file name in the package's "images" folder ("Focus.png"); empty for other ids.
std::string_view standardImageFile(std::int32_t id);

// Cursor ids 1 to 28. System ones come from the window system, the others from cursors.xml
// of the data archive.
inline constexpr std::int32_t kCursorCount = 28;
enum class CursorId : std::int32_t {
    Arrow = 1,
    Cross = 2,
    Wait = 3,
    TextBeam = 4,
    Hand = 5,
    HandOpen = 6,
    HandClose = 7,
    HandFinger = 8,
    SizeNS = 9,
    SizeWE = 10,
    SizeNESW = 11,
    SizeNWSE = 12,
    SizeAll = 13,
    Lens = 14,
    LensPlus = 15,
    LensMinus = 16,
    SplitTopBottom = 17,
    SplitLeftRight = 18,
    SplitLeft = 19,
    SplitRight = 20,
    SplitTop = 21,
    SplitBottom = 22,
    Pipette = 23,
    Target = 24,
    Empty = 25,
};

// The system cursor shapes the toolkit asks the window system for.
enum class SystemCursor {
    Arrow,
    Cross,
    Wait,
    TextBeam,
    SizeNS,
    SizeWE,
    SizeNESW,
    SizeNWSE,
    SizeAll
};

// The system shape an id starts as; ids read from cursors.xml start as the arrow.
SystemCursor systemCursorFor(std::int32_t id);
// The id of a cursors.xml name ("hand_open"); 1 (the arrow) for any other name.
std::int32_t cursorIdForName(std::string_view name);

} // namespace scalora
