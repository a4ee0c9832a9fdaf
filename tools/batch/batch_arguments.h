// The command line of scalora-batch: every run setting as an option over defaults taken from
// the user's settings, and the paths to resize. Parsing is separate from the program so the
// messages for bad arguments can be tested.
#pragma once

#include "base/geometry.h"
#include "engine/geometry.h"
#include "engine/output_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scalora {

// The values a run uses when the command line does not say otherwise.
struct BatchDefaults {
    ResizeMode mode = ResizeMode::WidthHeight;
    OutputFormat format = OutputFormat::AsOriginal;
    // Width and height remembered per mode (index = the mode's number), as the main window
    // keeps them; 1 where a mode stores no value.
    std::int32_t widthForMode[kResizeModeCount] = {100, 100, 1, 100, 100, 1, 1};
    std::int32_t heightForMode[kResizeModeCount] = {100, 1, 100, 100, 100, 1, 1};
    std::string destination;
    std::int32_t jpegQuality = 100;
    bool copyMetadata = true;
    bool doNotEnlarge = false;
    bool keepDates = true;
    bool allowRewrite = true;
    bool recursive = true;
    std::string language = "english";
};

struct BatchArguments {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    ResizeMode mode = ResizeMode::WidthHeight;
    bool modeGiven = false;            // by --mode or a size option, not by the defaults
    std::optional<std::int32_t> width; // from the command line, else the mode's default
    std::optional<std::int32_t> height;
    OutputFormat format = OutputFormat::AsOriginal;
    std::string destination;
    std::int32_t jpegQuality = 100;
    bool copyMetadata = true;
    bool doNotEnlarge = false;
    bool keepDates = true;
    bool allowRewrite = true;
    bool recursive = true;
    std::string language;
    std::optional<Size> desktopSize;
    std::optional<std::int32_t> jobs; // images in flight; the number of cores when not given
    std::vector<std::string> paths;
    std::vector<std::string> warnings; // accepted but adjusted values
};

// More images in flight than this only costs memory.
inline constexpr std::int32_t kMaxJobs = 64;

// The mode of a name ("fit", "width-height" ...) or of its number 0 to 6; nullopt when unknown.
std::optional<ResizeMode> modeFromText(const std::string& text);
// The format of "original", "jpg", "png", "tif", "bmp" (and "jpeg", "tiff", or 0 to 4).
std::optional<OutputFormat> formatFromText(const std::string& text);

// Whether argv[1..] asks for --settings (before any "--"): the caller then parses over the
// window's settings instead of the command line's own defaults.
bool wantsSettings(const std::vector<std::string>& args);
// Parses argv[1..]; on a bad argument returns nullopt with a one-line message in error.
std::optional<BatchArguments> parseBatchArguments(const std::vector<std::string>& args,
                                                  const BatchDefaults& defaults,
                                                  std::string& error);

// Width and height texts of a run as the main window would hold them.
std::string widthTextOf(const BatchArguments& arguments, const BatchDefaults& defaults);
std::string heightTextOf(const BatchArguments& arguments, const BatchDefaults& defaults);

std::string batchUsage();

} // namespace scalora
