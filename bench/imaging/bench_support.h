// Small helpers of the imaging benchmark: timing, picture comparison (PSNR, SSIM) and the
// machine description printed with every run.
#pragma once

#include "imaging/pixel_image.h"

#include <chrono>
#include <string>

namespace scalora::bench {

// Wall-clock time and the CPU time of the whole process (all threads) since construction. The
// machine the benchmark runs on is shared, so stages are compared by CPU time, which other
// processes disturb far less than elapsed time.
class Timer {
public:
    Timer() : start_(std::chrono::steady_clock::now()), cpuStart_(processCpuSeconds()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    double cpuSeconds() const { return processCpuSeconds() - cpuStart_; }

private:
    static double processCpuSeconds();
    std::chrono::steady_clock::time_point start_;
    double cpuStart_;
};

// Ends the benchmark with a message when a step it depends on failed: figures measured on a
// missing picture would be wrong, not slow.
void require(bool ok, const char* what);

// Peak resident memory of this process so far, in bytes (VmHWM of /proc/self/status, which
// unlike getrusage's ru_maxrss starts afresh at exec).
double peakRssBytes();

// "cpu: ..., cores: N, compiler: ..., build: ..." for the report header.
std::string machineLine();

// Luma PSNR in dB of two pictures of the same size (infinity when identical).
double psnr(const PixelImage& a, const PixelImage& b);
// Mean SSIM of the luma over 8 x 8 blocks (1 when identical).
double ssim(const PixelImage& a, const PixelImage& b);

double megapixels(const PixelImage& image);

// A w x h opaque picture of pseudo-random pixels: the worst case for every filter.
PixelImage syntheticPhoto(std::int32_t w, std::int32_t h);

} // namespace scalora::bench
