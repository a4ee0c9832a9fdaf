#include "engine/byte_count.h"

#include "base/strings.h"
#include "data/translate.h"

#include <clocale>
#include <cmath>

namespace scalora {

std::string formatByteCount(std::uint64_t count, std::string_view decimalSeparator) {
    struct Unit {
        int shift;
        const char* name;
    };
    // Strict comparisons: exactly 1024 bytes still reads as Bytes.
    static constexpr Unit kUnits[] = {{40, "Tb"}, {30, "Gb"}, {20, "Mb"}, {10, "Kb"}};
    double value = static_cast<double>(count);
    const char* unitName = "Bytes";
    for (const Unit& unit : kUnits) {
        if (count > (std::uint64_t{1} << unit.shift)) {
            value =
                static_cast<double>(count) / static_cast<double>(std::uint64_t{1} << unit.shift);
            unitName = unit.name;
            break;
        }
    }
    // Hundredths, rounded half away from zero (value is never negative).
    const auto hundredths = static_cast<std::uint64_t>(std::trunc(value * 100.0 + 0.5));
    std::string text = intToString(static_cast<std::int64_t>(hundredths / 100));
    const std::uint64_t fraction = hundredths % 100;
    if (fraction != 0) {
        text += decimalSeparator;
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) {
            text += static_cast<char>('0' + fraction % 10);
        }
    }
    return text + " " + translate(unitName, "Misc");
}

std::string formatByteCount(std::uint64_t count) {
    const std::lconv* conventions = std::localeconv();
    const char* separator = conventions != nullptr && conventions->decimal_point != nullptr &&
                                    conventions->decimal_point[0] != '\0'
                                ? conventions->decimal_point
                                : ".";
    return formatByteCount(count, separator);
}

} // namespace scalora
