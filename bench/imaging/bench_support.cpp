#include "bench_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <thread>
#include <time.h>
#include <vector>

namespace scalora::bench {

namespace {

std::vector<double> luma(const PixelImage& image) {
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            const std::uint32_t p = image.pixel(x, y);
            // Rec. 601 weights: the usual luma for SSIM on 8-bit sRGB pictures.
            out.push_back(0.299 * (p >> 16 & 0xFF) + 0.587 * (p >> 8 & 0xFF) + 0.114 * (p & 0xFF));
        }
    }
    return out;
}

} // namespace

double Timer::processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double peakRssBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) * 1024.0; // reported in kB
        }
    }
    return -1;
}

std::string machineLine() {
    std::string cpu = "unknown";
    std::ifstream info("/proc/cpuinfo");
    for (std::string line; std::getline(info, line);) {
        if (line.rfind("model name", 0) == 0) {
            cpu = line.substr(line.find(':') + 2);
            break;
        }
    }
    std::string line = "machine: " + cpu + ", " +
                       std::to_string(std::thread::hardware_concurrency()) + " cores, gcc " +
                       __VERSION__;
#if defined(NDEBUG)
    line += ", optimised build";
#else
    line += ", debug build (numbers not meaningful)";
#endif
    return line;
}

double psnr(const PixelImage& a, const PixelImage& b) {
    const std::vector<double> la = luma(a);
    const std::vector<double> lb = luma(b);
    double sum = 0;
    for (std::size_t i = 0; i < la.size(); ++i) {
        sum += (la[i] - lb[i]) * (la[i] - lb[i]);
    }
    const double mse = sum / static_cast<double>(la.size());
    return mse == 0 ? std::numeric_limits<double>::infinity()
                    : 10.0 * std::log10(255.0 * 255.0 / mse);
}

double ssim(const PixelImage& a, const PixelImage& b) {
    const std::vector<double> la = luma(a);
    const std::vector<double> lb = luma(b);
    // The constants of the SSIM paper for 8-bit data: (0.01 x 255)^2 and (0.03 x 255)^2.
    constexpr double c1 = 6.5025;
    constexpr double c2 = 58.5225;
    constexpr int kBlock = 8;
    const std::size_t w = static_cast<std::size_t>(a.width());
    double total = 0;
    int blocks = 0;
    for (std::int32_t by = 0; by + kBlock <= a.height(); by += kBlock) {
        for (std::int32_t bx = 0; bx + kBlock <= a.width(); bx += kBlock) {
            double ma = 0, mb = 0, va = 0, vb = 0, cov = 0;
            for (int y = 0; y < kBlock; ++y) {
                for (int x = 0; x < kBlock; ++x) {
                    const std::size_t i =
                        static_cast<std::size_t>(by + y) * w + static_cast<std::size_t>(bx + x);
                    ma += la[i];
                    mb += lb[i];
                }
            }
            constexpr double n = kBlock * kBlock;
            ma /= n;
            mb /= n;
            for (int y = 0; y < kBlock; ++y) {
                for (int x = 0; x < kBlock; ++x) {
                    const std::size_t i =
                        static_cast<std::size_t>(by + y) * w + static_cast<std::size_t>(bx + x);
                    va += (la[i] - ma) * (la[i] - ma);
                    vb += (lb[i] - mb) * (lb[i] - mb);
                    cov += (la[i] - ma) * (lb[i] - mb);
                }
            }
            va /= n - 1;
            vb /= n - 1;
            cov /= n - 1;
            total +=
                ((2 * ma * mb + c1) * (2 * cov + c2)) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
            ++blocks;
        }
    }
    return blocks > 0 ? total / blocks : 1.0;
}

double megapixels(const PixelImage& image) {
    return static_cast<double>(image.width()) * static_cast<double>(image.height()) / 1e6;
}

PixelImage syntheticPhoto(std::int32_t w, std::int32_t h) {
    PixelImage image;
    require(image.allocate(w, h), "allocate");
    std::uint32_t state = 1;
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(x, y, 0xFF000000u | (state >> 8));
        }
    }
    return image;
}

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "benchmark stopped: %s failed\n", what);
        std::exit(1);
    }
}

} // namespace scalora::bench
