#pragma once

#include <tiffio.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvent::plugins {

// The stored rows of a TIFF picture, read a band at a time: a strip, or a row of tiles, of every
// plane, so that libtiff decodes each strip or tile once. Contiguous strips are read a row at a
// time, which libtiff decodes in one pass without holding a whole strip.
class TTiffBand {
public:
    // A band larger than this is refused: no picture within the pixel limit needs one as large
    // unless its writer chose absurd strips or tiles.
    static constexpr std::uint64_t kMaxBytes = std::uint64_t{256} << 20;

    // Prepares to read a width x height picture of `planes` planes, whose pixels hold
    // `samplesPerPlane` samples of `bits` bits in each. Returns SPI_ALL_RIGHT, SPI_NO_MEMORY
    // (a band beyond kMaxBytes), SPI_NOT_SUPPORT or SPI_OUT_OF_ORDER.
    int Open(TIFF* tiff, int planes, int samplesPerPlane, int bits, int width, int height);
    // Rows in a band; the last band of a picture may hold fewer.
    int Rows() const { return fRows; }
    // Reads the band starting at stored row `top`, a multiple of Rows().
    bool Read(int top);
    // Row `top + r` of plane `plane`, as stored.
    const std::uint8_t* Row(int plane, int r) const {
        return fBytes.data() + (static_cast<std::size_t>(plane) * fRows + r) * fRowBytes;
    }

private:
    std::uint8_t* Row(int plane, int r) {
        return fBytes.data() + (static_cast<std::size_t>(plane) * fRows + r) * fRowBytes;
    }
    int OpenTiles(TIFF* tiff, int samplesPerPlane, int bits, int width, int height);
    bool ReadTiles(int top);
    bool ReadStrips(int top);

    TIFF* fTiff = nullptr;
    int fWidth = 0;
    int fHeight = 0;
    int fPlanes = 1;
    int fRows = 1;
    std::uint64_t fRowBytes = 0;
    std::uint32_t fTileWidth = 0;
    std::size_t fTileRowBytes = 0;
    std::vector<std::uint8_t> fTile;
    std::vector<std::uint8_t> fBytes;
};

// Sample `index` of a stored row, as an unsigned number of `bits` bits (1 to 64). libtiff leaves
// whole-byte samples in the machine's byte order; other depths are packed from the most
// significant bit.
std::uint64_t StoredSample(const std::uint8_t* row, std::size_t index, int bits);

}  // namespace korvent::plugins
