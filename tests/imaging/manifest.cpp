#include "imaging/manifest.h"

#include "base/strings.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace scalora::test {
namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(
            line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

double number(const std::string& field, double none) {
    return field == "-" || field.empty() ? none : std::strtod(field.c_str(), nullptr);
}

} // namespace

std::vector<ManifestRow> readManifest(const std::filesystem::path& file) {
    std::vector<ManifestRow> rows;
    std::ifstream in(file);
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (header) {
            header = false;
            continue;
        }
        const std::vector<std::string> f = splitTabs(line);
        if (f.size() < 12) {
            continue;
        }
        ManifestRow row;
        row.path = f[0];
        row.format = f[1];
        row.expect = f[2];
        row.width = static_cast<int>(number(f[3], -1));
        row.height = static_cast<int>(number(f[4], -1));
        row.hasAlpha = static_cast<int>(number(f[5], -1));
        row.dpiX = number(f[6], -1);
        row.dpiY = number(f[7], -1);
        row.orientation = static_cast<int>(number(f[8], 1));
        row.reference = f[10] == "-" ? std::string() : f[10];
        row.note = f[11];
        rows.push_back(std::move(row));
    }
    return rows;
}

double ImageDifference::worstMean() const {
    return *std::max_element(std::begin(meanAbsDiff), std::end(meanAbsDiff));
}

namespace {

std::uint32_t premultiply(std::uint32_t p) {
    const std::uint32_t a = p >> 24;
    std::uint32_t out = p & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        out |= (((p >> shift) & 0xFF) * a + 127) / 255 << shift;
    }
    return out;
}

} // namespace

ImageDifference compareImages(const PixelImage& actual, const PixelImage& expected,
                              const CompareOptions& options) {
    ImageDifference d;
    d.sameSize = !actual.isNull() && actual.size() == expected.size();
    if (!d.sameSize) {
        return d;
    }
    double sums[4] = {0, 0, 0, 0};
    for (std::int32_t y = 0; y < actual.height(); ++y) {
        for (std::int32_t x = 0; x < actual.width(); ++x) {
            std::uint32_t a = actual.pixel(x, y);
            std::uint32_t e = expected.pixel(x, y);
            if (options.ignoreAlpha) {
                a |= 0xFF000000u;
                e |= 0xFF000000u;
            } else if (options.premultiplied) {
                a = premultiply(a);
                e = premultiply(e);
            }
            const bool bothClear = (a >> 24) == 0 && (e >> 24) == 0;
            for (int c = 0; c < 4; ++c) {
                if (bothClear && c < 3) {
                    continue;
                }
                const int diff = std::abs(static_cast<int>((a >> (8 * c)) & 0xFF) -
                                          static_cast<int>((e >> (8 * c)) & 0xFF));
                d.maxChannelDiff = std::max(d.maxChannelDiff, diff);
                sums[c] += diff;
            }
        }
    }
    const double count = static_cast<double>(actual.width()) * actual.height();
    for (int c = 0; c < 4; ++c) {
        d.meanAbsDiff[c] = sums[c] / count;
    }
    return d;
}

} // namespace scalora::test
