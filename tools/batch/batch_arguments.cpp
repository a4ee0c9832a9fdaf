#include "tools/batch/batch_arguments.h"

#include "base/strings.h"

#include <algorithm>

namespace scalora {
namespace {

struct NamedValue {
    const char* name;
    std::int32_t value;
};

constexpr NamedValue kModeNames[] = {
    {"width-height", 0}, {"width", 1},   {"height", 2},      {"fit", 3},          {"percentage", 4},
    {"percent", 4},      {"desktop", 5}, {"desktop-fit", 6}, {"desktop-keep", 6},
};

constexpr NamedValue kFormatNames[] = {
    {"original", 0}, {"as-original", 0}, {"jpg", 1},  {"jpeg", 1},
    {"png", 2},      {"tif", 3},         {"tiff", 3}, {"bmp", 4},
};

// Width and height a run accepts; larger values are reduced to this, as in the window.
constexpr std::int64_t kMaxSizeValue = 10000;

std::optional<std::int32_t> lookup(const std::string& text, const NamedValue* table,
                                   std::size_t count, std::int32_t maxIndex) {
    const std::string lower = toLower(trim(text));
    for (std::size_t i = 0; i < count; ++i) {
        if (lower == table[i].name) {
            return table[i].value;
        }
    }
    std::int64_t index = 0;
    if (parseInt(lower, index) && index >= 0 && index <= maxIndex) {
        return static_cast<std::int32_t>(index);
    }
    return std::nullopt;
}

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
            error_ = "option " + option + " needs a value";
            return false;
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

bool parseSize(const std::string& option, const std::string& text, std::int32_t& out,
               std::vector<std::string>& warnings, std::string& error) {
    std::int64_t value = 0;
    if (!parseInt(text, value)) {
        error = option + " must be a whole number, not '" + text + "'";
        return false;
    }
    if (value < 1) {
        error = option + " must be at least 1 (got " + trim(text) + ")";
        return false;
    }
    if (value > kMaxSizeValue) {
        warnings.push_back(option + " " + trim(text) + " is above the largest value; using 10000");
        value = kMaxSizeValue;
    }
    out = static_cast<std::int32_t>(value);
    return true;
}

bool parseDesktopSize(const std::string& text, Size& out) {
    const std::vector<std::string> parts = split(toLower(trim(text)), "x");
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (parts.size() != 2 || !parseInt(parts[0], width) || !parseInt(parts[1], height) ||
        width < 1 || height < 1 || width > kMaxSizeValue * 10 || height > kMaxSizeValue * 10) {
        return false;
    }
    out = {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    return true;
}

} // namespace

std::optional<std::int32_t> modeFromText(const std::string& text) {
    return lookup(text, kModeNames, std::size(kModeNames), 6);
}

std::optional<std::int32_t> formatFromText(const std::string& text) {
    return lookup(text, kFormatNames, std::size(kFormatNames), 4);
}

std::optional<BatchArguments> parseBatchArguments(const std::vector<std::string>& args,
                                                  const BatchDefaults& defaults,
                                                  std::string& error) {
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
        const auto flag = [&](bool& field, bool value) {
            if (inlineValue) {
                return parser.fail("option " + arg + " takes no value");
            }
            field = value;
            return true;
        };
        std::string text;
        bool ok = true;
        if (arg == "-h" || arg == "--help") {
            result.action = BatchArguments::Action::Help;
            return result;
        } else if (arg == "--version") {
            result.action = BatchArguments::Action::Version;
            return result;
        } else if (arg == "--mode") {
            ok = parser.value(arg, inlineValue, text);
            if (ok) {
                const std::optional<std::int32_t> mode = modeFromText(text);
                ok = mode ? (result.mode = *mode, true)
                          : parser.fail("unknown mode '" + text +
                                        "' (use width-height, width, height, fit, percentage, "
                                        "desktop, desktop-fit or 0 to 6)");
            }
        } else if (arg == "--width" || arg == "--height") {
            ok = parser.value(arg, inlineValue, text);
            std::int32_t value = 0;
            ok = ok && parseSize(arg, text, value, result.warnings, error);
            if (ok) {
                (arg == "--width" ? result.width : result.height) = value;
            }
        } else if (arg == "--format") {
            ok = parser.value(arg, inlineValue, text);
            if (ok) {
                const std::optional<std::int32_t> format = formatFromText(text);
                ok = format ? (result.format = *format, true)
                            : parser.fail("unknown format '" + text +
                                          "' (use original, jpg, png, tif or bmp)");
            }
        } else if (arg == "--dest" || arg == "-d") {
            ok = parser.value(arg, inlineValue, text);
            if (ok && trim(text).empty()) {
                ok = parser.fail("option " + arg + " needs a folder");
            }
            result.destination = text;
        } else if (arg == "--quality") {
            ok = parser.value(arg, inlineValue, text);
            std::int64_t quality = 0;
            if (ok && (!parseInt(text, quality) || quality < 1 || quality > 100)) {
                ok = parser.fail("--quality must be a whole number from 1 to 100, not '" + text +
                                 "'");
            }
            result.jpegQuality = static_cast<std::int32_t>(quality);
        } else if (arg == "--language") {
            ok = parser.value(arg, inlineValue, text);
            if (ok && (trim(text).empty() || text.find('/') != std::string::npos)) {
                ok = parser.fail("--language needs a language name such as english");
            }
            result.language = toLower(trim(text));
        } else if (arg == "--desktop-size") {
            ok = parser.value(arg, inlineValue, text);
            Size size;
            if (ok && !parseDesktopSize(text, size)) {
                ok = parser.fail("--desktop-size must look like 1920x1080, not '" + text + "'");
            }
            result.desktopSize = size;
        } else if (arg == "--copy-metadata") {
            ok = flag(result.copyMetadata, true);
        } else if (arg == "--no-copy-metadata") {
            ok = flag(result.copyMetadata, false);
        } else if (arg == "--no-enlarge") {
            ok = flag(result.doNotEnlarge, true);
        } else if (arg == "--enlarge") {
            ok = flag(result.doNotEnlarge, false);
        } else if (arg == "--keep-dates") {
            ok = flag(result.keepDates, true);
        } else if (arg == "--no-keep-dates") {
            ok = flag(result.keepDates, false);
        } else if (arg == "--overwrite") {
            ok = flag(result.allowRewrite, true);
        } else if (arg == "--no-overwrite") {
            ok = flag(result.allowRewrite, false);
        } else if (arg == "--recursive" || arg == "-r") {
            ok = flag(result.recursive, true);
        } else if (arg == "--no-recursive") {
            ok = flag(result.recursive, false);
        } else {
            ok = parser.fail("unknown option " + arg + " (see --help)");
        }
        if (!ok) {
            return std::nullopt;
        }
    }

    if (result.paths.empty()) {
        error = "no files or folders given (see --help)";
        return std::nullopt;
    }
    if (trim(result.destination).empty()) {
        error = "no destination folder: give one with --dest FOLDER";
        return std::nullopt;
    }
    if ((result.mode == 5 || result.mode == 6) && !result.desktopSize) {
        error = "the desktop modes need the monitor size: add --desktop-size WIDTHxHEIGHT";
        return std::nullopt;
    }
    return result;
}

std::string widthTextOf(const BatchArguments& arguments, const BatchDefaults& defaults) {
    return intToString(arguments.width.value_or(defaults.widthForMode[arguments.mode]));
}

std::string heightTextOf(const BatchArguments& arguments, const BatchDefaults& defaults) {
    return intToString(arguments.height.value_or(defaults.heightForMode[arguments.mode]));
}

std::string batchUsage() {
    return R"(Usage: scalora-batch [options] PATH...

Resizes image files (BMP, JPEG, PNG, TIFF) and the images in folders into a destination
folder, the way Halvorn Scalora's Resize command does. Defaults come from the program's
settings (config.dat) when they exist; the settings are never changed.

Options:
  --mode MODE            width-height, width, height, fit, percentage, desktop,
                         desktop-fit (or 0 to 6)
  --width N              width in pixels, or percent in percentage mode (1 to 10000)
  --height N             height in pixels, or percent in percentage mode (1 to 10000)
  --format FORMAT        original, jpg, png, tif or bmp
  -d, --dest FOLDER      destination folder (must exist)
  --quality N            JPEG quality, 1 to 100
  --copy-metadata        copy EXIF, ICC and XMP when writing JPEG from JPEG
  --no-copy-metadata
  --no-enlarge           keep images that are already smaller than the target
  --enlarge
  --keep-dates           give results the dates of their sources
  --no-keep-dates
  --overwrite            replace existing files in the destination
  --no-overwrite
  -r, --recursive        search subfolders of given folders
  --no-recursive
  --language NAME        language of messages (for example english)
  --desktop-size WxH     monitor size for the desktop modes
  -h, --help             show this help
  --version              show the version

Ctrl+C stops after the image in progress.
Exit status: 0 all images written, 1 some skipped or the run refused, 2 bad arguments.
)";
}

} // namespace scalora
