#pragma once

#include "graphics/Bitmap.h"
#include "graphics/Graphic.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace korvent::graphics {

// A JPEG picture: either a bitmap waiting to be compressed, compressed JFIF data, or both.
// Compression uses the library defaults with the floating-point DCT, forced baseline tables and
// no progressive mode, from 24-bit colour. Copies share their pixels and data.
class TJPEGImage : public TGraphic {
public:
    static constexpr int kDefaultQuality = 75;  // the library's own default

    TJPEGImage();
    TJPEGImage(const TJPEGImage& other);
    TJPEGImage& operator=(const TJPEGImage& other);
    ~TJPEGImage() override;

    // Without data and without a bitmap holding pixels: nothing could be compressed.
    bool Empty() const override { return !FData && (!FBitmap || FBitmap->Empty()); }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }

    // Takes the rest of the stream as JPEG data; the header must read as JPEG.
    void LoadFromStream(std::istream& stream) override;
    void LoadFromMemory(std::span<const std::uint8_t> data);
    // Writes the compressed data, compressing the bitmap first when needed.
    void SaveToStream(std::ostream& stream) const override;
    // From a bitmap (of any depth; kept as a 24-bit copy until compressed) or a JPEG picture.
    void Assign(const TGraphic& source) override;
    // From a bitmap handed over: its pixels are kept without a copy (converted in place when
    // not 24-bit), for pictures too large to hold twice.
    void TakeBitmap(TBitmap&& bitmap);
    // Keeps only the compressed data (compressing first when needed), freeing the pixels.
    void ReleaseBitmap();
    // Decodes into a TBitmap.
    bool AssignTo(TGraphic& dest) const override;

    int CompressionQuality() const { return FQuality; }
    // 1..100; anything else throws EInvalidGraphic. Takes effect at the next compression.
    void SetCompressionQuality(int quality);

    // Compresses the held bitmap at the current quality, replacing any earlier data.
    void Compress();
    // The complete JFIF bytes of the last compression (or of the loaded file); compresses
    // first when only a bitmap is held. Empty for an empty picture.
    std::span<const std::uint8_t> Data() const;

    // The picture decoded to a 24-bit bitmap (the held bitmap itself when there is one).
    TBitmap ToBitmap() const;

private:
    std::shared_ptr<const TBitmap> FBitmap;
    mutable std::shared_ptr<const std::vector<std::uint8_t>> FData;
    int FWidth = 0;
    int FHeight = 0;
    int FQuality = kDefaultQuality;
};

}  // namespace korvent::graphics
