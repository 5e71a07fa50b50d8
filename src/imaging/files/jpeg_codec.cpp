#include "imaging/files/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace imaging {

namespace {

// Progressive files with endless scans make the decoder quadratic; real files have a dozen.
constexpr int kMaxScans = 500;
// Damaged files raise a warning per bad marker; give up on the hopeless ones.
constexpr int kMaxWarnings = 1000;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int warnings;
};

[[noreturn]] void failWith(j_common_ptr cinfo, const char* text) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(manager->message, sizeof manager->message, "%s", text);
    std::longjmp(manager->jump, 1);
}

[[noreturn]] void onError(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0 && ++manager->warnings > kMaxWarnings)
        failWith(cinfo, "too many damaged parts in the JPEG data");
}

void onProgress(j_common_ptr cinfo) {
    const auto* decompressor = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompressor->progressive_mode && decompressor->input_scan_number > kMaxScans)
        failWith(cinfo, "too many progressive scans");
}

void prepareErrors(ErrorManager& manager) {
    jpeg_std_error(&manager.pub);
    manager.pub.error_exit = onError;
    manager.pub.emit_message = onMessage;
    manager.message[0] = '\0';
    manager.warnings = 0;
}

// Owns one libjpeg decompressor. The functions that call libjpeg hold no C++ objects of their own, so
// the error exit's long jump skips nothing that needs destroying.
class Decompressor {
public:
    Decompressor() {
        prepareErrors(errors_);
        cinfo_.err = &errors_.pub;
        progress_.progress_monitor = onProgress;
    }
    ~Decompressor() {
        if (created_)
            jpeg_destroy_decompress(&cinfo_);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    Outcome decode(std::span<const std::uint8_t> file, int scaleDenominator, int channels, JpegPixels& out);
    Outcome decodeRows(std::span<const std::uint8_t> file, int channels, const JpegRowSink& sink);

private:
    // Reads the header, refuses a picture too large and starts decompressing: the reason it refused, or
    // null. Called under the caller's setjmp.
    const char* start(std::span<const std::uint8_t> file, int scaleDenominator, int channels);
    // Decodes the next row into `target` (width × channels bytes); false when the data ends early.
    bool readRow(std::uint8_t* target);
    void convertRow(const std::uint8_t* source, std::uint8_t* target, int width, int channels) const;

    jpeg_decompress_struct cinfo_{};
    ErrorManager errors_{};
    jpeg_progress_mgr progress_{};
    bool created_ = false;
    bool cmyk_ = false;
    int channels_ = 3;
    std::vector<std::uint8_t> cmykRow_;
    std::vector<std::uint8_t> row_;
};

bool isJpeg(std::span<const std::uint8_t> file) {
    return file.size() >= 4 && file[0] == 0xFF && file[1] == 0xD8;
}

const char* Decompressor::start(std::span<const std::uint8_t> file, int scaleDenominator, int channels) {
    jpeg_create_decompress(&cinfo_);
    created_ = true;
    cinfo_.progress = &progress_;
    jpeg_mem_src(&cinfo_, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo_, TRUE);

    // No bytes-per-pixel plausibility check: arithmetic coding holds a flat picture of millions of pixels
    // in a few hundred bytes, and libjpeg bounds its own work on data that ends early.
    if (!pixelCountAcceptable(cinfo_.image_width, cinfo_.image_height))
        return "picture too large";

    cmyk_ = cinfo_.jpeg_color_space == JCS_CMYK || cinfo_.jpeg_color_space == JCS_YCCK;
    channels_ = channels;
    cinfo_.out_color_space = cmyk_ ? JCS_CMYK : (channels == 4 ? JCS_EXT_BGRA : JCS_EXT_BGR);
    cinfo_.scale_num = 1;
    cinfo_.scale_denom = static_cast<unsigned>(scaleDenominator);
    if (scaleDenominator > 1) {
        // A reduced picture is shrunk further afterwards: the exact DCT and smooth chroma upsampling buy
        // nothing visible there.
        cinfo_.dct_method = JDCT_IFAST;
        cinfo_.do_fancy_upsampling = FALSE;
    }
    jpeg_start_decompress(&cinfo_);
    if (cmyk_)
        cmykRow_.resize(static_cast<std::size_t>(cinfo_.output_width) * 4);
    return nullptr;
}

bool Decompressor::readRow(std::uint8_t* target) {
    JSAMPROW row = cmyk_ ? cmykRow_.data() : target;
    if (jpeg_read_scanlines(&cinfo_, &row, 1) != 1)
        return false;
    if (cmyk_)
        convertRow(cmykRow_.data(), target, static_cast<int>(cinfo_.output_width), channels_);
    return true;
}

Outcome Decompressor::decode(std::span<const std::uint8_t> file, int scaleDenominator, int channels,
                             JpegPixels& out) {
    if (!isJpeg(file))
        return Outcome::failure("not a JPEG file");
    if (setjmp(errors_.jump))
        return Outcome::failure(errors_.message);
    if (const char* refused = start(file, scaleDenominator, channels))
        return Outcome::failure(refused);
    const int width = static_cast<int>(cinfo_.output_width);
    const int height = static_cast<int>(cinfo_.output_height);
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    out.width = width;
    out.height = height;
    out.pixels.assign(stride * static_cast<std::size_t>(height), 0);
    while (cinfo_.output_scanline < cinfo_.output_height) {
        if (!readRow(out.pixels.data() + stride * cinfo_.output_scanline))
            return Outcome::failure("JPEG data ends early");
    }
    jpeg_finish_decompress(&cinfo_);
    return Outcome::success();
}

Outcome Decompressor::decodeRows(std::span<const std::uint8_t> file, int channels, const JpegRowSink& sink) {
    if (!isJpeg(file))
        return Outcome::failure("not a JPEG file");
    if (setjmp(errors_.jump))
        return Outcome::failure(errors_.message);
    if (const char* refused = start(file, 1, channels))
        return Outcome::failure(refused);
    if (!sink.begin(static_cast<int>(cinfo_.output_width), static_cast<int>(cinfo_.output_height)))
        return Outcome::failure("the picture's rows are not wanted");
    row_.resize(static_cast<std::size_t>(cinfo_.output_width) * static_cast<std::size_t>(channels));
    while (cinfo_.output_scanline < cinfo_.output_height) {
        if (!readRow(row_.data()))
            return Outcome::failure("JPEG data ends early");
        sink.row(row_.data());
    }
    jpeg_finish_decompress(&cinfo_);
    return Outcome::success();
}

// Adobe writes CMYK inverted (0 = full ink); others write it plain.
void Decompressor::convertRow(const std::uint8_t* source, std::uint8_t* target, int width,
                              int channels) const {
    const bool inverted = cinfo_.saw_Adobe_marker;
    for (int x = 0; x < width; ++x, source += 4, target += channels) {
        const int c = inverted ? source[0] : 255 - source[0];
        const int m = inverted ? source[1] : 255 - source[1];
        const int y = inverted ? source[2] : 255 - source[2];
        const int k = inverted ? source[3] : 255 - source[3];
        target[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        target[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        target[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
        if (channels == 4)
            target[3] = 255;
    }
}

class Compressor {
public:
    Compressor() {
        prepareErrors(errors_);
        cinfo_.err = &errors_.pub;
    }
    ~Compressor() {
        if (created_)
            jpeg_destroy_compress(&cinfo_);
        std::free(buffer_);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    Outcome encode(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride, JpegInput input,
                   int quality);
    std::vector<std::uint8_t> bytes() const { return {buffer_, buffer_ + size_}; }

private:
    jpeg_compress_struct cinfo_{};
    ErrorManager errors_{};
    bool created_ = false;
    unsigned char* buffer_ = nullptr;
    unsigned long size_ = 0;
};

Outcome Compressor::encode(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride,
                           JpegInput input, int quality) {
    if (setjmp(errors_.jump))
        return Outcome::failure(errors_.message);
    jpeg_create_compress(&cinfo_);
    created_ = true;
    jpeg_mem_dest(&cinfo_, &buffer_, &size_);
    cinfo_.image_width = static_cast<JDIMENSION>(width);
    cinfo_.image_height = static_cast<JDIMENSION>(height);
    switch (input) {
    case JpegInput::Bgr:
        cinfo_.input_components = 3;
        cinfo_.in_color_space = JCS_EXT_BGR;
        break;
    case JpegInput::Rgb:
        cinfo_.input_components = 3;
        cinfo_.in_color_space = JCS_RGB;
        break;
    case JpegInput::Grey:
        cinfo_.input_components = 1;
        cinfo_.in_color_space = JCS_GRAYSCALE;
        break;
    }
    jpeg_set_defaults(&cinfo_);
    jpeg_set_quality(&cinfo_, quality, TRUE);
    jpeg_start_compress(&cinfo_, TRUE);
    while (cinfo_.next_scanline < cinfo_.image_height) {
        // libjpeg's row type is not const, but the compressor only reads the rows.
        JSAMPROW row =
            const_cast<std::uint8_t*>(pixels + stride * static_cast<std::ptrdiff_t>(cinfo_.next_scanline));
        jpeg_write_scanlines(&cinfo_, &row, 1);
    }
    jpeg_finish_compress(&cinfo_);
    return Outcome::success();
}

} // namespace

Outcome decodeJpegPixels(std::span<const std::uint8_t> file, int scaleDenominator, int channels,
                         JpegPixels& out) {
    Decompressor decompressor;
    Outcome outcome = decompressor.decode(file, scaleDenominator, channels, out);
    if (!outcome)
        out = {};
    return outcome;
}

Outcome decodeJpegRows(std::span<const std::uint8_t> file, int channels, const JpegRowSink& sink) {
    Decompressor decompressor;
    return decompressor.decodeRows(file, channels, sink);
}

DecodeResult decodeJpeg(std::span<const std::uint8_t> file) {
    JpegPixels pixels;
    const Outcome outcome = decodeJpegPixels(file, 1, 4, pixels);
    if (!outcome)
        return DecodeResult::failure(CodecError::Corrupt, outcome.reason);
    DecodeResult result;
    result.image.width = pixels.width;
    result.image.height = pixels.height;
    result.image.bgra = std::move(pixels.pixels);
    return result;
}

std::vector<std::uint8_t> encodeJpeg(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride,
                                     JpegInput input, int quality, std::string& reason) {
    if (pixels == nullptr || width <= 0 || height <= 0) {
        reason = "empty picture";
        return {};
    }
    Compressor compressor;
    const Outcome outcome = compressor.encode(pixels, width, height, stride, input, quality);
    if (!outcome) {
        reason = outcome.reason;
        return {};
    }
    return compressor.bytes();
}

} // namespace imaging
