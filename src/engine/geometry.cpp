#include "engine/geometry.h"

namespace scalora {

std::int32_t roundHalfAway(double x) {
    return static_cast<std::int32_t>(x >= 0 ? x + 0.5 : x - 0.5);
}

Size scaledToWidth(Size source, std::int32_t width) {
    if (source.width <= 0 || source.height <= 0 || width <= 0) {
        return {};
    }
    const float q = static_cast<float>(static_cast<double>(source.height) * width / source.width);
    return {width, roundHalfAway(q)};
}

Size scaledToHeight(Size source, std::int32_t height) {
    if (source.width <= 0 || source.height <= 0 || height <= 0) {
        return {};
    }
    const float q = static_cast<float>(static_cast<double>(source.width) * height / source.height);
    return {roundHalfAway(q), height};
}

Size scaledToFit(Size source, Size box) {
    if (source.width <= 0 || source.height <= 0 || box.width <= 0 || box.height <= 0) {
        return {};
    }
    const Size byWidth = scaledToWidth(source, box.width);
    if (byWidth.height <= box.height) {
        return byWidth;
    }
    return scaledToHeight(byWidth, box.height);
}

Size computeTargetSize(const TargetSizeInput& input) {
    const Size source = input.source;
    if (source.width < 1 || source.height < 1) {
        return {};
    }
    Size target;
    switch (input.mode) {
    case ResizeMode::WidthHeight:
        target = {input.widthValue, input.heightValue};
        break;
    case ResizeMode::Width:
        target = scaledToWidth(source, input.widthValue);
        break;
    case ResizeMode::Height:
        target = scaledToHeight(source, input.heightValue);
        break;
    case ResizeMode::Fit:
        target = scaledToFit(source, {input.widthValue, input.heightValue});
        break;
    case ResizeMode::Percentage: {
        const auto w = static_cast<std::int32_t>(input.widthValue * source.width / 100.0);
        const auto h = static_cast<std::int32_t>(input.heightValue * source.height / 100.0);
        target = {w <= 1 ? 1 : w, h <= 1 ? 1 : h};
        break;
    }
    case ResizeMode::Desktop:
        target = input.desktopSize;
        break;
    case ResizeMode::DesktopKeepProportions:
        target = scaledToFit(source, input.desktopSize);
        break;
    default: // a value outside the seven modes cannot be resized
        return {};
    }
    if (target.width == 0 && target.height > 0) {
        target.width = 1;
    }
    if (target.height == 0 && target.width > 0) {
        target.height = 1;
    }
    if (input.doNotEnlarge && !(target.width < source.width && target.height < source.height)) {
        target = source;
    }
    return target;
}

Size canvasSize(ResizeMode mode, Size target, Size desktopSize) {
    return mode == ResizeMode::DesktopKeepProportions ? desktopSize : target;
}

Point placementOnCanvas(Size canvas, Size target) {
    if (canvas == target) {
        return {};
    }
    const std::int32_t x = target.width > canvas.width ? 0 : (canvas.width - target.width) / 2;
    const std::int32_t y = target.height > canvas.height ? 0 : (canvas.height - target.height) / 2;
    return {x, y};
}

} // namespace scalora
