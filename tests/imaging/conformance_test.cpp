// Every file of the shared conformance corpus: "ok" files decode and match their reference
// decodes, "fail" files are refused, "either" files do whatever they do without crashing. The
// probe must agree with the decoder and the manifest on size, resolution, orientation and alpha.

#include "imaging/flavours.h"
#include "imaging/image_decoder.h"
#include "imaging/image_probe.h"
#include "imaging/manifest.h"
#include "imaging/orientation.h"
#include "support/test_support.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <tiffio.h>

namespace scalora {
namespace {

using test::ManifestRow;

struct Tally {
    int okRows = 0, okPassed = 0, okDeviating = 0; // passed only by a listed deviation
    int failRows = 0, failRefused = 0;
    int eitherRows = 0, eitherDecoded = 0;

    // One row's outcome: for "ok" rows `good` is passing, for the others decoding.
    void add(const std::string& expect, bool good, bool deviating) {
        if (expect == "ok") {
            ++okRows;
            okPassed += good && !deviating ? 1 : 0;
            okDeviating += good && deviating ? 1 : 0;
        } else if (expect == "fail") {
            ++failRows;
            failRefused += good ? 0 : 1;
        } else {
            ++eitherRows;
            eitherDecoded += good ? 1 : 0;
        }
    }
};

void printTallies(const std::map<std::string, Tally>& tallies) {
    for (const auto& [name, t] : tallies) {
        std::printf("%-30s ok %3d/%-3d (+%d by a listed deviation)  fail refused %2d/%-2d  either "
                    "decoded %2d/%d\n",
                    name.c_str(), t.okPassed, t.okRows, t.okDeviating, t.failRefused, t.failRows,
                    t.eitherDecoded, t.eitherRows);
    }
}

int quietTiff(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

// What the comparison needs to know about a TIFF, read with libtiff itself.
struct TiffTraits {
    int bits = 8;
    bool associatedAlpha = false;
    bool cmyk = false;
    bool hasPhysicalResolution = false; // resolution tags with a unit
};

TiffTraits tiffTraits(const std::filesystem::path& file) {
    TiffTraits traits;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, quietTiff, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quietTiff, nullptr);
    TIFF* tif = TIFFOpenExt(file.c_str(), "r", options);
    TIFFOpenOptionsFree(options);
    if (tif == nullptr) {
        return traits;
    }
    std::uint16_t bits = 8;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    traits.bits = bits;
    std::uint16_t count = 0;
    std::uint16_t* extra = nullptr;
    traits.associatedAlpha = TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &extra) && count > 0 &&
                             extra[0] == EXTRASAMPLE_ASSOCALPHA;
    std::uint16_t photometric = 0;
    traits.cmyk = TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) &&
                  photometric == PHOTOMETRIC_SEPARATED;
    float resolution = 0;
    std::uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    traits.hasPhysicalResolution =
        TIFFGetField(tif, TIFFTAG_XRESOLUTION, &resolution) && unit != RESUNIT_NONE;
    TIFFClose(tif);
    return traits;
}

// Whether the samples of a lossless file were wider than 8 bits (then +-1 is allowed: the
// reference may have rounded where we take the high byte).
bool hasWideSamples(const std::filesystem::path& file, const std::string& format) {
    if (format == "png") {
        const std::string bytes = test::readFile(file);
        return bytes.size() > 24 && static_cast<unsigned char>(bytes[24]) == 16;
    }
    return format == "tiff" && tiffTraits(file).bits > 8;
}

// Rows whose manifest entry does not describe the file as stored, with the reason. Everything
// else about these rows is still checked.
const std::map<std::string, std::string>& knownDeviations() {
    static const std::map<std::string, std::string> deviations = {
        {"bmp/bmpsuite/g/rgb32bf.bmp",
         "dpi: the file stores 2835 pixels per metre; the manifest's decoder did not report it"},
        {"jpeg/pillow/jfif_unit_cm.jpg",
         "dpi: the JFIF density is 1 x 2 dots per cm; the manifest shows its decoder's default"},
        {"gif/pillow/issue_2811.gif",
         "decode: LZW minimum code size 11 is beyond the format's 8, and giflib refuses it"},
        {"corrupt/libpng/crashers/empty_ancillary_chunks.png",
         "refusal: only ancillary chunks are empty; the image data are intact and decode"},
    };
    return deviations;
}

bool deviates(const ManifestRow& row, std::string_view what) {
    const auto it = knownDeviations().find(row.path);
    return it != knownDeviations().end() && it->second.starts_with(what);
}

// The resolution the manifest promises as we report it: 0 where it shows a decoder's default
// rather than a stored value (TIFF without resolution or unit shows 1, a JPEG with an EXIF block
// but no usable density shows 72), or a value no device has.
bool dpiMatches(const ManifestRow& row, const std::filesystem::path& file, double x, double y) {
    if (deviates(row, "dpi")) {
        return true;
    }
    double mx = row.dpiX;
    double my = row.dpiY;
    if (row.format == "tiff" && !tiffTraits(file).hasPhysicalResolution) {
        mx = my = -1;
    }
    if (row.format == "jpeg" && mx == 72 && my == 72 && x == 0 && y == 0) {
        return true;
    }
    if (mx > 100000 || my > 100000) {
        mx = my = -1;
    }
    const auto near = [](double actual, double expected) {
        return expected < 0 ? actual == 0 : std::fabs(actual - expected) <= 0.01 + expected * 1e-4;
    };
    return near(x, mx) && near(y, my);
}

bool lossy(const ManifestRow& row) {
    return row.format == "jpeg" || row.note.find("compression jpeg") != std::string::npos ||
           row.note.find("compression ojpeg") != std::string::npos;
}

// Checks one "ok" row; returns an empty string when it passes, else what went wrong.
std::string checkOkRow(const ManifestRow& row, const std::filesystem::path& root) {
    const std::string path = (root / row.path).string();
    PixelImage stored;
    DecodeOptions asStored;
    asStored.applyOrientation = false;
    DecodeInfo info;
    if (!decodeImageFile(path, asStored, stored, nullptr, &info)) {
        return deviates(row, "decode") ? "" : "did not decode";
    }
    if (row.width > 0 && (stored.width() != row.width || stored.height() != row.height)) {
        return "size " + std::to_string(stored.width()) + "x" + std::to_string(stored.height());
    }
    if (row.hasAlpha >= 0 && (stored.alphaKind() != AlphaKind::None) != (row.hasAlpha == 1)) {
        return "alpha kind differs";
    }
    if (!dpiMatches(row, root / row.path, stored.dpiX(), stored.dpiY())) {
        return "dpi " + std::to_string(stored.dpiX()) + " x " + std::to_string(stored.dpiY());
    }
    const bool orientationKnown = row.format == "jpeg" || row.format == "tiff";
    if (orientationKnown && info.orientation != row.orientation) {
        return "orientation " + std::to_string(info.orientation);
    }
    ImageProbe probe;
    if (!probeImageFile(path, probe)) {
        return "probe failed";
    }
    const int orientation = orientationKnown ? row.orientation : 1;
    if (probe.storedSize != stored.size() ||
        probe.displaySize != orientedSize(stored.size(), orientation) ||
        probe.orientation != orientation ||
        probe.hasAlpha != (stored.alphaKind() != AlphaKind::None)) {
        return "probe disagrees with the decoder";
    }
    if (row.reference.empty() || row.disputed()) {
        return {};
    }
    PixelImage reference;
    if (!decodeImageFile((root / row.reference).string(), asStored, reference)) {
        return "reference did not decode";
    }
    if (reference.size() != stored.size() && row.width > 0 &&
        reference.size() != Size{row.width, row.height}) {
        // The reference holds another geometry than the manifest's (a GIF frame rather than
        // its logical screen); the size was checked against the manifest above.
        return {};
    }
    // Files that declare no alpha are compared on colour alone (some references carry an
    // undeclared extra sample as alpha). Associated alpha is compared premultiplied: its
    // colour under faint alpha depends on each decoder's precision. Naive CMYK conversion
    // rounds differently from one decoder to the next.
    test::CompareOptions compare;
    compare.ignoreAlpha = row.hasAlpha == 0;
    int allowed = hasWideSamples(root / row.path, row.format) ? 1 : 0;
    if (row.format == "tiff") {
        const TiffTraits traits = tiffTraits(root / row.path);
        compare.premultiplied = traits.associatedAlpha;
        if (traits.associatedAlpha || traits.cmyk) {
            allowed = 1;
        }
    }
    const test::ImageDifference diff = test::compareImages(stored, reference, compare);
    if (!diff.sameSize) {
        return "reference size differs";
    }
    if (lossy(row)) {
        if (diff.worstMean() > 2.0) {
            return "mean difference " + std::to_string(diff.worstMean());
        }
    } else if (diff.maxChannelDiff > allowed) {
        return "max difference " + std::to_string(diff.maxChannelDiff);
    }
    if (orientation != 1) {
        // Turned as displayed, the decode must equal the reference turned by hand.
        PixelImage displayed;
        if (!decodeImageFile(path, DecodeOptions{}, displayed)) {
            return "oriented decode failed";
        }
        const PixelImage turned = orientedImage(reference, orientation);
        const test::ImageDifference d2 = test::compareImages(displayed, turned, compare);
        if (!d2.sameSize || (lossy(row) ? d2.worstMean() > 2.0 : d2.maxChannelDiff > allowed)) {
            return "oriented decode differs from the turned reference";
        }
    }
    return {};
}

TEST(ImagingConformance, ManifestRowsDecodeAsExpected) {
    SCALORA_REQUIRE_SHARED();
    const std::filesystem::path root = test::sharedDir() / "testimages";
    const std::vector<ManifestRow> rows = test::readManifest(root / "manifest.tsv");
    ASSERT_GT(rows.size(), 500u);
    std::map<std::string, Tally> tallies;
    std::map<std::string, Tally> flavours;
    for (const ManifestRow& row : rows) {
        const std::string path = (root / row.path).string();
        bool good = false;
        if (row.expect == "ok") {
            const std::string problem = checkOkRow(row, root);
            EXPECT_TRUE(problem.empty()) << row.path << ": " << problem;
            good = problem.empty();
        } else {
            PixelImage image;
            good = decodeImageFile(path, DecodeOptions{}, image);
            ImageProbe probe;
            static_cast<void>(probeImageFile(path, probe)); // must not crash either
            EXPECT_TRUE(row.expect != "fail" || !good || deviates(row, "refusal"))
                << row.path << " should be refused";
        }
        const bool deviating = knownDeviations().contains(row.path);
        tallies[row.format].add(row.expect, good, deviating);
        for (const std::string& flavour : test::fileFlavours(root / row.path, row.format)) {
            flavours[flavour].add(row.expect, good, deviating);
        }
    }
    printTallies(tallies);
    printTallies(flavours);
}

} // namespace
} // namespace scalora
