#include "ui/style/style_ids.h"

#include <array>
#include <utility>

namespace scalora {

StyleMetric metricIdForName(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, StyleMetric>, 12> kNames = {{
        {"LayoutLeftMargin", StyleMetric::LayoutLeftMargin},
        {"LayoutTopMargin", StyleMetric::LayoutTopMargin},
        {"LayoutRightMargin", StyleMetric::LayoutRightMargin},
        {"LayoutBottomMargin", StyleMetric::LayoutBottomMargin},
        {"LayoutHorizontalSpacing", StyleMetric::LayoutHorizontalSpacing},
        {"LayoutVerticalSpacing", StyleMetric::LayoutVerticalSpacing},
        {"SmallIconSize", StyleMetric::SmallIconSize},
        {"MediumIconSize", StyleMetric::MediumIconSize},
        {"LargeIconSize", StyleMetric::LargeIconSize},
        {"TextCursorWidth", StyleMetric::TextCursorWidth},
        {"MessageBoxIconSize", StyleMetric::MessageBoxIconSize},
        {"WindowDesktopPadding", StyleMetric::WindowDesktopPadding},
    }};
    for (const auto& [n, metric] : kNames) {
        if (n == name) {
            return metric;
        }
    }
    return StyleMetric::None;
}

namespace {

// The standard images are numbered from 0 without gaps, so the id is the index.
constexpr std::array<StandardImage, kStandardImageCount> kStandardImages = [] {
    std::array<StandardImage, kStandardImageCount> all{};
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<StandardImage>(i);
    }
    return all;
}();

} // namespace

std::span<const StandardImage> allStandardImages() {
    return kStandardImages;
}

std::string_view standardImageFile(StandardImage image) {
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
    const auto index = static_cast<std::int32_t>(image);
    if (index < 0 || index >= kStandardImageCount) {
        return {};
    }
    return kFiles[static_cast<std::size_t>(index)];
}

SystemCursor systemCursorFor(CursorId id) {
    switch (id) {
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

CursorId cursorIdForName(std::string_view name) {
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
            return id;
        }
    }
    return CursorId::Arrow;
}

} // namespace scalora
