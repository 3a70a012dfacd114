#include "TiffBand.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "spi/susie_api.h"

namespace korvent::plugins {

int TTiffBand::Open(TIFF* tiff, int planes, int samplesPerPlane, int bits, int width, int height) {
    fTiff = tiff;
    fWidth = width;
    fHeight = height;
    fPlanes = planes;
    fRowBytes = TIFFScanlineSize64(tiff);
    if (TIFFIsTiled(tiff)) {
        const int result = OpenTiles(tiff, samplesPerPlane, bits, width, height);
        if (result != SPI_ALL_RIGHT) {
            return result;
        }
    } else if (planes > 1) {
        std::uint32_t rowsPerStrip = 0;
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        fRows = static_cast<int>(std::clamp<std::uint32_t>(rowsPerStrip, 1, height));
    }
    if (fRowBytes == 0) {
        return SPI_OUT_OF_ORDER;
    }
    // Multiplied step by step, each product bounded before the next can overflow.
    if (fRowBytes > kMaxBytes || fRowBytes * fRows > kMaxBytes ||
        fRowBytes * fRows * fPlanes > kMaxBytes) {
        return SPI_NO_MEMORY;
    }
    fBytes.assign(fRowBytes * fRows * fPlanes, 0);
    return SPI_ALL_RIGHT;
}

int TTiffBand::OpenTiles(TIFF* tiff, int samplesPerPlane, int bits, int width, int height) {
    std::uint32_t tileLength = 0;
    TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &fTileWidth);
    TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileLength);
    const std::uint64_t tileRowBytes = TIFFTileRowSize64(tiff);
    const std::uint64_t tileBytes = TIFFTileSize64(tiff);
    if (fTileWidth == 0 || tileLength == 0) {
        return SPI_OUT_OF_ORDER;
    }
    if (tileRowBytes > kMaxBytes || tileBytes > kMaxBytes) {
        return SPI_NO_MEMORY;
    }
    // Samples are found by their bit position in a row of tiles, which holds only when a tile's
    // rows end on a byte: always so for tiles as wide as a multiple of 16.
    if (std::uint64_t{fTileWidth} * samplesPerPlane * bits != tileRowBytes * 8) {
        return SPI_NOT_SUPPORT;
    }
    fTileRowBytes = static_cast<std::size_t>(tileRowBytes);
    fTile.resize(static_cast<std::size_t>(tileBytes));
    fRows = static_cast<int>(std::min<std::uint32_t>(tileLength, height));
    const std::uint64_t across = (static_cast<std::uint64_t>(width) + fTileWidth - 1) / fTileWidth;
    fRowBytes = across * tileRowBytes;
    return SPI_ALL_RIGHT;
}

bool TTiffBand::Read(int top) {
    if (TIFFIsTiled(fTiff)) {
        return ReadTiles(top);
    }
    if (fRows == 1 && fPlanes == 1) {
        return TIFFReadScanline(fTiff, Row(0, 0), static_cast<std::uint32_t>(top), 0) >= 0;
    }
    return ReadStrips(top);
}

bool TTiffBand::ReadStrips(int top) {
    const auto size = static_cast<tmsize_t>(fRowBytes * std::min(fRows, fHeight - top));
    for (int plane = 0; plane < fPlanes; ++plane) {
        const std::uint32_t strip = TIFFComputeStrip(fTiff, static_cast<std::uint32_t>(top),
                                                     static_cast<std::uint16_t>(plane));
        if (TIFFReadEncodedStrip(fTiff, strip, Row(plane, 0), size) < 0) {
            return false;
        }
    }
    return true;
}

bool TTiffBand::ReadTiles(int top) {
    const int rows = std::min(fRows, fHeight - top);
    for (int plane = 0; plane < fPlanes; ++plane) {
        std::size_t offset = 0;
        for (std::uint64_t x = 0; x < static_cast<std::uint64_t>(fWidth); x += fTileWidth) {
            const std::uint32_t tile = TIFFComputeTile(fTiff, static_cast<std::uint32_t>(x),
                                                       static_cast<std::uint32_t>(top), 0,
                                                       static_cast<std::uint16_t>(plane));
            if (TIFFReadEncodedTile(fTiff, tile, fTile.data(),
                                    static_cast<tmsize_t>(fTile.size())) < 0) {
                return false;
            }
            for (int r = 0; r < rows; ++r) {
                std::memcpy(Row(plane, r) + offset, fTile.data() + r * fTileRowBytes,
                            fTileRowBytes);
            }
            offset += fTileRowBytes;
        }
    }
    return true;
}

std::uint64_t StoredSample(const std::uint8_t* row, std::size_t index, int bits) {
    std::uint64_t value = 0;
    if (bits % 8 == 0) {
        std::memcpy(&value, row + index * static_cast<std::size_t>(bits / 8),
                    static_cast<std::size_t>(bits / 8));
        if constexpr (std::endian::native == std::endian::big) {
            value >>= 64 - bits;
        }
        return value;
    }
    std::size_t bit = index * static_cast<std::size_t>(bits);
    for (int i = 0; i < bits; ++i, ++bit) {
        value = value << 1 | ((row[bit / 8] >> (7 - bit % 8)) & 1u);
    }
    return value;
}

}  // namespace korvent::plugins
