#include "ui/style/style_values.h"

#include "base/strings.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

namespace scalora {

namespace {

std::uint8_t channel(std::string_view field) {
    return static_cast<std::uint8_t>(std::clamp(parseLeadingInt(field), 0, 255));
}

bool startsWithDigit(std::string_view text) {
    return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

} // namespace

Color parseStyleColor(std::string_view text) {
    const std::vector<std::string> f = split(text, ",");
    if (f.size() == 3) {
        return makeColor(255, channel(f[0]), channel(f[1]), channel(f[2]));
    }
    if (f.size() == 4) {
        return makeColor(channel(f[0]), channel(f[1]), channel(f[2]), channel(f[3]));
    }
    if (f.size() == 1 && startsWithDigit(text)) {
        // The signed 32-bit value's bits are the colour, alpha in the top byte.
        return static_cast<Color>(parseLeadingInt(text));
    }
    return kTransparentColor; // "transparent" and anything unknown alike
}

Brush parseStyleBrush(std::string_view text) {
    const std::vector<std::string> parts = split(text, "|");
    if (parts.size() < 2) {
        return Brush(parseStyleColor(text));
    }
    std::vector<Color> stops;
    stops.reserve(parts.size());
    for (const std::string& part : parts) {
        stops.push_back(parseStyleColor(part));
    }
    return Brush(std::move(stops));
}

UIFont parseStyleFont(std::string_view text) {
    UIFont font = UIFont::defaultFont();
    const std::vector<std::string> f = split(text, ",");
    if (f.size() != 3) {
        return font;
    }
    if (f[0] != "default") {
        font.setFamily(f[0]);
    }
    font.setPointSize(parseStyleFloat(f[1]));
    std::uint32_t flags = 0;
    if (f[2].find("bold") != std::string::npos) {
        flags |= UIFont::kBold;
    }
    if (f[2].find("underline") != std::string::npos) {
        flags |= UIFont::kUnderline;
    }
    font.setFlags(flags);
    return font;
}

Point parseStylePoint(std::string_view text) {
    const std::vector<std::string> f = split(text, ",");
    if (f.size() != 2) {
        return {};
    }
    return {parseLeadingInt(f[0]), parseLeadingInt(f[1])};
}

Size parseStyleSize(std::string_view text) {
    const Point p = parseStylePoint(text);
    return {p.x, p.y};
}

Margins parseStyleMargins(std::string_view text) {
    const std::vector<std::string> f = split(text, ",");
    if (f.size() != 4) {
        return {};
    }
    return {parseLeadingInt(f[0]), parseLeadingInt(f[1]), parseLeadingInt(f[2]),
            parseLeadingInt(f[3])};
}

std::int32_t parseStyleInteger(std::string_view text) {
    return parseLeadingInt(text);
}

double parseStyleFloat(std::string_view text) {
    // The leading number, read the same whatever the process locale says about decimal
    // commas (style files always use a point).
    std::size_t i = 0;
    while (i < text.size() && isSpaceChar(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    double value = 0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

} // namespace scalora
