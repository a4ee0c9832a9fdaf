// The numbered things a style and the cursor set provide: layout and size metrics, the
// standard images of the user interface and the mouse cursors, with the names they carry in
// the package files. The numbers are the ones the package files and every table of the
// program are written in; names read from a file become ids here and nowhere else.
#pragma once

#include <cstdint>
#include <span>
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

// The metric of a name of metrics.xml (exact, case-sensitive); None for any other name.
StyleMetric metricIdForName(std::string_view name);

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
// Every standard image, in id order.
std::span<const StandardImage> allStandardImages();
// The file name in the package's "images" folder ("Focus.png"); empty for a value that is
// no standard image.
std::string_view standardImageFile(StandardImage image);

// Cursor ids 1 to 28. System ones come from the window system, the others from cursors.xml
// of the data archive.
inline constexpr std::int32_t kCursorCount = 28;
enum class CursorId : std::int32_t {
    Inherit = 0, // an element without a cursor of its own shows its parent's
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
    // Three further arrows the cursor table reserves.
    Arrow26 = 26,
    Arrow27 = 27,
    Arrow28 = 28,
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

// The system shape a cursor starts as; the ones read from cursors.xml start as the arrow.
SystemCursor systemCursorFor(CursorId id);
// The cursor of a cursors.xml name ("hand_open"); the arrow for any other name.
CursorId cursorIdForName(std::string_view name);
// Whether the id is one of the 28 cursors (Inherit and values outside the table are not).
constexpr bool isCursorInTable(CursorId id) {
    return static_cast<std::int32_t>(id) >= 1 && static_cast<std::int32_t>(id) <= kCursorCount;
}

} // namespace scalora
