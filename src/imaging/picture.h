#pragma once
// The image library's picture: what the loaders, the savers and the effect filters work on.

#include "imaging/codecs/raster.h"
#include "imaging/outcome.h"
#include "imaging/pixel_bytes.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

namespace imaging {

// A 24-bit picture: 3 bytes per pixel in the order blue, green, red, rows numbered from 0 at the BOTTOM
// of a decoded file (row 0 of a memory block is the block's first row), no row padding.
//
// Every operation that changes the pixels works on a copy and commits it at the end; it checks the
// escape flag as it goes, and when the flag is set it stops, leaves the picture as it was and returns
// false. The flag may be set from another thread. Neighbourhood operations clamp at the edges: a pixel
// outside the picture takes the value of the nearest edge pixel.
//
// The "window of size n" around a pixel (x, y) used by Erode, Dilate and Edge covers the columns
// x − n/2 … x − n/2 + n − 1 and the same rows (integer division): n = 2 is the pixel, its left
// neighbour, the pixel below (lower row number) and the one below-left; n = 3 is the centred 3 × 3.
class Picture {
public:
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Decodes the file with the codec of `formatCode` (codes without a codec fail). A picture with
    // transparency keeps its colour values; a metafile is laid on white.
    Outcome load(const QString& path, int formatCode);
    Outcome decode(std::span<const std::uint8_t> file, int formatCode);
    // A memory block starting with a 40-byte bitmap info header followed by 24-bit rows; the block's
    // rows become rows 0, 1, … in the same order. The format code becomes 1 (BMP).
    Outcome loadDib(std::span<const std::uint8_t> block);

    bool IsValid() const { return width_ > 0 && height_ > 0; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    // The format code of the decoded file.
    int GetType() const { return type_; }
    // Row `row` (0 = bottom), or null outside the picture.
    std::uint8_t* GetBits(int row);
    const std::uint8_t* GetBits(int row) const;

    // Writes the picture with the encoder of `formatCode` beside `path` and then puts it in place, so a
    // failure leaves any earlier file untouched. JPEG is written at quality 90, TIFF with LZW.
    Outcome save(const QString& path, int formatCode) const;
    // The file bytes for `formatCode`, or empty with `reason` set.
    std::vector<std::uint8_t> encode(int formatCode, std::string& reason) const;

    // Scales to width × height (both > 0). Mode 1: nearest neighbour, source column x·w/width (integer
    // division) and likewise for rows. Mode 0: bilinear with the integer weights and rounding of
    // ResampleBilinear (resample_bilinear.h).
    bool Resample(int width, int height, int mode);

    // Convolution: each channel value becomes (Σ kernel[r][c] · P(x + c − size/2, y + r − size/2)) / divisor
    // + offset, the division truncating toward zero, limited to 0 … 255. Kernel row r applies to picture
    // row y + r − size/2, so the kernel's first row meets the lower row number. A divisor of 0 counts as 1.
    // `kernel` holds size × size integers, row by row; size is odd, 1 … 15.
    bool Filter(const int* kernel, int size, int divisor, int offset);
    // Each channel value becomes the minimum over the window of size n (darkens, thins bright detail).
    bool Erode(int n);
    // Each channel value becomes the maximum over the window of size n (brightens, grows bright detail).
    bool Dilate(int n);
    // Each channel value becomes 255 − (maximum − minimum) over the window of size n: white where the
    // picture is flat, dark across edges.
    bool Edge(int n);
    // Each channel value becomes the median of the size × size centred window (size odd; for an even size
    // the window of Erode is used and the upper median taken).
    bool Median(int size);
    // Adds to each pixel one random whole number from −level/2 … level/2, the same to all three channels,
    // limited to 0 … 255.
    bool Noise(int level);
    // Each pixel takes the colour of a random pixel at most `radius` columns and rows away (clamped to
    // the picture), read from the picture as it was before the call.
    bool Jitter(int radius);
    // Each channel value becomes 255 − d, where d is the largest amount by which a pixel of the centred
    // 3 × 3 window is brighter than the centre (0 when none is): white on flat areas, dark on the dark
    // side of edges.
    bool Contour();

    void SetProgress(int progress) { progress_ = progress; }
    int GetProgress() const { return progress_; }
    // 1 asks a running operation to stop; 0 lets operations run.
    void SetEscape(int escape) { escape_.store(escape, std::memory_order_relaxed); }
    int GetEscape() const { return escape_.load(std::memory_order_relaxed); }
    // Noise and Jitter draw from a generator seeded at random; tests may fix the seed.
    void SetRandomSeed(std::uint64_t seed) { randomSeed_ = seed; }

private:
    Outcome adopt(RasterImage&& image, bool onWhite, int formatCode);
    RasterImage toRaster() const;
    bool escaped() const { return escape_.load(std::memory_order_relaxed) != 0; }
    std::size_t stride() const { return static_cast<std::size_t>(width_) * 3; }
    // Puts the new pixels in place unless the operation was escaped.
    bool commit(PixelBytes&& bits, int width, int height);
    enum class WindowResult { Minimum, Maximum, Edge };
    // Erode, Dilate or Edge over the window of size n.
    bool windowFilter(int n, WindowResult kind);
    // The 3 × 3 median of rows firstRow … endRow − 1 into `result` (a picture-sized block).
    bool median3x3(int firstRow, int endRow, std::uint8_t* result) const;

    int width_ = 0;
    int height_ = 0;
    int type_ = 0;
    int progress_ = 0;
    std::atomic<int> escape_{0};
    std::uint64_t randomSeed_ = initialSeed();
    PixelBytes bits_;

    static std::uint64_t initialSeed();
};

} // namespace imaging
