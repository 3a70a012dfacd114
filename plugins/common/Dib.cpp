#include "Dib.h"

#include <cstring>

#include "HostMemory.h"

namespace korvent::plugins {

TDib::~TDib() {
    HostFree(fInfo);
    HostFree(fBits);
}

int TDib::Create(std::int64_t width, std::int64_t height, int bitCount, int colors) {
    if (width <= 0 || height <= 0) {
        return SPI_OUT_OF_ORDER;
    }
    if (static_cast<std::uint64_t>(width) > kMaxPixels ||
        static_cast<std::uint64_t>(height) > kMaxPixels ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels) {
        return SPI_NO_MEMORY;
    }
    if ((bitCount != 8 && bitCount != 24) || colors < 0 || colors > 256 ||
        (bitCount == 24 && colors != 0)) {
        return SPI_OTHER_ERROR;
    }
    // At most 2^28 pixels of 3 bytes: the sizes below stay far inside 32 bits.
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(height);
    const std::size_t infoSize = sizeof(SPI_BITMAPINFOHEADER) + 4 * static_cast<size_t>(colors);

    HostFree(fInfo);
    HostFree(fBits);
    fInfo = static_cast<std::uint8_t*>(HostAlloc(infoSize));
    fBits = static_cast<std::uint8_t*>(HostAlloc(imageSize));
    if (!fInfo || !fBits) {
        HostFree(fInfo);
        HostFree(fBits);
        fInfo = fBits = nullptr;
        return SPI_NO_MEMORY;
    }
    fWidth = static_cast<int>(width);
    fHeight = static_cast<int>(height);
    fColors = colors;
    fStride = static_cast<std::size_t>(stride);

    SPI_BITMAPINFOHEADER header{};
    header.biSize = sizeof(SPI_BITMAPINFOHEADER);
    header.biWidth = fWidth;
    header.biHeight = fHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<std::uint16_t>(bitCount);
    header.biCompression = 0;
    header.biSizeImage = static_cast<std::uint32_t>(imageSize);
    header.biXPelsPerMeter = 0;
    header.biYPelsPerMeter = 0;
    header.biClrUsed = static_cast<std::uint32_t>(colors);
    header.biClrImportant = 0;
    std::memcpy(fInfo, &header, sizeof header);
    // Padding bytes at the end of each row are part of the data the host copies.
    if (fStride * 8 != static_cast<std::size_t>(width) * bitCount) {
        for (int y = 0; y < fHeight; ++y) {
            std::memset(Row(y) + fStride - 4, 0, 4);
        }
    }
    return SPI_ALL_RIGHT;
}

void TDib::SetColor(int i, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (i < 0 || i >= fColors) {
        return;
    }
    std::uint8_t* entry = fInfo + sizeof(SPI_BITMAPINFOHEADER) + 4 * static_cast<size_t>(i);
    entry[0] = blue;
    entry[1] = green;
    entry[2] = red;
    entry[3] = 0;
}

void TDib::Release(SPI_HLOCAL* info, SPI_HLOCAL* bits) {
    *info = fInfo;
    *bits = fBits;
    fInfo = fBits = nullptr;
}

}  // namespace korvent::plugins
