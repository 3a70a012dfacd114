#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "graphics/Graphic.h"
#include "spi/susie_api.h"

namespace korvent::spi {

class TInSPI;

// A decode source: feeds one image (a file, or a block of memory) to the plug-ins that the host
// names for it, in order, at the offsets 0 and (MacBinary) 128, and owns the bitmap-info block
// and the pixel block that the plug-in which decoded it returned.
class TInSPIAbleData {
public:
    // The header that plug-ins get to recognise a file: 2048 bytes, plus room for a MacBinary
    // header in front.
    static constexpr std::size_t kHeaderLength = 2048 + 128;

    // `owner` is the Sender of the progress events.
    TInSPIAbleData(graphics::TGraphic& owner, std::string fileName);
    TInSPIAbleData(const TInSPIAbleData&) = delete;
    TInSPIAbleData& operator=(const TInSPIAbleData&) = delete;
    virtual ~TInSPIAbleData();

    // The decode loop. True when a plug-in decoded the image.
    bool Load();
    // Frees what a plug-in returned.
    void ReleaseHandles();

    // Both blocks held (and checked to describe a bitmap that lies inside them).
    bool HasPicture() const { return FBitmapInfo != nullptr && FPixels != nullptr; }
    const std::uint8_t* BitmapInfo() const { return static_cast<std::uint8_t*>(FBitmapInfo); }
    const std::uint8_t* Pixels() const { return static_cast<std::uint8_t*>(FPixels); }
    // Hands the pixel block over to the caller, who frees it with platform::LocalFree.
    SPI_HLOCAL TakePixels() { return std::exchange(FPixels, nullptr); }
    const std::string& FileName() const { return FFileName; }

    graphics::TGraphic::TProgressEvent OnProgress;

protected:
    struct TInput {
        const char* buf;
        long len;
        unsigned int flag;
    };

    // Copies the first min(size, length) bytes of the image into `buffer`; errors leave zeros.
    virtual void ReadHeader(std::uint8_t* buffer, std::size_t length) = 0;
    // The plug-in arguments for the image at `offset`; false when the image is shorter.
    virtual bool InputAt(long offset, TInput& input) const = 0;

private:
    static int SPI_CALL PluginProgress(int num, int denom, SPI_USERDATA user);

    bool TryLoader(const TInSPI& spi, const std::uint8_t* header, long offset);
    void QueryInfo(const TInSPI& spi, long offset);
    void QueryPreview(const TInSPI& spi, long offset);
    void QueryPicture(const TInSPI& spi, long offset);
    // Throws what a progress handler raised while the plug-in ran.
    void RethrowPending();
    bool HoldsValidBitmap() const;
    // Frees a lone block, or two that do not hold the bitmap their header describes.
    void DropUnusableBlocks();
    void ReportProgress(graphics::TProgressStage stage, std::uint8_t percent,
                        const std::string& message);

    graphics::TGraphic& FOwner;
    std::string FFileName;
    SPI_HLOCAL FBitmapInfo = nullptr;
    SPI_HLOCAL FPixels = nullptr;
    SPI_PICTINFO FPictureInfo{};
    std::exception_ptr FPending;
};

}  // namespace korvent::spi
