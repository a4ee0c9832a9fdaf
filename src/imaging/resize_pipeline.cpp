#include "imaging/resize_pipeline.h"

#include "imaging/codec_support.h"
#include "imaging/icc_profile.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "imaging/image_probe.h"
#include "imaging/image_rows.h"
#include "imaging/orientation.h"
#include "imaging/output_colour.h"
#include "imaging/resample_decode.h"
#include "imaging/resample_stream.h"

#include <memory>

namespace scalora {

namespace {

constexpr std::uint32_t kOpaqueBlack = 0xFF000000;

// Where resampled rows go: straight into an encoder through one scratch row, or into a canvas.
class RowSink final : public ResampleTarget {
public:
    RowSink(ImageRowWriter* writer, PixelImage* canvas, std::int32_t width)
        : writer_(writer), canvas_(canvas), scratch_(static_cast<std::size_t>(width)) {}
    std::uint32_t* rowAt(std::int32_t y) override {
        return writer_ != nullptr ? scratch_.data() : canvas_->row(y);
    }
    bool rowDone(std::int32_t) override {
        return writer_ == nullptr || writer_->writeRow(scratch_.data());
    }

private:
    ImageRowWriter* writer_;
    PixelImage* canvas_;
    std::vector<std::uint32_t> scratch_;
};

// The finished canvas into the format: the profile where the format has room for one, else the
// colours converted to sRGB; transparency over white where the format would lose it.
bool encodeCanvas(PixelImage& canvas, const ResizeJob& job, const ImageMetadata* metadata,
                  const IccProfile& profile, std::vector<std::uint8_t>& encoded) {
    if (job.format == ImageFormat::Jpeg || job.format == ImageFormat::Bmp) {
        flattenOntoWhite(canvas);
    }
    EncodeOptions options;
    options.jpegQuality = job.jpegQuality;
    options.metadata = metadata;
    if (job.format != ImageFormat::Bmp) {
        options.iccProfile = profile;
    } else if (!profile.empty()) {
        // A profile lcms cannot use leaves the colours as stored, as before.
        static_cast<void>(convertToSrgb(canvas, profile));
    }
    return encodeImageToMemory(canvas, job.format, options, encoded);
}

SourceRect wholeOf(Size size) {
    return {0, 0, static_cast<double>(size.width), static_cast<double>(size.height)};
}

bool coversWhole(const SourceRect& rect, Size size) {
    return rect == wholeOf(size);
}

// The streamed path: `reader` is opaque and the canvas is the target. A reader that is not
// upright gives the whole picture, resized at its stored orientation into memory and turned
// there: turning the small result costs far less than decoding and turning the large source.
bool resizeRows(ImageRowReader& reader, const SourceRect& uprightRect, const ResizeJob& job,
                const ImageProbe& probe, const ImageMetadata* metadata, const IccProfile& profile,
                std::vector<std::uint8_t>& encoded) {
    const int orientation = reader.orientation();
    const bool turned = orientation != 1;
    const Size size = reader.size();
    const Size target = turned ? orientedSize(job.target, orientation) : job.target;
    const SourceRect rect = turned ? wholeOf(size) : uprightRect;
    std::unique_ptr<ImageRowWriter> writer;
    PixelImage canvas;
    if (turned) {
        if (!canvas.allocate(target.width, target.height)) {
            return false;
        }
    } else if (job.format == ImageFormat::Jpeg) {
        writer =
            startJpegRows(job.target, probe.dpiX, probe.dpiY, job.jpegQuality, metadata, profile);
    } else if (job.format == ImageFormat::Png) {
        writer = startPngRows(job.target, probe.dpiX, probe.dpiY, profile);
    } else if (canvas.allocate(job.target.width, job.target.height)) {
        canvas.setDpi(probe.dpiX, probe.dpiY);
    }
    if (writer == nullptr && canvas.isNull()) {
        return false;
    }
    RowSink sink(writer.get(), &canvas, target.width);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(size.width));
    const bool copy = coversWhole(rect, size) && size == target;
    RowResampler resampler;
    if (!copy && !resampler.configure(size, AlphaKind::None, rect, target, {0, target.width},
                                      {0, target.height}, {}, sink)) {
        return false;
    }
    for (std::int32_t y = 0; y < size.height; ++y) {
        if (copy) {
            if (!reader.readRow(sink.rowAt(y)) || !sink.rowDone(y)) {
                return false;
            }
        } else if (!reader.readRow(row.data()) || !resampler.pushRow(y, row.data())) {
            return false;
        }
    }
    if (!reader.finish() || (!copy && !resampler.finished())) {
        return false;
    }
    if (writer != nullptr) {
        return writer->finish(encoded);
    }
    if (turned) {
        canvas = orientedImage(canvas, orientation);
        if (canvas.isNull()) {
            return false;
        }
    }
    canvas.setDpi(probe.dpiX, probe.dpiY);
    return encodeCanvas(canvas, job, metadata, profile, encoded);
}

// Everything else: the decoded picture, turned upright, drawn onto a canvas in memory.
bool resizePicture(PixelImage& image, const SourceRect& rect, const ResizeJob& job,
                   const ImageProbe& probe, const ImageMetadata* metadata,
                   const IccProfile& profile, std::vector<std::uint8_t>& encoded) {
    const bool onMat = job.canvas != job.target;
    PixelImage canvas;
    if (!canvas.allocate(job.canvas.width, job.canvas.height,
                         onMat ? AlphaKind::None : image.alphaKind())) {
        return false;
    }
    canvas.setDpi(probe.dpiX, probe.dpiY);
    Point placement;
    ResampleOptions resample;
    if (onMat) {
        canvas.fill(kOpaqueBlack);
        placement = job.placement;
        resample.blend = ResampleBlend::Over;
    }
    // A failed draw would leave the canvas uninitialised: better no result than a garbage one.
    if (!resampleOnto(image, rect, canvas,
                      {placement.x, placement.y, job.target.width, job.target.height}, resample)) {
        return false;
    }
    image.reset();
    return encodeCanvas(canvas, job, metadata, profile, encoded);
}

const ImageMetadata* nonEmpty(const ImageMetadata* metadata) {
    return metadata != nullptr && !metadata->empty() ? metadata : nullptr;
}

bool readAllRows(ImageRowReader& reader, PixelImage& image) {
    if (!image.allocate(reader.size().width, reader.size().height, reader.alphaKind())) {
        return false;
    }
    for (std::int32_t y = 0; y < image.height(); ++y) {
        if (!reader.readRow(image.row(y))) {
            return false;
        }
    }
    image.setDpi(reader.dpiX(), reader.dpiY());
    return reader.finish();
}

} // namespace

bool resizeToMemory(const std::string& sourcePath, const ResizeJob& job,
                    std::vector<std::uint8_t>& encoded, ResizeReport* report) {
    encoded.clear();
    ImageProbe probe;
    std::vector<std::uint8_t> data;
    if (job.target.isEmpty() || job.canvas.isEmpty() || !hasImageEncoder(job.format) ||
        !codec::readWholeFile(sourcePath, data) || !probeImageData(data, probe)) {
        return false;
    }
    const bool jpeg = probe.format == ImageFormat::Jpeg;
    // The profile is part of the colours, not of the metadata: kept whether or not that is.
    const IccProfile profile = readIccProfile(data);
    ImageMetadata metadata;
    ImageMetadata* kept =
        job.copyMetadata && jpeg && job.format == ImageFormat::Jpeg ? &metadata : nullptr;
    const int scale = jpeg ? chooseJpegScaleEighths(job.rect, job.target) : 8;
    std::unique_ptr<ImageRowReader> reader;
    if (jpeg) {
        reader = openJpegRows(data, scale, kept);
        if (reader == nullptr) {
            return false;
        }
        if (kept != nullptr && job.stripLocation) {
            removeExifLocation(*kept);
        }
    } else if (probe.format == ImageFormat::Png && !probe.hasAlpha) {
        reader = openPngRows(data); // null when interlaced: decoded whole below
    }
    const SourceRect rect = scaleSourceRect(job.rect, scale);
    const bool upright = reader != nullptr && reader->orientation() == 1;
    const bool turnedWhole = reader != nullptr && reader->orientation() != 1 &&
                             isValidOrientation(reader->orientation()) &&
                             coversWhole(rect, orientedSize(reader->size(), reader->orientation()));
    const bool streamed = (upright || turnedWhole) && reader->alphaKind() == AlphaKind::None &&
                          job.canvas == job.target &&
                          !(isPlainCopy(rect, job.target) &&
                            !(rect.x == 0 && rect.y == 0 && reader->size() == job.target));

    if (report != nullptr) {
        *report = {streamed, scale};
    }
    bool ok = false;
    if (streamed) {
        // The result is stored upright, so a kept orientation tag would turn it once more.
        if (!upright && kept != nullptr) {
            resetExifOrientation(*kept);
        }
        ok = resizeRows(*reader, rect, job, probe, nonEmpty(kept), profile, encoded);
        if (report != nullptr) {
            report->sourceTruncated = !ok && reader->cutShort();
        }
    } else {
        PixelImage image;
        if (reader != nullptr) {
            ok = readAllRows(*reader, image);
            if (ok && reader->orientation() != 1) {
                applyOrientation(image, reader->orientation());
                if (kept != nullptr) {
                    resetExifOrientation(*kept);
                }
            }
        } else {
            DecodeOptions options;
            options.jpegScaleEighths = scale;
            DecodeInfo info;
            ok = decodeImageData(data, options, image, kept, &info);
            if (report != nullptr) {
                report->sourceTruncated = !ok && info.truncated;
            }
        }
        if (report != nullptr && reader != nullptr) {
            report->sourceTruncated = !ok && reader->cutShort();
        }
        reader.reset();
        data = {};
        ok = ok && resizePicture(image, rect, job, probe, nonEmpty(kept), profile, encoded);
    }
    if (!ok) {
        encoded.clear();
    }
    return ok;
}

} // namespace scalora
