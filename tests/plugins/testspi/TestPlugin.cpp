// A plug-in for the host's tests, built in several variants (see CMakeLists.txt). It decodes a
// trivial format: the magic "KTST" (or TEST_MAGIC), width and height (16-bit little-endian), bits
// per pixel (4, 8 or 24), a flags byte, then for 4 and 8 bits a colour table of 2^bits entries
// (blue, green, red, 0), then the rows as a bottom-up DIB stores them.
// TEST_BAD_PREVIEW makes GetPreview report success with a faulty result: 1 = no pixel block,
// 2 = a header describing more pixels than the pixel block holds.
// Flags: 1 = before decoding, call the progress callback with the (num, denom) pairs of 32-bit
// values that follow the header (count in the first one); 2 = fail with SPI_OUT_OF_ORDER after
// the progress calls.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "spi/susie_api.h"

#ifndef TEST_VERSION
#define TEST_VERSION "00IN"
#endif
#ifndef TEST_MAGIC
#define TEST_MAGIC "KTST"
#endif
#ifndef TEST_TEXTS
#define TEST_TEXTS 0
#endif

namespace {

#if TEST_TEXTS == 0
const char* const kTexts[] = {TEST_VERSION, "Korvent test plug-in 1.0", "*.kts", "Korvent test"};
#elif TEST_TEXTS == 1  // information 2, 3 and 4 present, 5 absent: one pair
const char* const kTexts[] = {TEST_VERSION, "Pairs 1.0", "*.jpg;*.jpeg", "Two patterns", "*.x"};
#elif TEST_TEXTS == 2
const char* const kTexts[] = {TEST_VERSION, "Three 1.0", "*.aa;*.bb;*.cc", "Three patterns"};
#elif TEST_TEXTS == 3
const char* const kTexts[] = {TEST_VERSION, "Jpg 1.0", "*.jpg", "Single jpg"};
#elif TEST_TEXTS == 4
const char* const kTexts[] = {TEST_VERSION, "No pairs 1.0"};
#elif TEST_TEXTS == 5
const char* const kTexts[] = {TEST_VERSION, "Two pairs 1.0", "*.kt1", "First", "*.kt2", "Second"};
#endif

constexpr std::size_t kHeader = 10;

std::uint32_t Read32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool Recognise(const unsigned char* p, std::size_t size) {
    return size >= 4 && std::memcmp(p, TEST_MAGIC, 4) == 0;
}

// Reads the whole input: the file from `len` on, or the caller's block.
unsigned char* ReadInput(const char* buf, long len, unsigned int flag, std::size_t& size,
                         bool& owned) {
    owned = false;
    if ((flag & SPI_INPUT_MASK) == SPI_INPUT_MEMORY) {
        size = static_cast<std::size_t>(len);
        return reinterpret_cast<unsigned char*>(const_cast<char*>(buf));
    }
    std::FILE* file = std::fopen(buf, "rb");
    if (!file) {
        return nullptr;
    }
    std::fseek(file, 0, SEEK_END);
    const long end = std::ftell(file);
    if (end < len) {
        std::fclose(file);
        return nullptr;
    }
    size = static_cast<std::size_t>(end - len);
    auto* data = static_cast<unsigned char*>(std::malloc(size + 1));
    std::fseek(file, len, SEEK_SET);
    size = std::fread(data, 1, size, file);
    std::fclose(file);
    owned = true;
    return data;
}

int Decode(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info, SPI_HLOCAL* bits,
           SPI_PROGRESS progress, SPI_USERDATA user, bool preview) {
    std::size_t size = 0;
    bool owned = false;
    unsigned char* data = ReadInput(buf, len, flag, size, owned);
    if (!data) {
        return SPI_FILE_READ_ERROR;
    }
    int result = SPI_ALL_RIGHT;
    if (!Recognise(data, size) || size < kHeader) {
        result = SPI_NOT_SUPPORT;
    } else {
        const int width = data[4] | data[5] << 8;
        const int height = data[6] | data[7] << 8;
        const int bpp = data[8];
        const int flags = data[9];
        std::size_t at = kHeader;
        if ((flags & 1) && size >= at + 4) {
            const std::uint32_t calls = Read32(data + at);
            at += 4;
            for (std::uint32_t i = 0; i < calls && size >= at + 8; ++i, at += 8) {
                if (progress && progress(static_cast<int>(Read32(data + at)),
                                         static_cast<int>(Read32(data + at + 4)), user) != 0) {
                    result = SPI_ABORT;
                    break;
                }
            }
        }
        if (result == SPI_ALL_RIGHT && (flags & 2)) {
            result = SPI_OUT_OF_ORDER;
        }
        const std::size_t colors = bpp <= 8 ? std::size_t{1} << bpp : 0;
        const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
        const std::size_t pixels = stride * static_cast<std::size_t>(height);
        if (result == SPI_ALL_RIGHT && size < at + colors * 4 + pixels) {
            result = SPI_OUT_OF_ORDER;
        }
        if (result == SPI_ALL_RIGHT) {
            // A preview is the picture's bottom-left pixel alone (a 1 x 1 picture).
            const int outWidth = preview ? 1 : width;
            const int outHeight = preview ? 1 : height;
            const std::size_t outStride =
                ((static_cast<std::size_t>(outWidth) * bpp + 31) / 32) * 4;
            auto* header = static_cast<unsigned char*>(std::calloc(1, 40 + colors * 4));
            auto* rows = static_cast<unsigned char*>(std::calloc(1, outStride * outHeight));
            SPI_BITMAPINFOHEADER h{};
            h.biSize = 40;
            h.biWidth = outWidth;
            h.biHeight = outHeight;
            h.biPlanes = 1;
            h.biBitCount = static_cast<std::uint16_t>(bpp);
            h.biClrUsed = static_cast<std::uint32_t>(colors);
            std::memcpy(header, &h, sizeof h);
            std::memcpy(header + 40, data + at, colors * 4);
            at += colors * 4;
            if (preview) {
                std::memcpy(rows, data + at, (static_cast<std::size_t>(bpp) + 7) / 8);
            } else {
                std::memcpy(rows, data + at, pixels);
            }
#if defined(TEST_BAD_PREVIEW) && TEST_BAD_PREVIEW == 1
            if (preview) {  // success with the bitmap info alone
                std::free(rows);
                rows = nullptr;
            }
#elif defined(TEST_BAD_PREVIEW) && TEST_BAD_PREVIEW == 2
            if (preview) {  // a header describing far more pixels than the block holds
                reinterpret_cast<SPI_BITMAPINFOHEADER*>(header)->biWidth = 1000;
            }
#endif
            *info = header;
            *bits = rows;
        }
    }
    if (owned) {
        std::free(data);
    }
    return result;
}

}  // namespace

extern "C" {

SPI_EXPORT int SPI_CALL GetPluginInfo(int infono, char* buf, int buflen) {
    if (infono < 0 || infono >= static_cast<int>(sizeof kTexts / sizeof kTexts[0])) {
        return 0;
    }
    std::strncpy(buf, kTexts[infono], static_cast<std::size_t>(buflen - 1));
    buf[buflen - 1] = '\0';
    return static_cast<int>(std::strlen(buf));
}

SPI_EXPORT int SPI_CALL IsSupported(const char*, SPI_DWORD_PTR dw) {
    return Recognise(reinterpret_cast<const unsigned char*>(dw), 2048) ? 1 : 0;
}

SPI_EXPORT int SPI_CALL GetPictureInfo(const char* buf, long len, unsigned int flag,
                                       SPI_PICTINFO* lpInfo) {
    std::size_t size = 0;
    bool owned = false;
    unsigned char* data = ReadInput(buf, len, flag, size, owned);
    if (!data) {
        return SPI_FILE_READ_ERROR;
    }
    int result = SPI_NOT_SUPPORT;
    if (Recognise(data, size) && size >= kHeader) {
        *lpInfo = {};
        lpInfo->width = data[4] | data[5] << 8;
        lpInfo->height = data[6] | data[7] << 8;
        lpInfo->colorDepth = data[8];
        // Text information, which the host frees.
        lpInfo->hInfo = std::malloc(8);
        std::memcpy(lpInfo->hInfo, "comment", 8);
        result = SPI_ALL_RIGHT;
    }
    if (owned) {
        std::free(data);
    }
    return result;
}

#ifndef TEST_NO_GETPICTURE
SPI_EXPORT int SPI_CALL GetPicture(const char* buf, long len, unsigned int flag,
                                   SPI_HLOCAL* pHBInfo, SPI_HLOCAL* pHBm,
                                   SPI_PROGRESS lpPrgressCallback, SPI_USERDATA lData) {
    return Decode(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData, false);
}
#endif

#ifndef TEST_NO_GETPREVIEW
SPI_EXPORT int SPI_CALL GetPreview(const char* buf, long len, unsigned int flag,
                                   SPI_HLOCAL* pHBInfo, SPI_HLOCAL* pHBm,
                                   SPI_PROGRESS lpPrgressCallback, SPI_USERDATA lData) {
    return Decode(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData, true);
}
#endif

#ifdef TEST_ARCHIVE
SPI_EXPORT int SPI_CALL GetArchiveInfo(const char*, long, unsigned int, SPI_HLOCAL*) {
    return SPI_NO_FUNCTION;
}
SPI_EXPORT int SPI_CALL GetFileInfo(const char*, long, const char*, unsigned int, void*) {
    return SPI_NO_FUNCTION;
}
SPI_EXPORT int SPI_CALL GetFile(const char*, long, char*, unsigned int, SPI_PROGRESS,
                                SPI_USERDATA) {
    return SPI_NO_FUNCTION;
}
#endif

}  // extern "C"
