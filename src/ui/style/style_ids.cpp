#include "ui/style/style_ids.h"

#include <array>
#include <utility>

namespace scalora {

std::int32_t metricIdForName(std::string_view name) {
    static constexpr std::array<std::string_view, 12> kNames = {
        "LayoutLeftMargin",   "LayoutTopMargin",         "LayoutRightMargin",
        "LayoutBottomMargin", "LayoutHorizontalSpacing", "LayoutVerticalSpacing",
        "SmallIconSize",      "MediumIconSize",          "LargeIconSize",
        "TextCursorWidth",    "MessageBoxIconSize",      "WindowDesktopPadding"};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name) {
            return static_cast<std::int32_t>(i + 1);
        }
    }
    return 0;
}

std::string_view standardImageFile(std::int32_t id) {
    static constexpr std::array<std::string_view, kStandardImageCount> kFiles = {
        "DialogHelpButton.png",
        "DirectoryBig.png",
        "DirectorySmall.png",
        "InformationBig.png",
        "QuestionBig.png",
        "WarningBig.png",
        "CriticalBig.png",
        "InformationMedium.png",
        "QuestionMedium.png",
        "WarningMedium.png",
        "CriticalMedium.png",
        "InformationSmall.png",
        "QuestionSmall.png",
        "WarningSmall.png",
        "CriticalSmall.png",
        "WindowCloseButton.png",
        "WindowMaximizeButton.png",
        "WindowMinimizeButton.png",
        "Focus.png"};
    if (id < 0 || id >= kStandardImageCount) {
        return {};
    }
    return kFiles[static_cast<std::size_t>(id)];
}

SystemCursor systemCursorFor(std::int32_t id) {
    switch (static_cast<CursorId>(id)) {
    case CursorId::Cross:
        return SystemCursor::Cross;
    case CursorId::Wait:
        return SystemCursor::Wait;
    case CursorId::TextBeam:
        return SystemCursor::TextBeam;
    case CursorId::SizeNS:
        return SystemCursor::SizeNS;
    case CursorId::SizeWE:
        return SystemCursor::SizeWE;
    case CursorId::SizeNESW:
        return SystemCursor::SizeNESW;
    case CursorId::SizeNWSE:
        return SystemCursor::SizeNWSE;
    case CursorId::SizeAll:
        return SystemCursor::SizeAll;
    default:
        return SystemCursor::Arrow;
    }
}

std::int32_t cursorIdForName(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, CursorId>, 17> kNames = {{
        {"hand", CursorId::Hand},
        {"hand_open", CursorId::HandOpen},
        {"hand_close", CursorId::HandClose},
        {"hand_finger", CursorId::HandFinger},
        {"lens", CursorId::Lens},
        {"lens_plus", CursorId::LensPlus},
        {"lens_minus", CursorId::LensMinus},
        {"split_top_bottom", CursorId::SplitTopBottom},
        {"split_left_right", CursorId::SplitLeftRight},
        {"split_left", CursorId::SplitLeft},
        {"split_right", CursorId::SplitRight},
        {"split_top", CursorId::SplitTop},
        {"split_bottom", CursorId::SplitBottom},
        {"pipette", CursorId::Pipette},
        {"target", CursorId::Target},
        {"empty", CursorId::Empty},
        {"arrow", CursorId::Arrow},
    }};
    for (const auto& [n, id] : kNames) {
        if (n == name) {
            return static_cast<std::int32_t>(id);
        }
    }
    return static_cast<std::int32_t>(CursorId::Arrow);
}

} // namespace scalora
