#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Graphic.h"
#include "graphics/GraphicClass.h"
#include "graphics/PixelTypes.h"

namespace korvent::graphics {
class TBitmap;
}

namespace korvent::spi {

class TInSPIAbleData;

// A picture decoded by a plug-in, held as the device-independent bitmap the plug-in returned
// (in the plug-in's memory) until it is turned into a TBitmap.
class TSPIGraphic : public graphics::TGraphic {
public:
    static const graphics::TGraphicClass& Class();

    TSPIGraphic();
    TSPIGraphic(const TSPIGraphic&) = delete;
    TSPIGraphic& operator=(const TSPIGraphic&) = delete;
    ~TSPIGraphic() override;

    // True with no source, or a source that no plug-in decoded.
    bool Empty() const override;
    int Width() const override { return FWidth; }
    // Negative for a top-down bitmap, as the plug-in's header gives it.
    int Height() const override { return FHeight; }
    // The colour table; empty for bitmaps without one.
    const std::vector<graphics::TRgb>& Palette() const { return FPalette; }
    bool IsFourBit() const { return FFourBit; }

    // Both raise EInvalidGraphic "Susie Plugins could not decode" when no plug-in decodes the
    // image; the graphic is empty then.
    void LoadFromFile(const std::filesystem::path& fileName) override;
    // = LoadFromStreamWithName(stream, ""): with no name, no plug-in is preferred.
    void LoadFromStream(std::istream& stream) override;
    // The image starts at the stream's beginning; `FileName` picks the plug-ins to try first.
    virtual void LoadFromStreamWithName(std::istream& Stream, const std::string& FileName);
    // Writes a BMP file: file header, the bitmap info, the pixels.
    void SaveToStream(std::ostream& stream) const override;

    // A bitmap with this picture; the plug-in's memory is freed as soon as the rows are copied,
    // and the graphic is empty afterwards. (At most two copies of the picture exist at any
    // time, as with a round trip through a BMP file in memory, with one copy less.)
    std::unique_ptr<graphics::TBitmap> ToBitmap();
    // The same, keeping this graphic's picture.
    std::unique_ptr<graphics::TBitmap> CopyToBitmap() const;

private:
    void Decode();
    void ReleaseData();
    void UpdateInfo();
    std::vector<std::uint8_t> BmpFile() const;
    std::unique_ptr<graphics::TBitmap> BuildBitmap() const;

    std::unique_ptr<TInSPIAbleData> FSource;
    int FWidth = 0;
    int FHeight = 0;
    std::vector<graphics::TRgb> FPalette;
    std::size_t FHeaderSize = 0;
    std::size_t FPixelDataSize = 0;
    bool FFourBit = false;
};

}  // namespace korvent::spi
