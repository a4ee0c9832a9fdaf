// A tagged settings value: the type a schema default carries, or a string as read from the
// settings file, with the conversions readers use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace scalora {

// The tags as numbered in the settings file's type model.
enum class SettingType {
    Empty = 0,
    Bool = 1,
    Int32 = 2,
    UInt32 = 3,
    Int64 = 4,
    UInt64 = 5,
    Float = 6,
    Double = 7,
    String = 8,
};

class SettingValue {
public:
    SettingValue() = default;
    SettingValue(bool value) : value_(value) {}
    SettingValue(std::int32_t value) : value_(value) {}
    SettingValue(std::uint32_t value) : value_(value) {}
    SettingValue(std::int64_t value) : value_(value) {}
    SettingValue(std::uint64_t value) : value_(value) {}
    SettingValue(float value) : value_(value) {}
    SettingValue(double value) : value_(value) {}
    SettingValue(std::string value) : value_(std::move(value)) {}
    SettingValue(std::string_view value) : value_(std::string(value)) {}
    SettingValue(const char* value) : value_(std::string(value)) {}

    SettingType type() const { return static_cast<SettingType>(value_.index()); }
    bool isEmpty() const { return type() == SettingType::Empty; }

    // Numbers: not zero. Strings: trimmed and lower-cased, false when empty, "false" or "0",
    // true for anything else. Empty: false.
    bool toBool() const;
    // Bool 1 or 0; 64-bit integers keep their low 32 bits; float and double are truncated
    // toward zero and saturate at the 32-bit range (NaN gives 0); strings are read as decimal
    // with leading blanks and trailing text ignored, non-numbers giving 0. Empty: 0.
    std::int32_t toInt() const;
    // The file form: bool "1"/"0", integers in decimal, float and double as "%.9g" (a float
    // widened to double first), strings unchanged, empty as "".
    std::string toString() const;

    friend bool operator==(const SettingValue&, const SettingValue&) = default;

private:
    std::variant<std::monostate, bool, std::int32_t, std::uint32_t, std::int64_t, std::uint64_t,
                 float, double, std::string>
        value_;
};

} // namespace scalora
