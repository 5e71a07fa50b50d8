// Reading Netpbm PAM pictures (P7): a header of keyword lines, then raw samples, one or two bytes each.

#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/pnm_codec.h"
#include "imaging/codecs/raster_util.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace imaging::codecs {
namespace {

DecodeResult fail(CodecError e, const char* why) {
    return DecodeResult::failure(e, why);
}

struct PamHeader {
    std::uint32_t width = 0, height = 0, depth = 0, maxValue = 0;
    std::string tupleType;
    std::size_t dataStart = 0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A decimal header value of at most 9 digits.
bool parseNumber(std::string_view text, std::uint32_t& value) {
    text = trimmed(text);
    if (text.empty() || text.size() > 9)
        return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return true;
}

// Reads the keyword lines after "P7" up to and including the line "ENDHDR".
std::optional<DecodeResult> readHeader(std::span<const std::uint8_t> file, PamHeader& header) {
    std::size_t pos = 2;
    bool seenWidth = false, seenHeight = false, seenDepth = false, seenMaxValue = false;
    while (true) {
        if (pos >= file.size())
            return fail(CodecError::Truncated, "PAM header without ENDHDR");
        std::size_t end = pos;
        while (end < file.size() && file[end] != '\n')
            ++end;
        const std::string_view line = trimmed({reinterpret_cast<const char*>(file.data()) + pos, end - pos});
        pos = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        std::size_t split = 0;
        while (split < line.size() && !isBlank(line[split]))
            ++split;
        const std::string_view keyword = line.substr(0, split);
        const std::string_view value = trimmed(line.substr(split));
        if (keyword == "ENDHDR") {
            header.dataStart = std::min(pos, file.size());
            break;
        }
        bool ok = true;
        if (keyword == "WIDTH")
            ok = seenWidth = parseNumber(value, header.width);
        else if (keyword == "HEIGHT")
            ok = seenHeight = parseNumber(value, header.height);
        else if (keyword == "DEPTH")
            ok = seenDepth = parseNumber(value, header.depth);
        else if (keyword == "MAXVAL")
            ok = seenMaxValue = parseNumber(value, header.maxValue);
        else if (keyword == "TUPLTYPE") // repeated lines add up, separated by a blank
            header.tupleType.append(header.tupleType.empty() ? 0 : 1, ' ').append(value);
        // Other keywords carry nothing this reader needs.
        if (!ok)
            return fail(CodecError::Corrupt, "bad PAM header value");
    }
    if (!seenWidth || !seenHeight || !seenDepth || !seenMaxValue)
        return fail(CodecError::Corrupt, "PAM header without its size, depth or maxval");
    if (header.maxValue == 0 || header.maxValue > 65535)
        return fail(CodecError::Corrupt, "PAM maxval out of range");
    return std::nullopt;
}

// The depth a known tuple type needs; 0 for a type this reader does not know.
std::uint32_t depthOfTupleType(const std::string& type) {
    static constexpr std::array<std::pair<std::string_view, std::uint32_t>, 6> kTypes{{
        {"BLACKANDWHITE", 1},
        {"GRAYSCALE", 1},
        {"RGB", 3},
        {"BLACKANDWHITE_ALPHA", 2},
        {"GRAYSCALE_ALPHA", 2},
        {"RGB_ALPHA", 4},
    }};
    for (const auto& [name, depth] : kTypes)
        if (type == name)
            return depth;
    return 0;
}

} // namespace

DecodeResult decodePam(std::span<const std::uint8_t> file) {
    if (file.size() < 3 || file[0] != 'P' || file[1] != '7' || (file[2] != '\n' && file[2] != '\r'))
        return fail(CodecError::NotThisFormat, "not a PAM file");
    PamHeader header;
    if (auto failure = readHeader(file, header))
        return std::move(*failure);
    // A type this reader does not know is read by its depth: grey, grey and alpha, RGB, RGB and alpha.
    const std::uint32_t typeDepth = depthOfTupleType(header.tupleType);
    if (typeDepth != 0 && typeDepth != header.depth)
        return fail(CodecError::Corrupt, "PAM depth does not match its tuple type");
    if (header.depth < 1 || header.depth > 4)
        return fail(CodecError::Unsupported, "PAM depth other than 1 to 4");
    if (!pixelCountAcceptable(header.width, header.height))
        return sizeFailure(header.width, header.height);
    const std::uint64_t bytesPerSample = header.maxValue > 255 ? 2 : 1;
    const std::uint64_t samples = std::uint64_t{header.width} * header.height * header.depth;
    if (!fitsIn(file.size(), header.dataStart, samples * bytesPerSample))
        return fail(CodecError::Truncated, "truncated PAM pixel data");

    auto image = allocateRaster(header.width, header.height);
    if (!image)
        return sizeFailure(header.width, header.height);
    const std::uint8_t* data = file.data() + header.dataStart;
    const bool colour = header.depth >= 3;
    const bool alpha = header.depth == 2 || header.depth == 4;
    for (std::size_t i = 0; i < image->bgra.size(); i += 4) {
        std::uint8_t sample[4] = {};
        for (std::uint32_t c = 0; c < header.depth; ++c) {
            const std::uint32_t value = bytesPerSample == 2 ? be16(data) : data[0];
            data += bytesPerSample;
            if (value > header.maxValue)
                return fail(CodecError::Corrupt, "PAM sample above maxval");
            sample[c] = scaleTo8(value, header.maxValue);
        }
        std::uint8_t* p = image->bgra.data() + i;
        if (colour) {
            p[0] = sample[2];
            p[1] = sample[1];
            p[2] = sample[0];
        } else {
            p[0] = p[1] = p[2] = sample[0];
        }
        p[3] = alpha ? sample[header.depth - 1] : 255;
    }
    if (alpha)
        settleAlpha(*image);
    return {std::move(*image), CodecError::None, {}};
}

} // namespace imaging::codecs
