#pragma once

#include <cstddef>
#include <cstdint>

namespace korvent::graphics {

// The memory of a bitmap's pixel rows: a zeroed block of its own, or a block handed over with
// the function that frees it (a decoder's memory, used in place instead of copied). Copies are
// blocks of their own.
class TPixelBlock {
public:
    using TFree = void (*)(void*);

    TPixelBlock() = default;
    // Zeroed; throws std::bad_alloc when the memory is not there.
    explicit TPixelBlock(std::size_t size);
    // Takes `data` (at least `size` bytes), freed with `free`.
    TPixelBlock(void* data, std::size_t size, TFree free);
    TPixelBlock(const TPixelBlock& other);
    TPixelBlock& operator=(const TPixelBlock& other);
    TPixelBlock(TPixelBlock&& other) noexcept;
    TPixelBlock& operator=(TPixelBlock&& other) noexcept;
    ~TPixelBlock();

    std::uint8_t* data() { return FData; }
    const std::uint8_t* data() const { return FData; }
    std::size_t size() const { return FSize; }

private:
    void Release();

    std::uint8_t* FData = nullptr;
    std::size_t FSize = 0;
    TFree FFree = nullptr;
};

}  // namespace korvent::graphics
