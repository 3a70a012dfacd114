#pragma once

#include <cstdint>

namespace korvent::graphics {

// Bits per pixel of a bitmap; the value is the depth itself.
enum class TPixelFormat : int {
    Bit1 = 1,
    Bit4 = 4,
    Bit8 = 8,
    Bit16 = 16,
    Bit24 = 24,
    Bit32 = 32,
};

constexpr int BitsPerPixel(TPixelFormat format) {
    return static_cast<int>(format);
}
constexpr bool IsIndexed(TPixelFormat format) {
    return BitsPerPixel(format) <= 8;
}

// One colour, as palettes and pixel look-ups hand it out (byte order in memory is not implied).
struct TRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const TRgb&, const TRgb&) = default;
};

// Where the channels of a 16-bit pixel sit (a little-endian 16-bit value).
struct TBitMasks {
    std::uint32_t red = 0x7C00;
    std::uint32_t green = 0x03E0;
    std::uint32_t blue = 0x001F;

    friend bool operator==(const TBitMasks&, const TBitMasks&) = default;
};

inline constexpr TBitMasks kMasks555{0x7C00, 0x03E0, 0x001F};
inline constexpr TBitMasks kMasks565{0xF800, 0x07E0, 0x001F};

struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace korvent::graphics
