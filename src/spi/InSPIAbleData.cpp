#include "spi/InSPIAbleData.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/Abort.h"
#include "platform/LocalMemory.h"
#include "platform/ScopeExit.h"
#include "spi/InSPI.h"
#include "spi/SPIInvalidAPI.h"
#include "spi/SPIs.h"

namespace korvent::spi {
namespace {

using graphics::TProgressStage;

// a * b / c rounded to the nearest whole number, halves away from zero, with a 64-bit product;
// -1 for a zero divisor or a result beyond 32 bits (the Windows MulDiv rule).
int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t absProduct = product < 0 ? -product : product;
    const std::int64_t absDivisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    std::int64_t quotient = (absProduct + absDivisor / 2) / absDivisor;
    if ((product < 0) != (c < 0)) {
        quotient = -quotient;
    }
    if (quotient > INT32_MAX || quotient < INT32_MIN) {
        return -1;
    }
    return static_cast<int>(quotient);
}

}  // namespace

TInSPIAbleData::TInSPIAbleData(graphics::TGraphic& owner, std::string fileName)
    : FOwner(owner), FFileName(std::move(fileName)) {}

TInSPIAbleData::~TInSPIAbleData() {
    ReleaseHandles();
}

void TInSPIAbleData::ReleaseHandles() {
    platform::LocalFree(FBitmapInfo);
    platform::LocalFree(FPixels);
    platform::LocalFree(FPictureInfo.hInfo);
    FBitmapInfo = nullptr;
    FPixels = nullptr;
    FPictureInfo.hInfo = nullptr;
}

void TInSPIAbleData::ReportProgress(TProgressStage stage, std::uint8_t percent,
                                    const std::string& message) {
    if (OnProgress) {
        OnProgress(FOwner, stage, percent, stage == TProgressStage::Ending, graphics::TRect{},
                   message);
    }
}

bool TInSPIAbleData::Load() {
    const TSPIs* host = TSPIs::LiveHost();
    const bool macBinary = host && host->MacBinary;
    ReportProgress(TProgressStage::Starting, 0, "Loading Graphic by Susie Plugin");
    {
        // The end is reported however the search ends, and before its result is read.
        const platform::ScopeExit ending([this] {
            ReportProgress(TProgressStage::Ending, 100, "Loaded Graphic by Susie Plugin");
        });
        ReleaseHandles();
        ReportProgress(TProgressStage::Running, 1, "Seeking enabled Susie Plugins");
        const std::vector<TInSPI*> candidates = TSPIs::CandidateLoaders(FFileName);
        std::vector<std::uint8_t> header(kHeaderLength, 0);
        ReadHeader(header.data(), header.size());
        bool decoded = false;
        for (const TInSPI* spi : candidates) {
            for (const long offset : {0L, 128L}) {
                if (offset == 128 && !macBinary) {
                    break;
                }
                ReportProgress(
                    TProgressStage::Running, 1,
                    "Loading by [" +
                        std::filesystem::path(spi->ModuleFileName()).filename().string() + "]");
                TryLoader(*spi, header.data(), offset);
                if (HasPicture()) {
                    decoded = true;
                    break;
                }
                ReleaseHandles();
            }
            if (decoded) {
                break;
            }
        }
    }
    return HasPicture();
}

bool TInSPIAbleData::TryLoader(const TInSPI& spi, const std::uint8_t* header, long offset) {
    TInput input{};
    // An image shorter than the offset has nothing a plug-in could read there.
    if (!InputAt(offset, input)) {
        return false;
    }
    if (spi.IsSupported(FFileName.c_str(), header + offset) == 0) {
        return false;
    }
    QueryInfo(spi, offset);
    const TSPIs* host = TSPIs::LiveHost();
    if (host && host->GraphicPreview) {
        QueryPreview(spi, offset);
        DropUnusableBlocks();
        if (!HasPicture()) {
            QueryPicture(spi, offset);
        }
    } else {
        QueryPicture(spi, offset);
    }
    DropUnusableBlocks();
    return HasPicture();
}

void TInSPIAbleData::DropUnusableBlocks() {
    // A plug-in that reports success must still hand over both blocks, holding what their
    // header describes; anything else is freed as if the plug-in had failed (a lone block would
    // otherwise be overwritten, and lost, by the next call).
    if (!HasPicture() || !HoldsValidBitmap()) {
        platform::LocalFree(FBitmapInfo);
        platform::LocalFree(FPixels);
        FBitmapInfo = FPixels = nullptr;
    }
}

void TInSPIAbleData::QueryInfo(const TInSPI& spi, long offset) {
    TInput input{};
    InputAt(offset, input);
    platform::LocalFree(FPictureInfo.hInfo);
    FPictureInfo = {};
    if (spi.GetPictureInfo(input.buf, input.len, input.flag, &FPictureInfo) != SPI_ALL_RIGHT) {
        // What a failing plug-in left in the record is not its to hand over.
        FPictureInfo.hInfo = nullptr;
    }
}

void TInSPIAbleData::QueryPreview(const TInSPI& spi, long offset) {
    if (!spi.HasGetPreview()) {
        FBitmapInfo = FPixels = nullptr;
        return;
    }
    TInput input{};
    InputAt(offset, input);
    FPending = nullptr;
    const int result = spi.GetPreview(input.buf, input.len, input.flag, &FBitmapInfo, &FPixels,
                                      PluginProgress, reinterpret_cast<SPI_USERDATA>(this));
    if (result != SPI_ALL_RIGHT) {
        FBitmapInfo = FPixels = nullptr;
    }
    RethrowPending();
}

void TInSPIAbleData::QueryPicture(const TInSPI& spi, long offset) {
    TInput input{};
    InputAt(offset, input);
    FPending = nullptr;
    const int result = spi.GetPicture(input.buf, input.len, input.flag, &FBitmapInfo, &FPixels,
                                      PluginProgress, reinterpret_cast<SPI_USERDATA>(this));
    if (result != SPI_ALL_RIGHT) {
        FBitmapInfo = FPixels = nullptr;
    }
    RethrowPending();
}

void TInSPIAbleData::RethrowPending() {
    if (FPending) {
        std::exception_ptr pending = std::move(FPending);
        FPending = nullptr;
        ReleaseHandles();
        std::rethrow_exception(pending);
    }
}

int SPI_CALL TInSPIAbleData::PluginProgress(int num, int denom, SPI_USERDATA user) {
    auto* source = reinterpret_cast<TInSPIAbleData*>(user);
    if (!source || !source->OnProgress) {
        return 0;
    }
    try {
        // Stored in a byte, as the progress event takes it.
        const auto percent = static_cast<std::uint8_t>(2 + MulDiv(num, 97, denom));
        source->ReportProgress(TProgressStage::Running, percent, "");
        return 0;
    } catch (const EAbort&) {
        return 1;
    } catch (...) {
        // An exception must not unwind through the plug-in's C frames: the plug-in is asked
        // to stop, and the exception goes on once it has returned.
        source->FPending = std::current_exception();
        return 1;
    }
}

bool TInSPIAbleData::HoldsValidBitmap() const {
    const std::size_t infoSize = platform::LocalSize(FBitmapInfo);
    const std::size_t pixelSize = platform::LocalSize(FPixels);
    SPI_BITMAPINFOHEADER h{};
    if (infoSize < sizeof h) {
        return false;
    }
    std::memcpy(&h, FBitmapInfo, sizeof h);
    const int bits = h.biBitCount;
    if (h.biSize < sizeof h || h.biSize > infoSize || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biHeight == INT32_MIN ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
        return false;
    }
    if (h.biCompression != 0 && !(h.biCompression == 3 && (bits == 16 || bits == 32))) {
        return false;
    }
    const std::uint64_t height =
        static_cast<std::uint64_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    if (static_cast<std::uint64_t>(h.biWidth) * height > (std::uint64_t{1} << 28)) {
        return false;
    }
    std::uint64_t colors = h.biClrUsed;
    if (colors == 0 && bits <= 8) {
        colors = std::uint64_t{1} << bits;
    }
    const std::uint64_t header =
        std::uint64_t{h.biSize} + (h.biCompression == 3 ? 12 : 0) + 4 * colors;
    const std::uint64_t stride = ((static_cast<std::uint64_t>(h.biWidth) * bits + 31) / 32) * 4;
    return colors <= 256 && header <= infoSize && stride * height <= pixelSize;
}

}  // namespace korvent::spi
