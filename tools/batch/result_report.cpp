#include "tools/batch/result_report.h"

#include "base/strings.h"
#include "data/translate.h"
#include "engine/byte_count.h"
#include "engine/geometry.h"
#include "engine/process_item.h"
#include "platform/file_system.h"
#include "tools/batch/batch_progress.h"

#include <cstdio>

namespace scalora {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Length of the well-formed UTF-8 sequence at text[at], or 0 when it is not one (overlong
// forms, surrogates and values above U+10FFFF included).
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

std::string jsonField(std::string_view name, const std::string& value) {
    return jsonQuoted(name) + ":" + value;
}

std::string jsonTextOrNull(const std::string& text) {
    return text.empty() ? "null" : jsonQuoted(text);
}

// The size of the result the settings give a source of the item's measured size.
Size resultSize(const ImageItem& item, const BatchSettings& settings) {
    const Size target = computeTargetSize(settings.targetSizeInput({item.width, item.height}));
    return canvasSize(settings.mode, target, settings.desktopSize);
}

} // namespace

ImageOutcome outcomeOf(const ImageItem& item, const BatchSettings& settings) {
    ImageOutcome outcome;
    outcome.source = item.path;
    switch (item.status) {
    case ItemStatus::StatusOk:
        outcome.status = "written";
        outcome.result = item.resultPath;
        outcome.size = resultSize(item, settings);
        outcome.bytes = fileSize(item.resultPath);
        break;
    case ItemStatus::StatusError:
        outcome.status = "skipped";
        outcome.reason = skipReason(item);
        break;
    case ItemStatus::StatusUndefined:
        outcome.status = "not-reached";
        break;
    }
    return outcome;
}

ImageOutcome predictedOutcome(const ImageItem& item, const BatchSettings& settings) {
    ImageOutcome outcome;
    outcome.source = item.path;
    outcome.status = "would-skip";
    const std::string destination = destinationPathOf(settings, item);
    if (destination.ends_with('.')) {
        outcome.reason = "no format to write it in";
    } else if (destination == item.path || isSameFile(destination, item.path)) {
        outcome.reason = translate(kMessageWriteOnItself, "Messages");
    } else if (!settings.allowRewrite && isRegularFile(destination)) {
        outcome.reason = translate(kMessageRewriteNotAllowed, "Messages");
    } else {
        outcome.status = "would-write";
        outcome.result = destination;
        outcome.size = resultSize(item, settings);
    }
    return outcome;
}

std::string jsonQuoted(std::string_view text) {
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c >= 0x80) {
            const std::size_t length = utf8Length(text, at);
            out += length == 0 ? kReplacement : text.substr(at, length);
            at += length == 0 ? 1 : length;
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
        ++at;
    }
    return out + "\"";
}

std::string outcomeJson(const ImageOutcome& outcome) {
    const std::string size = outcome.size ? "[" + intToString(outcome.size->width) + "," +
                                                intToString(outcome.size->height) + "]"
                                          : "null";
    const std::string bytes =
        outcome.bytes ? std::to_string(static_cast<unsigned long long>(*outcome.bytes)) : "null";
    return "{" + jsonField("source", jsonQuoted(outcome.source)) + "," +
           jsonField("result", jsonTextOrNull(outcome.result)) + "," + jsonField("size", size) +
           "," + jsonField("bytes", bytes) + "," + jsonField("status", jsonQuoted(outcome.status)) +
           "," + jsonField("reason", jsonTextOrNull(outcome.reason)) + "}";
}

std::string outcomeLine(const ImageOutcome& outcome, std::int32_t index, std::int32_t total,
                        bool detailed) {
    std::string line = "[" + intToString(index) + "/" + intToString(total) + "] ";
    if (outcome.result.empty()) {
        return line + "skipped " + outcome.source + ": " + outcome.reason;
    }
    line += outcome.source + " -> " + outcome.result;
    if (detailed && outcome.size) {
        line += " (" + intToString(outcome.size->width) + "x" + intToString(outcome.size->height);
        if (outcome.bytes) {
            line += ", " + formatByteCount(*outcome.bytes);
        }
        line += ")";
    }
    return line;
}

} // namespace scalora
