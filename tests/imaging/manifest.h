// The conformance corpus's manifest (shared testimages/manifest.tsv) as rows, and reference
// comparison helpers for the imaging tests.
#pragma once

#include "imaging/pixel_image.h"

#include <filesystem>
#include <string>
#include <vector>

namespace scalora::test {

struct ManifestRow {
    std::string path;
    std::string format; // bmp, png, jpeg, tiff, gif, unknown
    std::string expect; // ok, fail, either
    int width = -1;     // -1 when unknown
    int height = -1;
    int hasAlpha = -1;
    double dpiX = -1; // -1 when the file carries none
    double dpiY = -1;
    int orientation = 1;
    std::string reference; // empty when none
    std::string note;
    bool disputed() const { return note.find("ref-disputed") != std::string::npos; }
};

std::vector<ManifestRow> readManifest(const std::filesystem::path& file);

struct ImageDifference {
    bool sameSize = false;
    int maxChannelDiff = 0; // over all channels, colour ignored where both alphas are 0
    double meanAbsDiff[4] = {0, 0, 0, 0}; // B, G, R, A
    double worstMean() const;
};

struct CompareOptions {
    bool ignoreAlpha = false;   // compare colour only, as if both were opaque
    bool premultiplied = false; // compare colour multiplied by alpha
};

ImageDifference compareImages(const PixelImage& actual, const PixelImage& expected,
                              const CompareOptions& options = {});

} // namespace scalora::test
