// One shipped plug-in's entry points under libFuzzer: recognition, picture info and decoding of
// arbitrary bytes handed over as memory. The plug-in's sources are built into this program.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "spi/susie_api.h"

extern "C" {
int GetPluginInfo(int infono, char* buf, int buflen);
int IsSupported(const char* filename, SPI_DWORD_PTR dw);
int GetPictureInfo(const char* buf, long len, unsigned int flag, SPI_PICTINFO* lpInfo);
int GetPicture(const char* buf, long len, unsigned int flag, SPI_HLOCAL* pHBInfo, SPI_HLOCAL* pHBm,
               SPI_PROGRESS lpPrgressCallback, SPI_USERDATA lData);
}

namespace {

int SPI_CALL Continue(int, int, SPI_USERDATA) {
    return 0;
}

// A few dozen bytes of lossless WebP or GIF describe tens of megapixels, which take seconds to
// decode under the sanitizers; such pictures are valid, so they are left to the limit tests and
// the fuzzer spends its time on damaged data instead.
constexpr std::int64_t kMaxFuzzPixels = 1 << 23;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> header(2048, 0);
    std::memcpy(header.data(), data, size < header.size() ? size : header.size());
    IsSupported("fuzz", reinterpret_cast<SPI_DWORD_PTR>(header.data()));

    const auto* buf = reinterpret_cast<const char*>(data);
    const long len = static_cast<long>(size);
    SPI_PICTINFO info{};
    if (GetPictureInfo(buf, len, SPI_INPUT_MEMORY, &info) == SPI_ALL_RIGHT) {
        std::free(info.hInfo);
        if (std::int64_t{info.width} * info.height > kMaxFuzzPixels) {
            return 0;
        }
    }
    SPI_HLOCAL bitmapInfo = nullptr;
    SPI_HLOCAL pixels = nullptr;
    if (GetPicture(buf, len, SPI_INPUT_MEMORY, &bitmapInfo, &pixels, Continue, 0) ==
        SPI_ALL_RIGHT) {
        // Touch the whole pixel block so that a size the header overstates shows.
        SPI_BITMAPINFOHEADER h{};
        std::memcpy(&h, bitmapInfo, sizeof h);
        const std::size_t stride =
            ((static_cast<std::size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
        const std::size_t rows =
            static_cast<std::size_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
        volatile std::uint8_t sum = 0;
        const auto* p = static_cast<const std::uint8_t*>(pixels);
        for (std::size_t i = 0; i < stride * rows; i += 61) {
            sum = static_cast<std::uint8_t>(sum + p[i]);
        }
        std::free(bitmapInfo);
        std::free(pixels);
    }
    return 0;
}
