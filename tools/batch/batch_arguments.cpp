#include "tools/batch/batch_arguments.h"

#include "base/strings.h"
#include "imaging/image_encoder.h"

#include <algorithm>
#include <iterator>

namespace scalora {
namespace {

template <typename Value> struct NamedValue {
    std::string_view name;
    Value value;
};

constexpr NamedValue<ResizeMode> kModeNames[] = {
    {"width-height", ResizeMode::WidthHeight},
    {"width", ResizeMode::Width},
    {"height", ResizeMode::Height},
    {"fit", ResizeMode::Fit},
    {"percentage", ResizeMode::Percentage},
    {"percent", ResizeMode::Percentage},
    {"desktop", ResizeMode::Desktop},
    {"desktop-fit", ResizeMode::DesktopKeepProportions},
    {"desktop-keep", ResizeMode::DesktopKeepProportions},
};

constexpr NamedValue<OutputFormat> kFormatNames[] = {
    {"original", OutputFormat::AsOriginal},
    {"as-original", OutputFormat::AsOriginal},
    {"jpg", OutputFormat::Jpg},
    {"jpeg", OutputFormat::Jpg},
    {"png", OutputFormat::Png},
    {"tif", OutputFormat::Tif},
    {"tiff", OutputFormat::Tif},
    {"bmp", OutputFormat::Bmp},
};

// The on/off options: each sets one field of the arguments.
struct FlagOption {
    std::string_view name;
    bool BatchArguments::*field;
    bool value;
};

constexpr FlagOption kFlags[] = {
    {"--copy-metadata", &BatchArguments::copyMetadata, true},
    {"--no-copy-metadata", &BatchArguments::copyMetadata, false},
    {"--no-enlarge", &BatchArguments::doNotEnlarge, true},
    {"--enlarge", &BatchArguments::doNotEnlarge, false},
    {"--keep-dates", &BatchArguments::keepDates, true},
    {"--no-keep-dates", &BatchArguments::keepDates, false},
    {"--overwrite", &BatchArguments::allowRewrite, true},
    {"--no-overwrite", &BatchArguments::allowRewrite, false},
    {"--recursive", &BatchArguments::recursive, true},
    {"-r", &BatchArguments::recursive, true},
    {"--no-recursive", &BatchArguments::recursive, false},
};

// A monitor ten times the largest target is beyond any real one.
constexpr std::int64_t kMaxDesktopSide = std::int64_t{kMaxSizeValue} * 10;

// A name of the table, or a number from 0 to count - 1 that the conversion turns into a value.
template <typename Value, std::size_t N, typename FromIndex>
std::optional<Value> lookup(const std::string& text, const NamedValue<Value> (&table)[N],
                            std::int32_t count, FromIndex fromIndex) {
    const std::string lower = toLower(trim(text));
    for (const NamedValue<Value>& entry : table) {
        if (lower == entry.name) {
            return entry.value;
        }
    }
    std::int64_t index = 0;
    if (parseInt(lower, index) && index >= 0 && index < count) {
        return fromIndex(static_cast<std::int32_t>(index));
    }
    return std::nullopt;
}

// Walks the arguments and keeps the first error.
class Parser {
public:
    Parser(const std::vector<std::string>& args, std::string& error) : args_(args), error_(error) {}

    bool atEnd() const { return next_ >= args_.size(); }
    std::string take() { return args_[next_++]; }

    // The value of an option given as "--name value" or "--name=value".
    bool value(const std::string& option, const std::optional<std::string>& inlineValue,
               std::string& out) {
        if (inlineValue) {
            out = *inlineValue;
            return true;
        }
        if (atEnd()) {
            return fail("option " + option + " needs a value");
        }
        out = take();
        return true;
    }

    bool fail(const std::string& message) {
        error_ = message;
        return false;
    }

private:
    const std::vector<std::string>& args_;
    std::string& error_;
    std::size_t next_ = 0;
};

bool parseDesktopSize(const std::string& text, Size& out) {
    const std::vector<std::string> parts = split(toLower(trim(text)), "x");
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (parts.size() != 2 || !parseInt(parts[0], width) || !parseInt(parts[1], height) ||
        width < 1 || height < 1 || width > kMaxDesktopSide || height > kMaxDesktopSide) {
        return false;
    }
    out = {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    return true;
}

// The options with a value: each checks its text and stores it, or fails with the reason.
using ValueHandler = bool (*)(const std::string& option, const std::string& text,
                              BatchArguments& result, Parser& parser);

bool setMode(const std::string&, const std::string& text, BatchArguments& result, Parser& parser) {
    const std::optional<ResizeMode> mode = modeFromText(text);
    if (!mode) {
        return parser.fail("unknown mode '" + text +
                           "' (use width-height, width, height, fit, percentage, desktop, "
                           "desktop-fit or 0 to 6)");
    }
    result.mode = *mode;
    result.modeGiven = true;
    return true;
}

// --fit WxH, --exact WxH and --percent P (or PxQ): the mode and its two values at once.
bool setBox(const std::string& option, const std::string& text, BatchArguments& result,
            Parser& parser) {
    std::vector<std::string> parts = split(toLower(trim(text)), "x");
    const bool percent = option == "--percent";
    if (percent && parts.size() == 1) {
        parts.push_back(parts[0]);
    }
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (parts.size() != 2 || !parseInt(parts[0], width) || !parseInt(parts[1], height) ||
        width < kMinSizeValue || height < kMinSizeValue || width > kMaxSizeValue ||
        height > kMaxSizeValue) {
        return parser.fail(option +
                           (percent ? " must look like 50 or 50x25" : " must look like 1600x1200") +
                           " (1 to " + intToString(kMaxSizeValue) + "), not '" + text + "'");
    }
    result.mode = option == "--exact" ? ResizeMode::WidthHeight
                  : percent           ? ResizeMode::Percentage
                                      : ResizeMode::Fit;
    result.modeGiven = true;
    result.width = static_cast<std::int32_t>(width);
    result.height = static_cast<std::int32_t>(height);
    return true;
}

// Width and height: at least 1; above the largest value a run accepts they are reduced to it,
// as in the window, with a warning.
bool setSize(const std::string& option, const std::string& text, BatchArguments& result,
             Parser& parser) {
    std::int64_t value = 0;
    if (!parseInt(text, value)) {
        return parser.fail(option + " must be a whole number, not '" + text + "'");
    }
    if (value < kMinSizeValue) {
        return parser.fail(option + " must be at least 1 (got " + trim(text) + ")");
    }
    if (value > kMaxSizeValue) {
        result.warnings.push_back(option + " " + trim(text) +
                                  " is above the largest value; using " +
                                  intToString(kMaxSizeValue));
        value = kMaxSizeValue;
    }
    (option == "--width" ? result.width : result.height) = static_cast<std::int32_t>(value);
    return true;
}

bool setFormat(const std::string&, const std::string& text, BatchArguments& result,
               Parser& parser) {
    const std::optional<OutputFormat> format = formatFromText(text);
    if (!format) {
        return parser.fail("unknown format '" + text + "' (use original, jpg, png, tif or bmp)");
    }
    result.format = *format;
    return true;
}

bool setDestination(const std::string& option, const std::string& text, BatchArguments& result,
                    Parser& parser) {
    if (trim(text).empty()) {
        return parser.fail("option " + option + " needs a folder");
    }
    result.destination = text;
    return true;
}

bool setQuality(const std::string&, const std::string& text, BatchArguments& result,
                Parser& parser) {
    std::int64_t quality = 0;
    if (!parseInt(text, quality) || quality < kMinJpegQuality || quality > kMaxJpegQuality) {
        return parser.fail("--quality must be a whole number from 1 to 100, not '" + text + "'");
    }
    result.jpegQuality = static_cast<std::int32_t>(quality);
    return true;
}

bool setLanguage(const std::string&, const std::string& text, BatchArguments& result,
                 Parser& parser) {
    if (trim(text).empty() || text.find('/') != std::string::npos) {
        return parser.fail("--language needs a language name such as english");
    }
    result.language = toLower(trim(text));
    return true;
}

bool setDesktopSize(const std::string&, const std::string& text, BatchArguments& result,
                    Parser& parser) {
    Size size;
    if (!parseDesktopSize(text, size)) {
        return parser.fail("--desktop-size must look like 1920x1080, not '" + text + "'");
    }
    result.desktopSize = size;
    return true;
}

bool setJobs(const std::string&, const std::string& text, BatchArguments& result, Parser& parser) {
    std::int64_t jobs = 0;
    if (!parseInt(text, jobs) || jobs < 1) {
        return parser.fail("--jobs must be a whole number, at least 1, not '" + text + "'");
    }
    if (jobs > kMaxJobs) {
        result.warnings.push_back("--jobs " + trim(text) + " is above the largest value; using " +
                                  intToString(kMaxJobs));
        jobs = kMaxJobs;
    }
    result.jobs = static_cast<std::int32_t>(jobs);
    return true;
}

struct ValueOption {
    std::string_view name;
    ValueHandler apply;
};

constexpr ValueOption kValueOptions[] = {
    {"--mode", setMode},       {"--width", setSize},        {"--height", setSize},
    {"--format", setFormat},   {"--dest", setDestination},  {"-d", setDestination},
    {"--quality", setQuality}, {"--language", setLanguage}, {"--desktop-size", setDesktopSize},
    {"--jobs", setJobs},       {"--fit", setBox},           {"-s", setBox},
    {"--exact", setBox},       {"--percent", setBox},
};

// What the command line starts from before any option is read.
BatchArguments argumentsFromDefaults(const BatchDefaults& defaults) {
    BatchArguments result;
    result.mode = defaults.mode;
    result.format = defaults.format;
    result.destination = defaults.destination;
    result.jpegQuality = defaults.jpegQuality;
    result.copyMetadata = defaults.copyMetadata;
    result.doNotEnlarge = defaults.doNotEnlarge;
    result.keepDates = defaults.keepDates;
    result.allowRewrite = defaults.allowRewrite;
    result.recursive = defaults.recursive;
    result.language = defaults.language;
    return result;
}

// One option (without --help and --version); false with the error when it is unknown or its
// value is bad.
bool applyOption(const std::string& arg, const std::optional<std::string>& inlineValue,
                 BatchArguments& result, Parser& parser) {
    for (const FlagOption& flag : kFlags) {
        if (arg == flag.name) {
            if (inlineValue) {
                return parser.fail("option " + arg + " takes no value");
            }
            result.*flag.field = flag.value;
            return true;
        }
    }
    for (const ValueOption& option : kValueOptions) {
        if (arg == option.name) {
            std::string text;
            return parser.value(arg, inlineValue, text) && option.apply(arg, text, result, parser);
        }
    }
    return parser.fail("unknown option " + arg + " (see --help)");
}

// One size alone keeps the proportions; a mode that needs two values and was given one is
// refused rather than completed from a stored value nobody sees.
bool resolveSize(BatchArguments& result, std::string& error) {
    if (result.width.has_value() == result.height.has_value()) {
        return true;
    }
    if (!result.modeGiven) {
        result.mode = result.width ? ResizeMode::Width : ResizeMode::Height;
        return true;
    }
    const bool needsBoth = result.mode == ResizeMode::WidthHeight ||
                           result.mode == ResizeMode::Fit || result.mode == ResizeMode::Percentage;
    if (needsBoth) {
        const auto name =
            std::find_if(std::begin(kModeNames), std::end(kModeNames),
                         [&](const auto& entry) { return entry.value == result.mode; });
        error = "mode " + std::string(name->name) +
                " needs both --width and --height: " + (result.width ? "--height" : "--width") +
                " is missing";
        return false;
    }
    return true;
}

// What a run needs whichever options were given.
bool checkComplete(BatchArguments& result, std::string& error) {
    if (!resolveSize(result, error)) {
        return false;
    }
    if (result.paths.empty()) {
        error = "no files or folders given (see --help)";
        return false;
    }
    if (trim(result.destination).empty()) {
        error = "no destination folder: give one with --dest FOLDER";
        return false;
    }
    const bool desktopMode =
        result.mode == ResizeMode::Desktop || result.mode == ResizeMode::DesktopKeepProportions;
    if (desktopMode && !result.desktopSize) {
        error = "the desktop modes need the monitor size: add --desktop-size WIDTHxHEIGHT";
        return false;
    }
    return true;
}

} // namespace

std::optional<ResizeMode> modeFromText(const std::string& text) {
    return lookup(text, kModeNames, kResizeModeCount, resizeModeFromIndex);
}

std::optional<OutputFormat> formatFromText(const std::string& text) {
    return lookup(text, kFormatNames, kOutputFormatCount, outputFormatFromIndex);
}

bool wantsSettings(const std::vector<std::string>& args) {
    const auto optionsEnd = std::find(args.begin(), args.end(), "--");
    return std::find(args.begin(), optionsEnd, "--settings") != optionsEnd;
}

std::optional<BatchArguments> parseBatchArguments(const std::vector<std::string>& args,
                                                  const BatchDefaults& defaults,
                                                  std::string& error) {
    BatchArguments result = argumentsFromDefaults(defaults);
    Parser parser(args, error);
    bool optionsEnded = false;
    while (!parser.atEnd()) {
        std::string arg = parser.take();
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            result.paths.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (const std::size_t equals = arg.find('=');
            arg.starts_with("--") && equals != std::string::npos) {
            inlineValue = arg.substr(equals + 1);
            arg.resize(equals);
        }
        if (arg == "-h" || arg == "--help") {
            result.action = BatchArguments::Action::Help;
            return result;
        }
        if (arg == "--settings") {
            if (inlineValue) {
                static_cast<void>(parser.fail("option --settings takes no value"));
                return std::nullopt;
            }
            continue; // it chose the defaults before parsing began (wantsSettings)
        }
        if (arg == "--version") {
            result.action = BatchArguments::Action::Version;
            return result;
        }
        if (!applyOption(arg, inlineValue, result, parser)) {
            return std::nullopt;
        }
    }
    if (!checkComplete(result, error)) {
        return std::nullopt;
    }
    return result;
}

std::string widthTextOf(const BatchArguments& arguments, const BatchDefaults& defaults) {
    const auto mode = static_cast<std::size_t>(resizeModeIndex(arguments.mode));
    return intToString(arguments.width.value_or(defaults.widthForMode[mode]));
}

std::string heightTextOf(const BatchArguments& arguments, const BatchDefaults& defaults) {
    const auto mode = static_cast<std::size_t>(resizeModeIndex(arguments.mode));
    return intToString(arguments.height.value_or(defaults.heightForMode[mode]));
}

std::string batchUsage() {
    return R"(Usage: scalora-batch [options] -d FOLDER PATH...

Resizes BMP, JPEG, PNG and TIFF files, and those in folders given, into FOLDER.
Defaults: the original size, never enlarged; JPEG quality 90; metadata, colour
profile and file dates kept; existing files kept; subfolders not searched.

Size    -s, --fit WxH   --exact WxH   --percent P[xQ]   --enlarge, --no-enlarge
        --width W or --height H alone keeps the proportions
        --mode width-height|width|height|fit|percentage|desktop|desktop-fit (or
        0 to 6) with --width and --height; --desktop-size WxH for the desktop
Output  -d, --dest FOLDER (must exist)    --format original|jpg|png|tif|bmp
        --quality N (1 to 100)   --copy-metadata, --no-copy-metadata (EXIF,
        XMP, IPTC of JPEG to JPEG; the profile always stays, BMP becomes sRGB)
        --keep-dates, --no-keep-dates    --overwrite, --no-overwrite
Input   -r, --recursive, --no-recursive
Other   --settings (start from the window's config.dat, never written)
        --language NAME   --jobs N (default: the cores)   -h, --help   --version

Ctrl+C stops once the images in progress are written.
Exit status: 0 all written, 1 some skipped or left out, 2 bad arguments or no
image found, 130 stopped by Ctrl+C.
)";
}

} // namespace scalora
