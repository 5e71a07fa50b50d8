// Reading Netpbm PBM, PGM and PPM pictures, ASCII and raw, maxval up to 65535 (PAM: pam_decoder.cpp).

#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/pnm_codec.h"
#include "imaging/codecs/raster_util.h"

namespace imaging::codecs {
namespace {

DecodeResult fail(CodecError e, const char* why) {
    return DecodeResult::failure(e, why);
}

bool isSpace(std::uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

class Tokenizer {
public:
    explicit Tokenizer(std::span<const std::uint8_t> data) : data_(data) {}

    // Skips white space and comments (a '#' runs to the end of the line).
    void skipSeparators() {
        while (pos_ < data_.size()) {
            if (data_[pos_] == '#') {
                while (pos_ < data_.size() && data_[pos_] != '\n' && data_[pos_] != '\r')
                    ++pos_;
            } else if (isSpace(data_[pos_])) {
                ++pos_;
            } else {
                return;
            }
        }
    }

    enum class Result { Ok, End, Bad };

    // A decimal number of at most 9 digits (anything larger is no sensible header value or sample).
    Result number(std::uint32_t& value) {
        skipSeparators();
        if (pos_ >= data_.size())
            return Result::End;
        if (data_[pos_] < '0' || data_[pos_] > '9')
            return Result::Bad;
        value = 0;
        int digits = 0;
        while (pos_ < data_.size() && data_[pos_] >= '0' && data_[pos_] <= '9') {
            if (++digits > 9)
                return Result::Bad;
            value = value * 10 + (data_[pos_++] - '0');
        }
        return Result::Ok;
    }

    // One '0' or '1' of a P1 body; the bits need no separators between them.
    Result bit(std::uint32_t& value) {
        skipSeparators();
        if (pos_ >= data_.size())
            return Result::End;
        const std::uint8_t c = data_[pos_++];
        if (c != '0' && c != '1')
            return Result::Bad;
        value = c - '0';
        return Result::Ok;
    }

    std::size_t position() const { return pos_; }
    void advance() { ++pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

DecodeResult tokenFailure(Tokenizer::Result r, const char* what) {
    return r == Tokenizer::Result::End ? fail(CodecError::Truncated, what) : fail(CodecError::Corrupt, what);
}

} // namespace

DecodeResult decodePnm(std::span<const std::uint8_t> file) {
    if (file.size() >= 2 && file[0] == 'P' && file[1] == '7')
        return decodePam(file);
    if (file.size() < 2 || file[0] != 'P' || file[1] < '1' || file[1] > '6')
        return fail(CodecError::NotThisFormat, "not a PNM file");
    const int kind = file[1] - '0';
    const bool bitmap = kind == 1 || kind == 4, colour = kind == 3 || kind == 6, ascii = kind <= 3;
    Tokenizer tok(file);
    tok.advance();
    tok.advance();
    std::uint32_t width = 0, height = 0, maxValue = 1;
    if (auto r = tok.number(width); r != Tokenizer::Result::Ok)
        return tokenFailure(r, "bad PNM width");
    if (auto r = tok.number(height); r != Tokenizer::Result::Ok)
        return tokenFailure(r, "bad PNM height");
    if (!bitmap) {
        if (auto r = tok.number(maxValue); r != Tokenizer::Result::Ok)
            return tokenFailure(r, "bad PNM maxval");
        if (maxValue == 0 || maxValue > 65535)
            return fail(CodecError::Corrupt, "PNM maxval out of range");
    }
    if (!pixelCountAcceptable(width, height))
        return sizeFailure(width, height);

    const std::uint64_t channels = colour ? 3 : 1;
    const std::uint64_t samples = static_cast<std::uint64_t>(width) * height * channels;
    std::size_t dataStart = 0;
    const std::size_t bytesPerSample = maxValue > 255 ? 2 : 1;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) + 7) / 8;
    if (ascii) {
        // Every sample needs at least one character.
        if (samples > tok.remaining())
            return fail(CodecError::Truncated, "truncated PNM pixel data");
    } else {
        // Exactly one white-space character ends the header of a raw file.
        if (tok.remaining() == 0 || !isSpace(file[tok.position()]))
            return fail(tok.remaining() == 0 ? CodecError::Truncated : CodecError::Corrupt,
                        "bad PNM header end");
        dataStart = tok.position() + 1;
        const std::uint64_t need = bitmap ? rowBytes * height : samples * bytesPerSample;
        if (!fitsIn(file.size(), dataStart, need))
            return fail(CodecError::Truncated, "truncated PNM pixel data");
    }

    auto image = allocateRaster(width, height);
    if (!image)
        return sizeFailure(width, height);
    std::size_t sampleIndex = 0;
    auto nextSample = [&](std::uint32_t& v) -> Tokenizer::Result {
        if (ascii)
            return bitmap ? tok.bit(v) : tok.number(v);
        if (bitmap) {
            const std::size_t x = sampleIndex % width, y = sampleIndex / width;
            v = (file[dataStart + y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
        } else if (bytesPerSample == 2) {
            v = be16(file.data() + dataStart + sampleIndex * 2);
        } else {
            v = file[dataStart + sampleIndex];
        }
        ++sampleIndex;
        return Tokenizer::Result::Ok;
    };
    auto sample8 = [&](std::uint8_t& out) -> std::optional<DecodeResult> {
        std::uint32_t v = 0;
        if (auto r = nextSample(v); r != Tokenizer::Result::Ok)
            return tokenFailure(r, "bad PNM sample");
        if (bitmap) {
            out = v ? 0 : 255; // 1 is black
            return std::nullopt;
        }
        if (v > maxValue)
            return fail(CodecError::Corrupt, "PNM sample above maxval");
        out = scaleTo8(v, maxValue);
        return std::nullopt;
    };

    for (std::size_t i = 0; i < image->bgra.size(); i += 4) {
        std::uint8_t* p = image->bgra.data() + i;
        if (colour) {
            for (int c = 2; c >= 0; --c)
                if (auto failure = sample8(p[c]))
                    return std::move(*failure);
        } else {
            if (auto failure = sample8(p[0]))
                return std::move(*failure);
            p[1] = p[2] = p[0];
        }
    }
    return {std::move(*image), CodecError::None, {}};
}

} // namespace imaging::codecs
