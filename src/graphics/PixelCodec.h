#pragma once

#include "graphics/PixelTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Pixel-level helpers shared by the bitmap, its file reader and its format conversion.
namespace korvent::graphics::pixel {

// Bytes of one DIB row: whole 32-bit words.
constexpr std::uint64_t RowStride(std::uint64_t width, int bits) {
    return (width * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
}

// The palette a new indexed bitmap starts with, and the one colours are mapped to when a picture
// has too many for the depth: black and white; the sixteen standard VGA colours; 3-3-2 RGB.
std::vector<TRgb> DefaultPalette(TPixelFormat format);

// A channel mask must be one run of set bits (or zero: the channel is absent).
bool IsContiguousMask(std::uint32_t mask);
// The channel under `mask` scaled to 0..255.
std::uint8_t ExtractChannel(std::uint32_t pixel, std::uint32_t mask);

std::uint32_t IndexAt(const std::uint8_t* row, int x, int bits);
void SetIndexAt(std::uint8_t* row, int x, int bits, std::uint32_t index);

// Decodes `width` pixels of a row into colours.
void RowToRgb(const std::uint8_t* row, int width, TPixelFormat format,
              std::span<const TRgb> palette, const TBitMasks& masks, TRgb* out);

// Index of the palette entry nearest to `color` (squared RGB distance); 0 for an empty palette.
std::uint32_t NearestIndex(std::span<const TRgb> palette, TRgb color);

}  // namespace korvent::graphics::pixel
