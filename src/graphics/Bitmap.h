#pragma once

#include "graphics/Graphic.h"
#include "graphics/PixelBlock.h"
#include "graphics/PixelTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korvent::graphics {

// An in-memory device-independent bitmap. Rows are kept top to bottom, each padded to a multiple
// of four bytes as in a Windows DIB; pixels are stored as a DIB stores them (24 bits: blue, green,
// red; 32 bits: blue, green, red, unused; 16 bits: a little-endian value laid out by BitMasks();
// 1, 4 and 8 bits: palette indexes, the leftmost pixel in the highest bits of a byte).
class TBitmap : public TGraphic {
public:
    // Larger pictures are refused: no file the program meets is that big, and it keeps every
    // buffer size far from overflow.
    static constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::Bit24);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(TBitmap&& other) noexcept;
    ~TBitmap() override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }

    // Windows BMP files: core and info headers (12 to 124 bytes), BI_RGB at 1, 4, 8, 16, 24 and
    // 32 bits, BI_BITFIELDS at 16 and 32, RLE8 and RLE4, bottom-up and top-down. Reading stops
    // right after the picture. A failed load leaves this bitmap as it was.
    void LoadFromStream(std::istream& stream) override;
    // Writes a bottom-up BI_RGB file (BI_BITFIELDS for 16-bit masks other than 5-5-5).
    void SaveToStream(std::ostream& stream) const override;
    void Assign(const TGraphic& source) override;

    // A whole BMP file held in memory.
    void LoadFromMemory(std::span<const std::uint8_t> file);
    // A packed DIB as decoders hand it over: `info` holds the bitmap-info header, any colour
    // masks and the colour table; `bits` the pixel rows (bottom-up unless the height is negative).
    void LoadFromDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits);

    // Takes pixel rows that a decoder left in memory of its own, laid out as this bitmap's rows
    // (`rows` must hold at least Stride() × height bytes), so that a decoded picture is never
    // held twice. Bottom-up rows are turned over in place. The palette becomes the default one.
    void AdoptPixels(int width, int height, TPixelFormat format, TPixelBlock rows, bool bottomUp);

    // Resizes, keeping the overlapping top-left part; new pixels are zero.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels. Towards fewer bits, a picture with few enough colours keeps them all;
    // otherwise colours are mapped to the nearest entry of a fixed palette.
    void SetPixelFormat(TPixelFormat format);
    int BitsPerPixel() const { return graphics::BitsPerPixel(FPixelFormat); }

    // Bytes per row including the padding to four bytes.
    std::size_t Stride() const { return FStride; }
    // Row `row` counted from the top, Stride() bytes. Throws EInvalidGraphic when out of range.
    std::span<std::uint8_t> ScanLine(int row);
    std::span<const std::uint8_t> ScanLine(int row) const;
    // All rows, top to bottom.
    std::span<const std::uint8_t> Bits() const { return {FBits.data(), FBits.size()}; }

    // Colour table of an indexed bitmap (at most 2^bits entries); empty for other formats.
    const std::vector<TRgb>& Palette() const { return FPalette; }
    // Longer tables are cut to 2^bits entries; ignored for formats above 8 bits.
    void SetPalette(std::vector<TRgb> palette);

    // Layout of 16-bit pixels; 5-5-5 unless the bitmap came from a file with other masks.
    const TBitMasks& BitMasks() const { return FMasks; }
    // Only 16-bit bitmaps take masks; each must be one run of bits inside the low 16 bits.
    void SetBitMasks(const TBitMasks& masks);

    // Colour of a pixel; an index beyond the palette reads as black.
    TRgb PixelColor(int x, int y) const;
    // Sets a pixel; indexed bitmaps take the nearest palette entry.
    void SetPixelColor(int x, int y, TRgb color);

private:
    void Reset(int width, int height, TPixelFormat format);
    // Sets the size, format and row stride, with the format's default palette; returns the
    // number of pixel bytes.
    std::size_t SetLayout(int width, int height, TPixelFormat format);
    void CheckPixel(int x, int y) const;

    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = TPixelFormat::Bit24;
    std::size_t FStride = 0;
    TPixelBlock FBits;
    std::vector<TRgb> FPalette;
    TBitMasks FMasks;
};

}  // namespace korvent::graphics
