#include "data/setting_value.h"

#include "base/strings.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace scalora {
namespace {

std::int32_t truncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (truncated >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(truncated);
}

std::string formatDouble(double value) {
    // Nine significant digits: enough for a float to read back exactly, short for a double.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

bool SettingValue::toBool() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return false; },
                          [](const std::string& s) {
                              const std::string word = toLower(trim(s));
                              return !(word.empty() || word == "false" || word == "0");
                          },
                          [](auto number) { return number != 0; },
                      },
                      value_);
}

std::int32_t SettingValue::toInt() const {
    return std::visit(
        Overloaded{
            [](std::monostate) { return std::int32_t{0}; },
            [](bool b) { return std::int32_t{b ? 1 : 0}; },
            [](std::int32_t v) { return v; },
            [](std::uint32_t v) { return static_cast<std::int32_t>(v); },
            [](std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); },
            [](std::uint64_t v) {
                return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
            },
            [](float v) { return truncateToInt(v); },
            [](double v) { return truncateToInt(v); },
            [](const std::string& s) { return parseLeadingInt(s); },
        },
        value_);
}

std::string SettingValue::toString() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return std::string(); },
                          [](bool b) { return std::string(b ? "1" : "0"); },
                          [](float v) { return formatDouble(static_cast<double>(v)); },
                          [](double v) { return formatDouble(v); },
                          [](const std::string& s) { return s; },
                          [](auto integer) { return std::to_string(integer); },
                      },
                      value_);
}

} // namespace scalora
