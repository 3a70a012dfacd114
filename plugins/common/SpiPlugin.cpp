#include "SpiPlugin.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace korvent::plugins {
namespace {

// Files larger than this are not images any plug-in here decodes within its pixel limit.
constexpr long kMaxFileSize = 1L << 30;
constexpr std::size_t kHeaderSize = 2048;

// Reads the input the host described; the file form reads from `len` to the end.
int ReadInput(const char* buf, long len, unsigned int flag, std::vector<std::uint8_t>& owned,
              TInput& input) {
    if (!buf && !((flag & SPI_INPUT_MASK) == SPI_INPUT_MEMORY && len == 0)) {
        return SPI_OTHER_ERROR;
    }
    switch (flag & SPI_INPUT_MASK) {
        case SPI_INPUT_MEMORY:
            if (len < 0) {
                return SPI_OTHER_ERROR;
            }
            if (len == 0) {
                input = {nullptr, 0};
                return SPI_NOT_SUPPORT;
            }
            input = {reinterpret_cast<const std::uint8_t*>(buf), static_cast<std::size_t>(len)};
            return SPI_ALL_RIGHT;
        case SPI_INPUT_FILE: {
            if (len < 0) {
                return SPI_OTHER_ERROR;
            }
            std::FILE* file = std::fopen(buf, "rb");
            if (!file) {
                return SPI_FILE_READ_ERROR;
            }
            int result = SPI_ALL_RIGHT;
            long end = -1;
            if (std::fseek(file, 0, SEEK_END) != 0 || (end = std::ftell(file)) < 0) {
                result = SPI_FILE_READ_ERROR;
            } else if (end - len > kMaxFileSize) {
                result = SPI_NO_MEMORY;
            } else if (len > end) {
                result = SPI_NOT_SUPPORT;
            } else {
                owned.resize(static_cast<std::size_t>(end - len));
                if (std::fseek(file, len, SEEK_SET) != 0 ||
                    std::fread(owned.data(), 1, owned.size(), file) != owned.size()) {
                    result = SPI_FILE_READ_ERROR;
                }
            }
            std::fclose(file);
            input = {owned.data(), owned.size()};
            return result;
        }
        default:
            return SPI_NOT_SUPPORT;
    }
}

int CheckedInput(const char* buf, long len, unsigned int flag, std::vector<std::uint8_t>& owned,
                 TInput& input) {
    const int result = ReadInput(buf, len, flag, owned, input);
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    return HasSignature(input.data, std::min(input.size, kHeaderSize)) ? SPI_ALL_RIGHT
                                                                       : SPI_NOT_SUPPORT;
}

// Reads and checks the input, then hands it to `decode`. No exception may reach the host: running
// out of memory and any other failure become the host's error codes.
template <class Decode>
int WithCheckedInput(const char* buf, long len, unsigned int flag, Decode decode) {
    try {
        std::vector<std::uint8_t> owned;
        TInput input{};
        const int result = CheckedInput(buf, len, flag, owned, input);
        if (result != SPI_ALL_RIGHT) {
            return result;
        }
        return decode(input);
    } catch (const std::bad_alloc&) {
        return SPI_NO_MEMORY;
    } catch (...) {
        return SPI_OTHER_ERROR;
    }
}

}  // namespace
}  // namespace korvent::plugins

using namespace korvent::plugins;

extern "C" {

SPI_EXPORT int SPI_CALL GetPluginInfo(int infono, char* buf, int buflen) {
    const TPluginTexts texts = PluginTexts();
    if (infono < 0 || infono >= texts.count || !buf || buflen <= 0) {
        return 0;
    }
    const std::size_t length =
        std::min(std::strlen(texts.texts[infono]), static_cast<std::size_t>(buflen - 1));
    std::memcpy(buf, texts.texts[infono], length);
    buf[length] = '\0';
    return static_cast<int>(length);
}

SPI_EXPORT int SPI_CALL IsSupported(const char* filename, SPI_DWORD_PTR dw) {
    (void)filename;
    // Small values are file handles in the Windows form of this call; see susie_api.h.
    if (dw < 0x10000) {
        return 0;
    }
    return HasSignature(reinterpret_cast<const std::uint8_t*>(dw), kHeaderSize) ? 1 : 0;
}

SPI_EXPORT int SPI_CALL GetPictureInfo(const char* buf, long len, unsigned int flag,
                                       SPI_PICTINFO* lpInfo) {
    if (!lpInfo) {
        return SPI_OTHER_ERROR;
    }
    return WithCheckedInput(buf, len, flag, [&](const TInput& input) {
        SPI_PICTINFO info{};
        const int result = ReadPictureInfo(input, info);
        if (result == SPI_ALL_RIGHT) {
            info.hInfo = nullptr;
            std::memcpy(lpInfo, &info, sizeof info);
        }
        return result;
    });
}

SPI_EXPORT int SPI_CALL GetPicture(const char* buf, long len, unsigned int flag,
                                   SPI_HLOCAL* pHBInfo, SPI_HLOCAL* pHBm,
                                   SPI_PROGRESS lpPrgressCallback, SPI_USERDATA lData) {
    if (!pHBInfo || !pHBm) {
        return SPI_OTHER_ERROR;
    }
    return WithCheckedInput(buf, len, flag, [&](const TInput& input) {
        TDib dib;
        const int result = DecodePicture(input, dib, TProgress(lpPrgressCallback, lData));
        if (result == SPI_ALL_RIGHT) {
            dib.Release(pHBInfo, pHBm);
        }
        return result;
    });
}

}  // extern "C"
