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
    {"--keep-folders", &BatchArguments::keepFolders, true},
    {"--strip", &BatchArguments::copyMetadata, false},
    {"--strip-gps", &BatchArguments::stripLocation, true},
    {"--dry-run", &BatchArguments::dryRun, true},
    {"-n", &BatchArguments::dryRun, true},
    {"--json", &BatchArguments::json, true},
};

// The options that choose a mode needing no values of its own.
constexpr NamedValue<ResizeMode> kModeFlags[] = {
    {"--desktop", ResizeMode::Desktop},
    {"--desktop-fit", ResizeMode::DesktopKeepProportions},
};

constexpr NamedValue<BatchArguments::Verbosity> kVerbosityFlags[] = {
    {"-q", BatchArguments::Verbosity::Quiet},
    {"--quiet", BatchArguments::Verbosity::Quiet},
    {"-v", BatchArguments::Verbosity::Verbose},
    {"--verbose", BatchArguments::Verbosity::Verbose},
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
    {"--mode", setMode},
    {"--width", setSize},
    {"--height", setSize},
    {"--format", setFormat},
    {"-f", setFormat},
    {"-Q", setQuality},
    {"--dest", setDestination},
    {"-d", setDestination},
    {"--quality", setQuality},
    {"--language", setLanguage},
    {"--desktop-size", setDesktopSize},
    {"--jobs", setJobs},
    {"--fit", setBox},
    {"-s", setBox},
    {"--exact", setBox},
    {"--percent", setBox},
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

bool takesValue(std::string_view name) {
    return std::any_of(std::begin(kValueOptions), std::end(kValueOptions),
                       [&](const ValueOption& option) { return option.name == name; });
}

// The options one argument holds, each with the value written into the argument: "--name=value"
// is one; "-rq" is two, as is "-rd/out" ("-r", then "-d" with "/out"); a short option that
// takes a value ends the group, its value being the rest or else the next argument.
std::vector<std::pair<std::string, std::optional<std::string>>>
optionWords(const std::string& arg) {
    if (arg.starts_with("--")) {
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos) {
            return {{arg, std::nullopt}};
        }
        return {{arg.substr(0, equals), arg.substr(equals + 1)}};
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> words;
    for (std::size_t at = 1; at < arg.size(); ++at) {
        std::string name = {'-', arg[at]};
        if (takesValue(name) && at + 1 < arg.size()) {
            words.emplace_back(std::move(name), arg.substr(at + 1));
            break;
        }
        words.emplace_back(std::move(name), std::nullopt);
    }
    return words;
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
    for (const NamedValue<ResizeMode>& flag : kModeFlags) {
        if (arg == flag.name) {
            if (inlineValue) {
                return parser.fail("option " + arg + " takes no value");
            }
            result.mode = flag.value;
            result.modeGiven = true;
            return true;
        }
    }
    for (const NamedValue<BatchArguments::Verbosity>& flag : kVerbosityFlags) {
        if (arg == flag.name) {
            if (inlineValue) {
                return parser.fail("option " + arg + " takes no value");
            }
            result.verbosity = flag.value;
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

// The short form that gives a two-value mode both of its values at once.
std::string_view boxOptionOf(ResizeMode mode) {
    switch (mode) {
    case ResizeMode::WidthHeight:
        return "--exact WxH";
    case ResizeMode::Percentage:
        return "--percent P";
    default:
        return "--fit WxH";
    }
}

// Without --mode, one size alone keeps the proportions and two fit into the box. A mode asked
// for by name gets the values it needs from the command line, or from the window's remembered
// ones with --settings; never from a stored value nobody sees.
bool resolveSize(BatchArguments& result, const BatchDefaults& defaults, std::string& error) {
    const bool width = result.width.has_value();
    const bool height = result.height.has_value();
    if (!result.modeGiven) {
        if (width != height) {
            result.mode = width ? ResizeMode::Width : ResizeMode::Height;
        } else if (width && !defaults.sizesRemembered) {
            result.mode = ResizeMode::Fit;
        }
        return true;
    }
    const std::string mode = "mode " + modeNameOf(result.mode);
    switch (result.mode) {
    case ResizeMode::WidthHeight:
    case ResizeMode::Fit:
    case ResizeMode::Percentage:
        if (width != height) {
            error = mode + " needs both --width and --height: " + (width ? "--height" : "--width") +
                    " is missing";
            return false;
        }
        if (!width && !defaults.sizesRemembered) {
            error = mode + " needs --width and --height, both missing (or use " +
                    std::string(boxOptionOf(result.mode)) + ")";
            return false;
        }
        return true;
    case ResizeMode::Width:
    case ResizeMode::Height: {
        const bool wantsWidth = result.mode == ResizeMode::Width;
        if ((wantsWidth ? width : height) || defaults.sizesRemembered) {
            return true;
        }
        error = mode + " needs " + (wantsWidth ? "--width" : "--height") + ", which is missing";
        return false;
    }
    case ResizeMode::Desktop:
    case ResizeMode::DesktopKeepProportions:
        return true;
    }
    return true;
}

// What a run needs whichever options were given.
bool checkComplete(BatchArguments& result, const BatchDefaults& defaults, std::string& error) {
    if (!resolveSize(result, defaults, error)) {
        return false;
    }
    if (result.keepFolders && !result.recursive) {
        result.warnings.push_back("--keep-folders changes nothing without -r: only the given "
                                  "folders themselves are searched");
    }
    if (result.paths.empty()) {
        error = "no files or folders given (see --help)";
        return false;
    }
    if (trim(result.destination).empty()) {
        error = "no destination folder: give one with --dest FOLDER";
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
        for (const auto& [name, inlineValue] : optionWords(arg)) {
            if (name == "-h" || name == "--help") {
                result.action = BatchArguments::Action::Help;
                return result;
            }
            if (name == "--settings") {
                if (inlineValue) {
                    static_cast<void>(parser.fail("option --settings takes no value"));
                    return std::nullopt;
                }
                continue; // it chose the defaults before parsing began (wantsSettings)
            }
            if (name == "--version") {
                result.action = BatchArguments::Action::Version;
                return result;
            }
            if (!applyOption(name, inlineValue, result, parser)) {
                return std::nullopt;
            }
        }
    }
    if (!checkComplete(result, defaults, error)) {
        return std::nullopt;
    }
    return result;
}

std::string modeNameOf(ResizeMode mode) {
    const auto entry = std::find_if(std::begin(kModeNames), std::end(kModeNames),
                                    [&](const auto& named) { return named.value == mode; });
    return std::string(entry->name);
}

std::string formatNameOf(OutputFormat format) {
    const auto entry = std::find_if(std::begin(kFormatNames), std::end(kFormatNames),
                                    [&](const auto& named) { return named.value == format; });
    return std::string(entry->name);
}

bool isDesktopMode(ResizeMode mode) {
    return mode == ResizeMode::Desktop || mode == ResizeMode::DesktopKeepProportions;
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

Resizes BMP, JPEG, PNG and TIFF files, and those in the folders given, into
FOLDER (made when missing). Defaults: the original size, never enlarged; JPEG
quality 90; metadata, profile, dates and existing files kept; no subfolders.

Size    -s, --fit WxH   --exact WxH   --percent P[xQ]   --enlarge, --no-enlarge
        --width W, --height H (one keeps the proportions, both fit the box)
        --desktop, --desktop-fit: the monitor's size, or --desktop-size WxH
        --mode width-height|width|height|fit|percentage|desktop|desktop-fit (or
        0 to 6) with the --width and --height it uses
Output  -d, --dest FOLDER   -f, --format original|jpg|png|tif|bmp
        --strip or --no-copy-metadata (no EXIF, XMP, IPTC, comments; the colour
        profile stays, BMP becomes sRGB), --copy-metadata   --strip-gps (no GPS)
        -Q, --quality N   --overwrite, --no-overwrite   --[no-]keep-dates
Input   -r, --recursive, --no-recursive   --keep-folders (with -r: mirror the
        tree of each folder under FOLDER instead of putting all results in it)
Report  -n, --dry-run   -q, --quiet   -v, --verbose   --json (one object per
        image on stdout: source, result, size, bytes, status, reason)
Other   --settings (start from the window's config.dat, never written)
        --language NAME   --jobs N (default: the cores)   -h, --help   --version
Ctrl+C stops after the images in progress. Exit status: 0 all written, 1 some
skipped or left out, 2 bad arguments or no image found, 130 stopped by Ctrl+C.
)";
}

} // namespace scalora
