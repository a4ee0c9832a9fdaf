// JPEG reading and writing over libjpeg-turbo. libjpeg reports fatal errors by calling an
// error_exit hook that must not return; ours longjmps back to the function that called setjmp.
// Those functions keep no objects with destructors of their own (everything that owns memory
// lives in the caller's frame), so the jump skips no C++ clean-up.

#include "imaging/codec_support.h"
#include "imaging/codecs.h"
#include "imaging/exif_fields.h"
#include "imaging/image_encoder.h"
#include "imaging/image_rows.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
// jerror.h after jpeglib.h, which it extends.
#include <jerror.h>

namespace scalora::codec {
namespace {

// A progressive file may hold any number of scans, and each one walks every block of the
// image; a forged file of many tiny scans would make decoding time grow with the scan count
// rather than with the data. Real encoders write about ten; 1000 leaves ample room.
constexpr int kMaxProgressiveScans = 1000;

// Beyond kBelievedPixelCount, a JPEG must have one byte for at most this many pixels. A flat
// grey baseline frame needs about 2 bits per 8x8 block (1 byte per 256 pixels); truncated
// camera files with a good part of their data still open.
constexpr std::uint64_t kJpegPixelsPerByte = 1024;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool dataEnded;    // the file ended before its end-of-image marker
    bool scanCutShort; // entropy-coded data ran out inside a scan
};

[[noreturn]] void exitByJump(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings and traces are not printed (the program writes no log). Corrupt data that libjpeg
// works around decodes as well as it can. A file that ends inside its image data is refused:
// libjpeg would fill the rest with grey (or, for a progressive file, leave it blurred), and a
// result written from that would pass a damaged picture off as a good one. A file that only
// lacks its end-of-image marker has all its pixels and decodes.
void noteMessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0 && err->pub.msg_code == JWRN_JPEG_EOF) {
        err->dataEnded = true;
    } else if (level < 0 && err->pub.msg_code == JWRN_HIT_MARKER) {
        err->scanCutShort = true;
    }
}

void ignoreOutput(j_common_ptr) {}

void installErrorManager(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = exitByJump;
    err.pub.emit_message = noteMessage;
    err.dataEnded = false;
    err.scanCutShort = false;
    err.pub.output_message = ignoreOutput;
}

void limitScans(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxProgressiveScans) {
        exitByJump(cinfo);
    }
}

struct Decompressor {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    Decompressor() = default;
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

// Reads the header and the markers; no pixels.
bool readHeader(Decompressor& d, Bytes data, bool keepAllMarkers) {
    if (setjmp(d.err.jump)) {
        return false;
    }
    installErrorManager(d.err);
    d.cinfo.err = &d.err.pub;
    jpeg_create_decompress(&d.cinfo);
    d.progress.progress_monitor = limitScans;
    d.cinfo.progress = &d.progress;
    jpeg_mem_src(&d.cinfo, data.data(), static_cast<unsigned long>(data.size()));
    // APP1 is always kept: it carries the EXIF orientation and resolution.
    jpeg_save_markers(&d.cinfo, JPEG_APP0 + 1, 0xFFFF);
    if (keepAllMarkers) {
        jpeg_save_markers(&d.cinfo, JPEG_APP0 + 2, 0xFFFF);
        jpeg_save_markers(&d.cinfo, JPEG_APP0 + 13, 0xFFFF);
        jpeg_save_markers(&d.cinfo, JPEG_COM, 0xFFFF);
    }
    return jpeg_read_header(&d.cinfo, TRUE) == JPEG_HEADER_OK;
}

struct HeaderFacts {
    int orientation = 1;
    double dpiX = 0;
    double dpiY = 0;
};

HeaderFacts headerFacts(const jpeg_decompress_struct& cinfo) {
    HeaderFacts facts;
    ExifFields exif;
    bool haveExif = false;
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
        if (m->marker == JPEG_APP0 + 1 && !haveExif &&
            parseExifFields(Bytes(m->data, m->data_length), exif)) {
            haveExif = true;
        }
    }
    if (haveExif && exif.orientation != 0) {
        facts.orientation = exif.orientation;
    }
    // The JFIF density is what JPEG readers have always honoured; EXIF fills in without it.
    // A JFIF density of 1 x 1 is the "no density" many writers put with a unit set.
    const bool jfifDensity = cinfo.saw_JFIF_marker &&
                             (cinfo.density_unit == 1 || cinfo.density_unit == 2) &&
                             !(cinfo.X_density == 1 && cinfo.Y_density == 1);
    if (jfifDensity && cinfo.density_unit == 1) {
        facts.dpiX = cinfo.X_density;
        facts.dpiY = cinfo.Y_density;
    } else if (jfifDensity) {
        facts.dpiX = dpiFromPixelsPerCentimetre(cinfo.X_density);
        facts.dpiY = dpiFromPixelsPerCentimetre(cinfo.Y_density);
    } else if (haveExif) {
        facts.dpiX = exif.dpiX;
        facts.dpiY = exif.dpiY;
    }
    return facts;
}

// (255 - a) * (255 - b) / 255, rounded, for naive CMYK to RGB.
inline std::uint32_t inkProduct(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

void cmykRowToArgb(const std::uint8_t* cmyk, std::uint32_t* out, std::int32_t width,
                   bool inverted) {
    for (std::int32_t x = 0; x < width; ++x, cmyk += 4) {
        // Adobe writes CMYK inverted (0 means full ink); plain CMYK stores the ink amounts.
        std::uint32_t c = cmyk[0];
        std::uint32_t m = cmyk[1];
        std::uint32_t y = cmyk[2];
        std::uint32_t k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = packArgb(255, inkProduct(c, k), inkProduct(m, k), inkProduct(y, k));
    }
}

// Sets the output colour space and scale and computes the output size; false for colour
// spaces this program does not show.
bool prepareOutput(Decompressor& d, int scaleEighths) {
    if (setjmp(d.err.jump)) {
        return false;
    }
    jpeg_decompress_struct& cinfo = d.cinfo;
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        cinfo.out_color_space = JCS_EXT_BGRA;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        break;
    default:
        return false;
    }
    cinfo.scale_num = static_cast<unsigned>(std::clamp(scaleEighths, 1, 8));
    cinfo.scale_denom = 8;
    jpeg_calc_output_dimensions(&cinfo);
    return true;
}

// A JPEG read row by row; every step that calls libjpeg sets its own jump target.
class JpegRowReader final : public ImageRowReader {
public:
    bool open(Bytes data, int scaleEighths, ImageMetadata* metadata) {
        if (!readHeader(d_, data, metadata != nullptr) ||
            !plausibleImageSize(d_.cinfo.image_width, d_.cinfo.image_height, data.size(),
                                kJpegPixelsPerByte) ||
            !prepareOutput(d_, scaleEighths)) {
            return false;
        }
        const HeaderFacts facts = headerFacts(d_.cinfo);
        // The saved markers live in libjpeg's per-image memory, which finishing the decode frees.
        if (metadata != nullptr) {
            metadata->segments.clear();
            for (jpeg_saved_marker_ptr m = d_.cinfo.marker_list; m != nullptr; m = m->next) {
                if (isCopiedMarker(static_cast<std::uint8_t>(m->marker))) {
                    metadata->segments.push_back(
                        {static_cast<std::uint8_t>(m->marker),
                         std::vector<std::uint8_t>(m->data, m->data + m->data_length)});
                }
            }
        }
        cmyk_ = d_.cinfo.out_color_space == JCS_CMYK;
        inverted_ = d_.cinfo.saw_Adobe_marker != 0;
        if (cmyk_) {
            cmykRow_.resize(static_cast<std::size_t>(d_.cinfo.output_width) * 4);
        }
        size_ = {static_cast<std::int32_t>(d_.cinfo.output_width),
                 static_cast<std::int32_t>(d_.cinfo.output_height)};
        dpiX_ = facts.dpiX;
        dpiY_ = facts.dpiY;
        orientation_ = facts.orientation;
        return start();
    }

    bool readRow(std::uint32_t* out) override {
        if (setjmp(d_.err.jump)) {
            return false;
        }
        JSAMPROW row = cmyk_ ? cmykRow_.data() : reinterpret_cast<JSAMPROW>(out);
        if (d_.cinfo.output_scanline >= d_.cinfo.output_height ||
            jpeg_read_scanlines(&d_.cinfo, &row, 1) != 1) {
            return false;
        }
        if (cmyk_) {
            cmykRowToArgb(cmykRow_.data(), out, size_.width, inverted_);
        }
        return true;
    }

    bool finish() override {
        if (setjmp(d_.err.jump)) {
            return false;
        }
        if (d_.cinfo.output_scanline < d_.cinfo.output_height) {
            return false;
        }
        jpeg_finish_decompress(&d_.cinfo);
        // A file that ends inside its image data is refused: libjpeg fills the rest with grey
        // (or, progressive, leaves it blurred), which would pass a damaged picture off as good.
        cutShort_ = d_.err.dataEnded && (d_.err.scanCutShort || d_.cinfo.progressive_mode);
        return !cutShort_;
    }

private:
    bool start() {
        if (setjmp(d_.err.jump)) {
            return false;
        }
        jpeg_start_decompress(&d_.cinfo);
        return static_cast<std::int32_t>(d_.cinfo.output_width) == size_.width &&
               static_cast<std::int32_t>(d_.cinfo.output_height) == size_.height;
    }

    Decompressor d_;
    std::vector<std::uint8_t> cmykRow_;
    bool cmyk_ = false;
    bool inverted_ = false;
};

} // namespace

bool decodeJpeg(Bytes data, int scaleEighths, PixelImage& out, ImageMetadata* metadata,
                int& orientation) {
    out.reset();
    orientation = 1;
    JpegRowReader reader;
    if (!reader.open(data, scaleEighths, metadata) ||
        !out.allocate(reader.size().width, reader.size().height, AlphaKind::None)) {
        out.reset();
        return false;
    }
    for (std::int32_t y = 0; y < out.height(); ++y) {
        if (!reader.readRow(out.row(y))) {
            out.reset();
            return false;
        }
    }
    if (!reader.finish()) {
        out.reset();
        return false;
    }
    out.setDpi(reader.dpiX(), reader.dpiY());
    orientation = reader.orientation();
    return true;
}

bool probeJpeg(Bytes data, std::uint64_t fileSize, ImageProbe& out) {
    Decompressor d;
    if (!readHeader(d, data, false)) {
        return false;
    }
    const HeaderFacts facts = headerFacts(d.cinfo);
    out.storedSize = {static_cast<std::int32_t>(d.cinfo.image_width),
                      static_cast<std::int32_t>(d.cinfo.image_height)};
    out.dpiX = facts.dpiX;
    out.dpiY = facts.dpiY;
    out.orientation = facts.orientation;
    out.hasAlpha = false;
    return plausibleImageSize(d.cinfo.image_width, d.cinfo.image_height, fileSize,
                              kJpegPixelsPerByte);
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

// Chroma subsampling by quality, measured as quality per byte against the ideal result (the
// full decode resized in linear light, bench/engine/quality.py) on the 22 camera JPEGs fitted
// into 1280 x 1280, whole-corpus PSNR and image bytes (without the copied metadata):
//   quality 90: 4:4:4 40.53 dB at 6.50 MB; 4:4:4 at q88 39.88 dB at 5.72 MB; 4:2:0 39.03 dB at
//               5.13 MB, at q93 39.98 dB at 6.12 MB: for the same bytes 4:4:4 is 0.3 dB better.
//   quality 75: 4:2:0 36.22 dB at 2.92 MB, at q80 36.94 dB at 3.36 MB; 4:4:4 at q70 36.51 dB at
//               3.26 MB: for the same bytes 4:2:0 is 0.3 dB better.
// Detail that survives a shrink is fine, and from quality 90 on the colour edges a 4:2:0 file
// blurs cost more than the bytes full chroma takes. Huffman optimisation was measured too: it
// saves 1.6 % of the bytes for 10 % more time of the whole batch, so the standard tables stay.
constexpr int kFullChromaFromQuality = 90;

struct VectorDestination {
    jpeg_destination_mgr pub;
    std::vector<std::uint8_t>* out;
};

constexpr std::size_t kDestinationChunk = 64 * 1024;

void initDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->out->data();
    dest->pub.free_in_buffer = dest->out->size();
}

boolean growDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    const std::size_t used = dest->out->size();
    bool grown = true;
    try {
        dest->out->resize(used * 2);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    // No exception may cross libjpeg's C frames: report it as libjpeg's own error, after the
    // handler has finished with the exception.
    if (!grown) {
        cinfo->err->msg_code = JERR_OUT_OF_MEMORY;
        exitByJump(reinterpret_cast<j_common_ptr>(cinfo));
    }
    dest->pub.next_output_byte = dest->out->data() + used;
    dest->pub.free_in_buffer = dest->out->size() - used;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->out->resize(dest->out->size() - dest->pub.free_in_buffer);
}

struct Compressor {
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    VectorDestination dest{};
    Compressor() = default;
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
    ~Compressor() { jpeg_destroy_compress(&cinfo); }
};

bool hasIccSegment(const ImageMetadata* metadata) {
    static constexpr char kTag[] = "ICC_PROFILE";
    if (metadata == nullptr) {
        return false;
    }
    for (const MarkerSegment& segment : metadata->segments) {
        if (segment.marker == JPEG_APP0 + 2 && segment.data.size() > sizeof kTag &&
            std::memcmp(segment.data.data(), kTag, sizeof kTag) == 0) {
            return true;
        }
    }
    return false;
}

std::uint16_t densityValue(double dpi) {
    return static_cast<std::uint16_t>(std::clamp(dpi + 0.5, 1.0, 65535.0));
}

// A JPEG written row by row into memory; every step that calls libjpeg sets its own jump target.
class JpegRowWriter final : public ImageRowWriter {
public:
    bool start(Size size, double dpiX, double dpiY, int quality, const ImageMetadata* metadata,
               Bytes iccProfile) {
        encoded_.resize(kDestinationChunk);
        c_.dest.out = &encoded_;
        if (setjmp(c_.err.jump)) {
            return false;
        }
        jpeg_compress_struct& cinfo = c_.cinfo;
        installErrorManager(c_.err);
        cinfo.err = &c_.err.pub;
        jpeg_create_compress(&cinfo);
        c_.dest.pub.init_destination = initDestination;
        c_.dest.pub.empty_output_buffer = growDestination;
        c_.dest.pub.term_destination = termDestination;
        cinfo.dest = &c_.dest.pub;
        cinfo.image_width = static_cast<JDIMENSION>(size.width);
        cinfo.image_height = static_cast<JDIMENSION>(size.height);
        cinfo.input_components = 4;
        cinfo.in_color_space = JCS_EXT_BGRX;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, quality, TRUE);
        const int chromaFactor = quality >= kFullChromaFromQuality ? 1 : 2;
        cinfo.comp_info[0].h_samp_factor = chromaFactor;
        cinfo.comp_info[0].v_samp_factor = chromaFactor;
        cinfo.comp_info[1].h_samp_factor = cinfo.comp_info[1].v_samp_factor = 1;
        cinfo.comp_info[2].h_samp_factor = cinfo.comp_info[2].v_samp_factor = 1;
        cinfo.write_JFIF_header = TRUE;
        if (saneDpi(dpiX) > 0 && saneDpi(dpiY) > 0) {
            cinfo.density_unit = 1;
            cinfo.X_density = densityValue(dpiX);
            cinfo.Y_density = densityValue(dpiY);
        }
        jpeg_start_compress(&cinfo, TRUE);
        if (metadata != nullptr) {
            for (const MarkerSegment& segment : metadata->segments) {
                // 65533 is the most a marker's 16-bit length can announce after its own bytes.
                if (isCopiedMarker(segment.marker) && segment.data.size() <= 65533) {
                    jpeg_write_marker(&cinfo, segment.marker, segment.data.data(),
                                      static_cast<unsigned>(segment.data.size()));
                }
            }
        }
        // Copied metadata brings the source's own profile chunks; otherwise the profile is
        // written here, split into APP2 chunks by libjpeg.
        if (!iccProfile.empty() && !hasIccSegment(metadata)) {
            jpeg_write_icc_profile(&cinfo, iccProfile.data(),
                                   static_cast<unsigned>(iccProfile.size()));
        }
        return true;
    }

    // Alpha is dropped: premultiplied colour is the picture over black, straight colour the
    // picture without its transparency; either is what an opaque format can keep.
    bool writeRow(const std::uint32_t* pixels) override {
        if (setjmp(c_.err.jump)) {
            return false;
        }
        // libjpeg reads the row and never writes it, but its interface is not const.
        JSAMPROW row = reinterpret_cast<JSAMPROW>(const_cast<std::uint32_t*>(pixels));
        return c_.cinfo.next_scanline < c_.cinfo.image_height &&
               jpeg_write_scanlines(&c_.cinfo, &row, 1) == 1;
    }

    bool finish(std::vector<std::uint8_t>& out) override {
        if (!complete()) {
            out.clear();
            return false;
        }
        out = std::move(encoded_);
        return true;
    }

private:
    bool complete() {
        if (setjmp(c_.err.jump)) {
            return false;
        }
        if (c_.cinfo.next_scanline < c_.cinfo.image_height) {
            return false;
        }
        jpeg_finish_compress(&c_.cinfo);
        return true;
    }

    Compressor c_;
    std::vector<std::uint8_t> encoded_;
};

} // namespace

bool encodeJpeg(const PixelImage& image, int quality, const ImageMetadata* metadata,
                Bytes iccProfile, std::vector<std::uint8_t>& out) {
    out.clear();
    if (image.isNull()) {
        return false;
    }
    JpegRowWriter writer;
    if (!writer.start(image.size(), image.dpiX(), image.dpiY(),
                      std::clamp(quality, kMinJpegQuality, kMaxJpegQuality), metadata,
                      iccProfile)) {
        return false;
    }
    for (std::int32_t y = 0; y < image.height(); ++y) {
        if (!writer.writeRow(image.row(y))) {
            return false;
        }
    }
    return writer.finish(out);
}

} // namespace scalora::codec

namespace scalora {

std::unique_ptr<ImageRowReader> openJpegRows(std::span<const std::uint8_t> data, int scaleEighths,
                                             ImageMetadata* metadata) {
    auto reader = std::make_unique<codec::JpegRowReader>();
    if (!reader->open(data, scaleEighths, metadata)) {
        return nullptr;
    }
    return reader;
}

std::unique_ptr<ImageRowWriter> startJpegRows(Size size, double dpiX, double dpiY, int quality,
                                              const ImageMetadata* metadata,
                                              std::span<const std::uint8_t> iccProfile) {
    if (size.isEmpty()) {
        return nullptr;
    }
    auto writer = std::make_unique<codec::JpegRowWriter>();
    if (!writer->start(size, dpiX, dpiY, std::clamp(quality, kMinJpegQuality, kMaxJpegQuality),
                       metadata, iccProfile)) {
        return nullptr;
    }
    return writer;
}

} // namespace scalora
