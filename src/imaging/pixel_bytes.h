#pragma once
// A picture's pixel bytes: a decoder's buffer taken over as it is, or a block allocated without being
// filled, for an operation that goes on to write every byte of it. Filling a photo-sized block first would
// cost a whole extra pass over memory on one thread.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace imaging {

class PixelBytes {
public:
    PixelBytes() = default;
    explicit PixelBytes(std::vector<std::uint8_t>&& bytes) : taken_(std::move(bytes)) {}
    // `size` bytes of unspecified value: the caller writes them all before anyone reads them.
    static PixelBytes unfilled(std::size_t size) {
        PixelBytes bytes;
        bytes.block_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
        bytes.blockSize_ = size;
        return bytes;
    }

    std::uint8_t* data() { return block_ ? block_.get() : taken_.data(); }
    const std::uint8_t* data() const { return block_ ? block_.get() : taken_.data(); }
    std::size_t size() const { return block_ ? blockSize_ : taken_.size(); }

private:
    std::vector<std::uint8_t> taken_;
    std::unique_ptr<std::uint8_t[]> block_;
    std::size_t blockSize_ = 0;
};

} // namespace imaging
