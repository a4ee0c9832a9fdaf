// Small helpers of the imaging benchmark: timing, picture comparison (PSNR, SSIM) and the
// machine description printed with every run.
#pragma once

#include "imaging/pixel_image.h"

#include <chrono>
#include <string>

namespace scalora::bench {

class Timer {
public:
    Timer() : start_(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

// Peak memory of this process so far, in bytes (getrusage ru_maxrss).
double peakRssBytes();

// "cpu: ..., cores: N, compiler: ..., build: ..." for the report header.
std::string machineLine();

// Luma PSNR in dB of two pictures of the same size (infinity when identical).
double psnr(const PixelImage& a, const PixelImage& b);
// Mean SSIM of the luma over 8 x 8 blocks (1 when identical).
double ssim(const PixelImage& a, const PixelImage& b);

double megapixels(const PixelImage& image);

} // namespace scalora::bench
