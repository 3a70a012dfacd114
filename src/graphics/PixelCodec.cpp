#include "graphics/PixelCodec.h"

#include <bit>

namespace korvent::graphics::pixel {

std::vector<TRgb> DefaultPalette(TPixelFormat format) {
    switch (format) {
        case TPixelFormat::Bit1:
            return {{0, 0, 0}, {255, 255, 255}};
        case TPixelFormat::Bit4:
            return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        case TPixelFormat::Bit8: {
            std::vector<TRgb> palette(256);
            for (unsigned i = 0; i < 256; ++i) {
                palette[i] = {static_cast<std::uint8_t>((i >> 5) * 255 / 7),
                              static_cast<std::uint8_t>(((i >> 2) & 7) * 255 / 7),
                              static_cast<std::uint8_t>((i & 3) * 255 / 3)};
            }
            return palette;
        }
        default:
            return {};
    }
}

bool IsContiguousMask(std::uint32_t mask) {
    if (mask == 0) {
        return true;
    }
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

std::uint8_t ExtractChannel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const int width = std::popcount(mask);
    const std::uint64_t value = (pixel & mask) >> shift;
    const std::uint64_t max = (std::uint64_t{1} << width) - 1;
    return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
}

std::uint32_t IndexAt(const std::uint8_t* row, int x, int bits) {
    switch (bits) {
        case 1:
            return (row[x >> 3] >> (7 - (x & 7))) & 1;
        case 4:
            return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
        default:
            return row[x];
    }
}

void SetIndexAt(std::uint8_t* row, int x, int bits, std::uint32_t index) {
    switch (bits) {
        case 1: {
            const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
            row[x >> 3] =
                static_cast<std::uint8_t>((index & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
            break;
        }
        case 4: {
            std::uint8_t& byte = row[x >> 1];
            if (x & 1) {
                byte = static_cast<std::uint8_t>((byte & 0xF0) | (index & 0x0F));
            } else {
                byte = static_cast<std::uint8_t>((byte & 0x0F) | ((index & 0x0F) << 4));
            }
            break;
        }
        default:
            row[x] = static_cast<std::uint8_t>(index);
    }
}

void RowToRgb(const std::uint8_t* row, int width, TPixelFormat format,
              std::span<const TRgb> palette, const TBitMasks& masks, TRgb* out) {
    const int bits = BitsPerPixel(format);
    switch (format) {
        case TPixelFormat::Bit1:
        case TPixelFormat::Bit4:
        case TPixelFormat::Bit8:
            for (int x = 0; x < width; ++x) {
                const std::uint32_t index = IndexAt(row, x, bits);
                out[x] = index < palette.size() ? palette[index] : TRgb{};
            }
            break;
        case TPixelFormat::Bit16:
            for (int x = 0; x < width; ++x) {
                const std::uint32_t value = row[2 * x] | (std::uint32_t{row[2 * x + 1]} << 8);
                out[x] = {ExtractChannel(value, masks.red), ExtractChannel(value, masks.green),
                          ExtractChannel(value, masks.blue)};
            }
            break;
        case TPixelFormat::Bit24:
            for (int x = 0; x < width; ++x) {
                out[x] = {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
            }
            break;
        case TPixelFormat::Bit32:
            for (int x = 0; x < width; ++x) {
                out[x] = {row[4 * x + 2], row[4 * x + 1], row[4 * x]};
            }
            break;
    }
}

std::uint32_t NearestIndex(std::span<const TRgb> palette, TRgb color) {
    std::uint32_t best = 0;
    int bestDistance = 1 << 30;
    for (std::uint32_t i = 0; i < palette.size(); ++i) {
        const int dr = int{palette[i].red} - color.red;
        const int dg = int{palette[i].green} - color.green;
        const int db = int{palette[i].blue} - color.blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) {
                break;
            }
        }
    }
    return best;
}

}  // namespace korvent::graphics::pixel
