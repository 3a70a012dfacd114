#include "ExifOrientation.h"

#include <cstring>

namespace korvent::plugins {
namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

struct TReader {
    const std::uint8_t* data;
    std::size_t size;
    bool bigEndian;

    bool Has(std::size_t offset, std::size_t count) const {
        return offset <= size && count <= size - offset;
    }
    std::uint16_t U16(std::size_t offset) const {
        const std::uint8_t* p = data + offset;
        return bigEndian ? static_cast<std::uint16_t>(p[0] << 8 | p[1])
                         : static_cast<std::uint16_t>(p[1] << 8 | p[0]);
    }
    std::uint32_t U32(std::size_t offset) const {
        const std::uint8_t* p = data + offset;
        return bigEndian ? (std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 |
                            std::uint32_t{p[2]} << 8 | p[3])
                         : (std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 |
                            std::uint32_t{p[1]} << 8 | p[0]);
    }
};

}  // namespace

int ExifOrientation(const std::uint8_t* segment, std::size_t size) {
    static constexpr char kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (!segment || size < sizeof kExif + 8 || std::memcmp(segment, kExif, sizeof kExif) != 0) {
        return 1;
    }
    TReader tiff{segment + sizeof kExif, size - sizeof kExif, false};
    if (tiff.data[0] == 'M' && tiff.data[1] == 'M') {
        tiff.bigEndian = true;
    } else if (tiff.data[0] != 'I' || tiff.data[1] != 'I') {
        return 1;
    }
    if (tiff.U16(2) != 42) {
        return 1;
    }
    const std::size_t ifd = tiff.U32(4);
    if (!tiff.Has(ifd, 2)) {
        return 1;
    }
    const std::size_t entries = tiff.U16(ifd);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = ifd + 2 + i * 12;
        if (!tiff.Has(entry, 12)) {
            return 1;
        }
        if (tiff.U16(entry) != kOrientationTag) {
            continue;
        }
        if (tiff.U16(entry + 2) != kShortType || tiff.U32(entry + 4) < 1) {
            return 1;
        }
        const int value = tiff.U16(entry + 8);
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

}  // namespace korvent::plugins
