#pragma once
// Shared by the neighbourhood filters of the picture class: rows widened with copies of their edge
// pixels, so the inner loops never test for the picture's border.

#include "imaging/filters/shared_work.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <thread>
#include <vector>

// The inner loops are compiled twice on x86-64, for AVX2 and for the baseline; the loader picks the
// one the processor runs.
#if defined(__x86_64__) && defined(__ELF__) && !defined(__SANITIZE_ADDRESS__)
#define PV_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define PV_VECTOR_CLONES
#endif

namespace imaging::detail {

// Rows of a 24-bit picture with `left` and `right` extra pixels repeating the edge pixels; a row number
// outside the picture gives the nearest edge row. The `count` most recently used rows are kept, so
// walking a window of `count` rows down the picture builds each row once.
class PaddedRows {
public:
    PaddedRows(const std::uint8_t* bits, int width, int height, int left, int right, int count)
        : bits_(bits), width_(width), height_(height), left_(left), right_(right),
          paddedStride_(static_cast<std::size_t>(width + left + right) * 3),
          storage_(paddedStride_ * static_cast<std::size_t>(count)),
          rowInSlot_(static_cast<std::size_t>(count), -1) {}

    // The widened row; its first byte is the pixel `left` places left of column 0.
    const std::uint8_t* row(int y) {
        y = std::clamp(y, 0, height_ - 1);
        const std::size_t slot = static_cast<std::size_t>(y) % rowInSlot_.size();
        std::uint8_t* target = storage_.data() + slot * paddedStride_;
        if (rowInSlot_[slot] != y) {
            const std::uint8_t* source =
                bits_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) * 3;
            for (int x = 0; x < left_; ++x)
                std::memcpy(target + static_cast<std::size_t>(x) * 3, source, 3);
            std::memcpy(target + static_cast<std::size_t>(left_) * 3, source,
                        static_cast<std::size_t>(width_) * 3);
            const std::uint8_t* last = source + static_cast<std::size_t>(width_ - 1) * 3;
            for (int x = 0; x < right_; ++x)
                std::memcpy(target + static_cast<std::size_t>(left_ + width_ + x) * 3, last, 3);
            rowInSlot_[slot] = y;
        }
        return target;
    }

private:
    const std::uint8_t* bits_;
    int width_;
    int height_;
    int left_;
    int right_;
    std::size_t paddedStride_;
    std::vector<std::uint8_t> storage_;
    std::vector<int> rowInSlot_;
};

// The extent of a window of size n around a pixel: n/2 before it, the rest after it.
inline int windowBefore(int n) {
    return n / 2;
}
inline int windowAfter(int n) {
    return n - 1 - n / 2;
}

// Runs body(firstRow, endRow) over bands of rows, on up to four threads when the picture is large enough
// to pay for them. The rows are cut into several bands per thread, which the threads take in turn, so a
// thread the system keeps waiting holds up little. True when every band's body returned true (false means
// escaped). An exception thrown by a band is passed on after all bands have ended.
template <typename Body> bool inBands(int height, std::size_t pixels, Body body) {
    constexpr std::size_t kPixelsPerThread = 400'000;
    constexpr int kBandsPerThread = 8;
    const unsigned available = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    const int threads = static_cast<int>(
        std::min<std::size_t>({available, std::max<std::size_t>(1, pixels / kPixelsPerThread),
                               static_cast<std::size_t>(std::max(height, 1))}));
    if (threads <= 1)
        return body(0, height);
    const int bands = std::min(height, threads * kBandsPerThread);
    std::vector<char> finished(static_cast<std::size_t>(bands), 0);
    std::vector<std::exception_ptr> errors(static_cast<std::size_t>(bands));
    shareWork(bands, threads - 1, [&](int band) {
        try {
            finished[static_cast<std::size_t>(band)] =
                body(height * band / bands, height * (band + 1) / bands);
        } catch (...) {
            errors[static_cast<std::size_t>(band)] = std::current_exception();
        }
    });
    for (const std::exception_ptr& error : errors) {
        if (error)
            std::rethrow_exception(error);
    }
    return std::all_of(finished.begin(), finished.end(), [](char done) { return done != 0; });
}

} // namespace imaging::detail
