#pragma once

#include "graphics/PixelTypes.h"

#include <cstdint>
#include <vector>

namespace korvent::graphics::testing {

// Assembles BMP files byte by byte, so tests can state exactly what a reader meets.
struct BmpLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: top-down
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;  // 12: core header
    std::vector<TRgb> palette{};
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks{};  // written after a 40-byte header
    std::vector<std::uint8_t> pixels{};  // exactly as stored in the file
    std::uint32_t sizeImage = 0;
    bool pixelOffsetZero = false;
};

inline void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// The bitmap-info block alone (header, masks, colour table), as a packed DIB starts.
inline std::vector<std::uint8_t> BuildInfo(const BmpLayout& layout) {
    std::vector<std::uint8_t> out;
    Put(out, layout.headerSize, 4);
    if (layout.headerSize == 12) {
        Put(out, static_cast<std::uint32_t>(layout.width), 2);
        Put(out, static_cast<std::uint32_t>(layout.height), 2);
        Put(out, 1, 2);
        Put(out, layout.bits, 2);
    } else {
        Put(out, static_cast<std::uint32_t>(layout.width), 4);
        Put(out, static_cast<std::uint32_t>(layout.height), 4);
        Put(out, 1, 2);
        Put(out, layout.bits, 2);
        Put(out, layout.compression, 4);
        Put(out, layout.sizeImage, 4);
        Put(out, 2835, 4);
        Put(out, 2835, 4);
        Put(out, layout.colorsUsed, 4);
        Put(out, 0, 4);
        while (out.size() < layout.headerSize) {
            out.push_back(0);
        }
        for (std::uint32_t mask : layout.masks) {
            Put(out, mask, 4);
        }
    }
    for (const TRgb& c : layout.palette) {
        out.push_back(c.blue);
        out.push_back(c.green);
        out.push_back(c.red);
        if (layout.headerSize != 12) {
            out.push_back(0);
        }
    }
    return out;
}

inline std::vector<std::uint8_t> BuildBmp(const BmpLayout& layout) {
    const std::vector<std::uint8_t> info = BuildInfo(layout);
    std::vector<std::uint8_t> out = {'B', 'M'};
    const std::uint32_t offset = 14 + static_cast<std::uint32_t>(info.size());
    Put(out, offset + static_cast<std::uint32_t>(layout.pixels.size()), 4);
    Put(out, 0, 4);
    Put(out, layout.pixelOffsetZero ? 0 : offset, 4);
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), layout.pixels.begin(), layout.pixels.end());
    return out;
}

}  // namespace korvent::graphics::testing
