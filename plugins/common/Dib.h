#pragma once

#include <cstddef>
#include <cstdint>

#include "spi/susie_api.h"

namespace korvent::plugins {

// The device-independent bitmap a plug-in builds and hands to the host: an info block
// (header and colour table) and a block of bottom-up rows, both from HostAlloc. Until Release()
// both blocks belong to this object and are freed with it.
class TDib {
public:
    // Larger images are refused before anything is allocated.
    static constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

    TDib() = default;
    TDib(const TDib&) = delete;
    TDib& operator=(const TDib&) = delete;
    ~TDib();

    // Allocates a width x height bitmap of 8 (with `colors` palette entries) or 24 bits per
    // pixel. Returns SPI_ALL_RIGHT, SPI_NO_MEMORY (too large, or out of memory) or
    // SPI_OUT_OF_ORDER (a size of zero or less).
    int Create(std::int64_t width, std::int64_t height, int bitCount, int colors = 0);

    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    std::size_t Stride() const { return fStride; }
    // Row `y` counted from the top of the picture.
    std::uint8_t* Row(int y) { return fBits + static_cast<std::size_t>(fHeight - 1 - y) * fStride; }
    // Colour-table entry i as blue, green, red, reserved.
    void SetColor(int i, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    // Hands both blocks to the caller, who frees them as host memory.
    void Release(SPI_HLOCAL* info, SPI_HLOCAL* bits);

private:
    std::uint8_t* fInfo = nullptr;
    std::uint8_t* fBits = nullptr;
    int fWidth = 0;
    int fHeight = 0;
    int fColors = 0;
    std::size_t fStride = 0;
};

// A colour channel of a pixel with coverage `alpha`, laid over white.
inline std::uint8_t OverWhite(unsigned value, unsigned alpha) {
    return static_cast<std::uint8_t>((value * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

}  // namespace korvent::plugins
