#include "tools/batch/batch_progress.h"

#include "base/paths.h"
#include "base/strings.h"
#include "data/translate.h"

#include <algorithm>
#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

namespace scalora {
namespace {

// Columns the bar itself takes; the rest of the line is for counts, name and rate.
constexpr int kBarColumns = 24;
// Used when the terminal does not report its width.
constexpr int kDefaultColumns = 80;

// Cuts UTF-8 text to at most columns code points, marking the cut at the front so the end of
// a long name stays visible.
std::string fitText(const std::string& text, int columns) {
    const std::u32string wide = utf8ToUtf32(text);
    if (columns <= 0) {
        return {};
    }
    if (static_cast<int>(wide.size()) <= columns) {
        return text;
    }
    return "…" + utf32ToUtf8(wide.substr(wide.size() - static_cast<std::size_t>(columns - 1)));
}

} // namespace

std::string formatElapsed(std::int64_t milliseconds) {
    const std::int64_t seconds = std::max<std::int64_t>(milliseconds, 0) / 1000;
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(
            text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
            static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    }
    return text;
}

std::string progressLine(const BatchStatus& status, std::int32_t total, const std::string& name,
                         int width) {
    const std::int32_t done = status.processedCount + status.skippedCount;
    const int filled = total > 0 ? static_cast<int>(std::int64_t{done} * kBarColumns / total) : 0;
    std::string line = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarColumns - filled), '-') + "] ";
    line += intToString(std::max(status.currentIndex, 1)) + "/" + intToString(total);
    line += "  " + formatElapsed(status.elapsedMilliseconds);
    if (status.elapsedMilliseconds > 0 && done > 0) {
        char rate[32];
        std::snprintf(rate, sizeof rate, "  %.1f img/s",
                      done * 1000.0 / static_cast<double>(status.elapsedMilliseconds));
        line += rate;
    }
    const int used = static_cast<int>(utf8ToUtf32(line).size());
    if (!name.empty() && width - used > 3) {
        line += "  " + fitText(name, width - used - 2);
    }
    return line;
}

std::string skipReason(const ImageItem& item) {
    if (!item.message.empty()) {
        return item.message;
    }
    return translate("Unknown error", "MainWindow/ResizeStatus");
}

ProgressDisplay::ProgressDisplay(std::FILE* stream, bool bar, const std::vector<ImageItem>& items,
                                 Finished finished)
    : stream_(stream), bar_(bar), items_(items), finished_(std::move(finished)),
      total_(static_cast<std::int32_t>(items.size())) {}

int ProgressDisplay::terminalWidth() const {
    winsize size{};
    if (::ioctl(::fileno(stream_), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return kDefaultColumns;
}

void ProgressDisplay::update(const BatchStatus& status) {
    // The status block only holds the latest step, so images finished since the last update
    // are caught up from the list.
    const std::int32_t finished = std::min(
        status.lastResult == ItemResult::Started ? status.currentIndex - 1 : status.currentIndex,
        total_);
    if (finished > lastReported_) {
        finish();
        for (std::int32_t index = lastReported_ + 1; index <= finished; ++index) {
            finished_(index, items_[static_cast<std::size_t>(index - 1)]);
        }
        lastReported_ = finished;
        std::fflush(stream_);
    }
    if (bar_) {
        const ImageItem* item = status.currentItem;
        const int width = terminalWidth() - 1; // never touch the last column: no wrap
        const std::string name = item != nullptr ? fileName(item->path) : std::string();
        std::fprintf(stream_, "\r\033[K%s", progressLine(status, total_, name, width).c_str());
        std::fflush(stream_);
        barShown_ = true;
    }
}

void ProgressDisplay::finish() {
    if (barShown_) {
        std::fputs("\r\033[K", stream_);
        std::fflush(stream_);
        barShown_ = false;
    }
}

void ProgressDisplay::note(const std::string& line) {
    finish();
    std::fprintf(stream_, "%s\n", line.c_str());
    std::fflush(stream_);
}

} // namespace scalora
