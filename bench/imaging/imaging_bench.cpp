// The imaging benchmark: decode, resample and encode timed separately and together on the photo
// corpus, the resampler's kernels on a synthetic 12 MP picture, the peak memory of one large
// resize (measured in a child process of its own), the filter comparison behind the default
// filter, and the quality cost of shrink-on-load margins.
//
// Usage: imaging_bench [--corpus DIR] [--section NAME]...   (bench/imaging/run builds and runs it)
// Sections: kernels, corpus, memory, filters, shrink (all when none is named).

#include "base/paths.h"
#include "bench_support.h"
#include "engine/geometry.h"
#include "engine/resize_image_file.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "imaging/image_probe.h"
#include "imaging/resample.h"
#include "imaging/resample_decode.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace scalora::bench {
namespace {

namespace fs = std::filesystem;

// The box every corpus photo is fitted into: the size of a typical web or mail copy.
constexpr Size kFitBox{1280, 1280};
constexpr int kJpegQuality = 90;

std::vector<fs::path> corpusFiles(const fs::path& corpus, const char* folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(corpus / folder, ec)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct Timing {
    double wall = 1e300;
    double cpu = 1e300; // of all threads
};

// Best of `runs`: the machine is shared, the minimum is the least disturbed run.
template <typename F> Timing bestOf(int runs, F&& f) {
    Timing best;
    for (int i = 0; i < runs; ++i) {
        Timer timer;
        f();
        best.cpu = std::min(best.cpu, timer.cpuSeconds());
        best.wall = std::min(best.wall, timer.seconds());
    }
    return best;
}

void kernelsSection() {
    std::printf("\n== resampler kernels: synthetic 4000 x 3000 (12 MP), best of 3, CPU time, "
                "one thread\n");
    std::printf("%-32s %8s %10s\n", "case", "ms", "MP/s src");
    PixelImage source = syntheticPhoto(4000, 3000);
    const double mp = megapixels(source);
    struct Variant {
        const char* name;
        ResampleOptions options;
        AlphaKind alpha;
    };
    constexpr auto kLanczos = ResampleFilter::Lanczos3;
    constexpr auto kReplace = ResampleBlend::Replace;
    const Variant variants[] = {
        {"lanczos3 fastest", {kLanczos, kReplace, ResampleKernels::Fastest}, AlphaKind::None},
        {"lanczos3 sse2", {kLanczos, kReplace, ResampleKernels::Sse2}, AlphaKind::None},
        {"lanczos3 plain", {kLanczos, kReplace, ResampleKernels::Plain}, AlphaKind::None},
        {"catmull-rom fastest",
         {ResampleFilter::CatmullRom, kReplace, ResampleKernels::Fastest},
         AlphaKind::None},
        {"lanczos3 alpha", {kLanczos, kReplace, ResampleKernels::Fastest}, AlphaKind::Straight},
    };
    for (const Variant& v : variants) {
        source.setAlphaKind(v.alpha);
        const ResampleOptions options = v.options;
        for (const int k : {2, 3, 4}) {
            const Size target{4000 / k, 3000 / k};
            const Timing t = bestOf(3, [&] { resampled(source, target, options); });
            const double s = t.cpu;
            char name[64];
            std::snprintf(name, sizeof name, "%s 1/%d", v.name, k);
            std::printf("%-32s %8.1f %10.0f\n", name, s * 1e3, mp / s);
        }
    }
}

struct StageTotals {
    double sourceMp = 0;
    double outputMp = 0;
    double decode = 0;
    double resample = 0;
    double encode = 0;
    double pipeline = 0;
    int files = 0;
};

void corpusSection(const fs::path& corpus, const fs::path& scratch) {
    std::printf("\n== corpus: decode full size, resample into %d x %d, encode JPEG q%d; "
                "pipeline = resizeImageFile (shrink-on-load, atomic write)\n",
                kFitBox.width, kFitBox.height, kJpegQuality);
    std::printf(
        "CPU milliseconds of all threads, best of 3 (the machine is shared; the resampler "
        "spreads large pictures over the cores, so on an idle machine the pipeline's elapsed "
        "time is shorter than its CPU time); 'pipe wall' is the pipeline's elapsed time; "
        "results go to %s\n",
        scratch.c_str());
    std::printf("%-40s %6s %9s %9s %9s %9s %9s %7s\n", "file", "MP", "decode", "resample", "encode",
                "pipeline", "pipe wall", "pipe/dec");
    std::map<std::string, StageTotals> totals;
    std::vector<double> twelve; // pipeline / decode of the JPEGs of 11.5 MP and more
    for (const char* folder : {"jpeg", "png", "tiff", "bmp"}) {
        for (const fs::path& file : corpusFiles(corpus, folder)) {
            const std::string path = file.string();
            ImageProbe probe;
            PixelImage full;
            if (!probeImageFile(path, probe)) {
                std::printf("%-40s probe failed\n", file.filename().c_str());
                continue;
            }
            bool decoded = false;
            const double decode =
                bestOf(3, [&] { decoded = decodeImageFile(path, DecodeOptions{}, full); }).cpu;
            if (!decoded) {
                std::printf("%-40s decode failed\n", file.filename().c_str());
                continue;
            }
            const Size target = scaledToFit(full.size(), kFitBox);
            PixelImage small;
            require(small.allocate(target.width, target.height), "allocate");
            const SourceRect all{0, 0, static_cast<double>(full.width()),
                                 static_cast<double>(full.height())};
            const double resample =
                bestOf(3, [&] {
                    resampleOnto(full, all, small, {0, 0, target.width, target.height});
                }).cpu;
            std::vector<std::uint8_t> encoded;
            EncodeOptions encodeOptions;
            encodeOptions.jpegQuality = kJpegQuality;
            const double encode =
                bestOf(3, [&] {
                    require(encodeImageToMemory(small, ImageFormat::Jpeg, encodeOptions, encoded),
                            "encodeImageToMemory");
                }).cpu;
            full.reset();

            ResizeOptions options;
            options.allowRewrite = true;
            options.jpegQuality = kJpegQuality;
            bool written = false;
            const Timing pipelineTiming = bestOf(3, [&] {
                written = resizeImageFile((scratch / "out.jpg").string(), target, options, path,
                                          probe.displaySize, target);
            });
            const double pipeline = pipelineTiming.cpu;
            const double pipelineWall = pipelineTiming.wall;

            const double mp =
                static_cast<double>(probe.displaySize.width) * probe.displaySize.height / 1e6;
            std::printf("%-40s %6.1f %9.1f %9.1f %9.1f %9.1f %9.1f %7.2f%s\n",
                        file.filename().c_str(), mp, decode * 1e3, resample * 1e3, encode * 1e3,
                        pipeline * 1e3, pipelineWall * 1e3, pipeline / decode,
                        written ? "" : "  (write failed)");
            // The 12 MP class the pipeline target speaks of (4000 x 3000 and up).
            if (std::strcmp(folder, "jpeg") == 0 && mp >= 11.5) {
                twelve.push_back(pipeline / decode);
            }
            StageTotals& t = totals[folder];
            t.sourceMp += mp;
            t.outputMp += static_cast<double>(target.width) * target.height / 1e6;
            t.decode += decode;
            t.resample += resample;
            t.encode += encode;
            t.pipeline += pipeline;
            ++t.files;
        }
    }
    std::printf("\n%-6s %5s %12s %14s %12s %14s %9s\n", "format", "files", "decode MP/s",
                "resample MP/s", "encode MP/s", "pipeline MP/s", "pipe/dec");
    for (const auto& [format, t] : totals) {
        std::printf("%-6s %5d %12.1f %14.1f %12.1f %14.1f %9.2f\n", format.c_str(), t.files,
                    t.sourceMp / t.decode, t.sourceMp / t.resample, t.outputMp / t.encode,
                    t.sourceMp / t.pipeline, t.pipeline / t.decode);
    }
    if (!twelve.empty()) {
        double sum = 0;
        for (const double r : twelve) {
            sum += r;
        }
        std::printf(
            "JPEGs of 11.5 MP and more (%zu): pipeline / full decode mean %.2f, worst %.2f\n",
            twelve.size(), sum / static_cast<double>(twelve.size()),
            *std::max_element(twelve.begin(), twelve.end()));
    }
    std::printf("(decode, resample and pipeline in source megapixels per second; encode in "
                "output megapixels per second; pipe/dec = pipeline time / full decode time)\n");
}

// Runs this program again as `--resize-once` (or `--idle`) and returns the peak memory the child
// reports for itself.
double childPeakRss(const std::vector<std::string>& args) {
    std::string command = fs::read_symlink("/proc/self/exe").string();
    for (const std::string& a : args) {
        command += " '" + a + "'";
    }
    std::FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) {
        return -1;
    }
    double peak = -1;
    if (std::fscanf(child, "%lf", &peak) != 1) {
        peak = -1;
    }
    return pclose(child) == 0 ? peak : -1;
}

void memorySection(const fs::path& corpus, const fs::path& scratch) {
    std::printf("\n== peak memory of one resize (each in a fresh child process)\n");
    fs::path largest;
    std::int64_t largestPixels = 0;
    Size largestSize;
    for (const fs::path& file : corpusFiles(corpus, "jpeg")) {
        ImageProbe probe;
        if (probeImageFile(file.string(), probe)) {
            const std::int64_t pixels =
                std::int64_t{probe.displaySize.width} * probe.displaySize.height;
            if (pixels > largestPixels) {
                largestPixels = pixels;
                largest = file;
                largestSize = probe.displaySize;
            }
        }
    }
    if (largest.empty()) {
        std::printf("no JPEG in the corpus\n");
        return;
    }
    const double decodedBytes = static_cast<double>(largestPixels) * 4;
    const double idle = childPeakRss({"--idle"});
    std::printf("file %s, %d x %d (%.1f MP), decoded size %.1f MB; the program alone: %.1f MB\n",
                largest.filename().c_str(), largestSize.width, largestSize.height,
                static_cast<double>(largestPixels) / 1e6, decodedBytes / 1e6, idle / 1e6);
    const Size fit = scaledToFit(largestSize, kFitBox);
    const Size ninety{largestSize.width * 9 / 10, largestSize.height * 9 / 10};
    for (const Size target : {fit, ninety}) {
        const double peak =
            childPeakRss({"--resize-once", largest.string(), (scratch / "memory.jpg").string(),
                          std::to_string(target.width), std::to_string(target.height)});
        std::printf("to %5d x %-5d peak %7.1f MB = %.2f x decoded size (%.2f x without the "
                    "program's own %.1f MB)\n",
                    target.width, target.height, peak / 1e6, peak / decodedBytes,
                    (peak - idle) / decodedBytes, idle / 1e6);
    }
}

std::vector<PixelImage> qualitySet(const fs::path& corpus) {
    std::vector<PixelImage> set;
    for (const fs::path& file : corpusFiles(corpus, "png")) {
        if (file.filename().string().rfind("kodim", 0) == 0) {
            PixelImage image;
            if (decodeImageFile(file.string(), DecodeOptions{}, image)) {
                set.push_back(std::move(image));
            }
        }
    }
    // A few camera photos at 1/4, where the DCT scaling leaves them sharp and clean.
    int taken = 0;
    for (const fs::path& file : corpusFiles(corpus, "jpeg")) {
        DecodeOptions options;
        options.jpegScaleEighths = 2;
        PixelImage image;
        if (taken < 4 && decodeImageFile(file.string(), options, image)) {
            set.push_back(std::move(image));
            ++taken;
        }
    }
    return set;
}

void filtersSection(const fs::path& corpus) {
    std::printf("\n== filter choice: shrink by k, enlarge back with the same filter, compare with "
                "the original (luma PSNR dB / SSIM), mean over the set\n");
    const std::vector<PixelImage> set = qualitySet(corpus);
    std::printf("%zu pictures\n%-12s %4s %9s %8s\n", set.size(), "filter", "k", "PSNR", "SSIM");
    for (const ResampleFilter filter : {ResampleFilter::Lanczos3, ResampleFilter::CatmullRom}) {
        for (const int k : {2, 3, 4}) {
            double p = 0;
            double s = 0;
            for (const PixelImage& image : set) {
                const Size small{std::max(1, image.width() / k), std::max(1, image.height() / k)};
                const PixelImage down = resampled(image, small, {filter});
                const PixelImage up = resampled(down, image.size(), {filter});
                p += psnr(image, up);
                s += ssim(image, up);
            }
            const double n = static_cast<double>(set.size());
            std::printf("%-12s %4d %9.2f %8.4f\n",
                        filter == ResampleFilter::Lanczos3 ? "lanczos3" : "catmull-rom", k, p / n,
                        s / n);
        }
    }
}

// A shrink-on-load policy: the smallest allowed M whose decode keeps `margin` x the target.
struct ShrinkPolicy {
    const char* name;
    double margin;
    std::uint32_t allowed; // bit M set: M/8 may be used
};

int scaleForPolicy(Size full, Size target, const ShrinkPolicy& policy) {
    for (int m = 1; m < 8; ++m) {
        if ((policy.allowed >> m & 1) != 0 &&
            full.width * m / 8.0 >= policy.margin * target.width &&
            full.height * m / 8.0 >= policy.margin * target.height) {
            return m;
        }
    }
    return 8;
}

void shrinkSection(const fs::path& corpus) {
    const std::vector<fs::path> files = corpusFiles(corpus, "jpeg");
    std::printf("\n== JPEG decode time by DCT scale M/8 (CPU ms, mean over %zu photos)\n",
                files.size());
    double fullTime = 0;
    for (int m = 8; m >= 1; --m) {
        double time = 0;
        for (const fs::path& file : files) {
            DecodeOptions options;
            options.jpegScaleEighths = m;
            PixelImage image;
            time += bestOf(1, [&] {
                        require(decodeImageFile(file.string(), options, image), "decodeImageFile");
                    }).cpu;
        }
        if (m == 8) {
            fullTime = time;
        }
        std::printf("M=%d  %7.1f ms  %.2f of full size\n", m,
                    time / static_cast<double>(files.size()) * 1e3, time / fullTime);
    }

    std::printf("\n== shrink-on-load policies: result from the reduced decode against the result "
                "from the full decode (SSIM), decode CPU ms\n");
    std::printf("%-9s %-26s %10s %10s %10s\n", "target", "policy", "mean SSIM", "min SSIM",
                "decode ms");
    constexpr std::uint32_t kAnyScale = 0x1FE;
    constexpr std::uint32_t kFastScales = 1u << 1 | 1u << 2 | 1u << 4; // 1/8, 1/4, 1/2
    const ShrinkPolicy policies[] = {
        {"any M, margin 2", 2.0, kAnyScale},
        {"any M, margin 1.5", 1.5, kAnyScale},
        {"any M, margin 1", 1.0, kAnyScale},
        {"M in 1,2,4, margin 2", 2.0, kFastScales},
        {"M in 1,2,4, margin 1.5", 1.5, kFastScales},
        {"M in 1,2,4, margin 1.25", 1.25, kFastScales},
    };
    for (const bool thumbnail : {false, true}) {
        for (const ShrinkPolicy& policy : policies) {
            double sum = 0;
            double worst = 1;
            double time = 0;
            int n = 0;
            for (const fs::path& file : files) {
                PixelImage full;
                if (!decodeImageFile(file.string(), DecodeOptions{}, full)) {
                    continue;
                }
                const Size fullSize = full.size();
                const Size target =
                    thumbnail ? scaledToHeight(fullSize, 48) : scaledToFit(fullSize, kFitBox);
                const PixelImage reference = resampled(full, target);
                full.reset();
                DecodeOptions options;
                options.jpegScaleEighths = scaleForPolicy(fullSize, target, policy);
                PixelImage reduced;
                const Timer timer;
                require(decodeImageFile(file.string(), options, reduced), "decodeImageFile");
                time += timer.cpuSeconds();
                PixelImage out;
                require(out.allocate(target.width, target.height), "allocate");
                const SourceRect mapped =
                    scaleSourceRect({0, 0, static_cast<double>(fullSize.width),
                                     static_cast<double>(fullSize.height)},
                                    options.jpegScaleEighths);
                resampleOnto(reduced, mapped, out, {0, 0, target.width, target.height});
                const double s = ssim(reference, out);
                sum += s;
                worst = std::min(worst, s);
                ++n;
            }
            if (n > 0) {
                std::printf("%-9s %-26s %10.4f %10.4f %10.1f\n",
                            thumbnail ? "thumb 48" : "fit 1280", policy.name, sum / n, worst,
                            time / n * 1e3);
            }
        }
    }
}

int resizeOnce(char** argv) {
    ImageProbe probe;
    if (!probeImageFile(argv[0], probe)) {
        return 1;
    }
    const Size target{std::atoi(argv[2]), std::atoi(argv[3])};
    ResizeOptions options;
    options.allowRewrite = true;
    options.jpegQuality = kJpegQuality;
    return resizeImageFile(argv[1], target, options, argv[0], probe.displaySize, target) ? 0 : 1;
}

} // namespace
} // namespace scalora::bench

int main(int argc, char** argv) {
    using namespace scalora::bench;
    if (argc >= 2 && std::strcmp(argv[1], "--idle") == 0) {
        std::printf("%.0f\n", peakRssBytes());
        return 0;
    }
    if (argc == 6 && std::strcmp(argv[1], "--resize-once") == 0) {
        const int status = resizeOnce(argv + 2);
        std::printf("%.0f\n", peakRssBytes());
        return status;
    }
    fs::path corpus = fs::path(SCALORA_SHARED_DIR) / "corpus";
    std::vector<std::string> sections;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--corpus") == 0 && i + 1 < argc) {
            corpus = argv[++i];
        } else if (std::strcmp(argv[i], "--section") == 0 && i + 1 < argc) {
            sections.emplace_back(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: %s [--corpus DIR] [--section kernels|corpus|memory|"
                         "filters|shrink]...\n",
                         argv[0]);
            return 2;
        }
    }
    const auto wanted = [&](const char* name) {
        return sections.empty() ||
               std::find(sections.begin(), sections.end(), name) != sections.end();
    };
    std::printf("%s\ncorpus: %s\n", machineLine().c_str(), corpus.c_str());
    // Results go to memory-backed storage where there is one: the atomic write syncs every file,
    // and a disk's sync time says nothing about the imaging code.
    std::error_code ec;
    const fs::path scratchBase =
        fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path scratch = scratchBase / ("scalora-bench-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    if (wanted("kernels")) {
        kernelsSection();
    }
    if (wanted("corpus")) {
        corpusSection(corpus, scratch);
    }
    if (wanted("memory")) {
        memorySection(corpus, scratch);
    }
    if (wanted("filters")) {
        filtersSection(corpus);
    }
    if (wanted("shrink")) {
        shrinkSection(corpus);
    }
    fs::remove_all(scratch, ec);
    return 0;
}
