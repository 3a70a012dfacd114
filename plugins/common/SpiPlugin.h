#pragma once

// The frame every shipped plug-in shares: SpiPlugin.cpp implements the exported entry points
// (argument checks, reading the input, handing the bitmap over, turning C++ errors into result
// codes) and calls the hooks below, which each plug-in defines for its format.

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "Dib.h"
#include "spi/susie_api.h"

namespace korvent::plugins {

// The texts of GetPluginInfo: version, name, then pattern/description pairs.
struct TPluginTexts {
    const char* const* texts;
    int count;
};

// The image, whole, in memory (from the file or the caller's block).
struct TInput {
    const std::uint8_t* data;
    std::size_t size;
};

// Progress towards the host: Step() returns true when the host asks to stop.
class TProgress {
public:
    TProgress(SPI_PROGRESS callback, SPI_USERDATA user) : fCallback(callback), fUser(user) {}
    bool Step(int done, int total) const {
        return fCallback != nullptr && fCallback(done, total, fUser) != 0;
    }

private:
    SPI_PROGRESS fCallback;
    SPI_USERDATA fUser;
};

// Defined by each plug-in.
TPluginTexts PluginTexts();
// True when the first `size` bytes (at most 2048) carry the format's signature.
bool HasSignature(const std::uint8_t* head, std::size_t size);
// Size and depth of the image; SPI_ALL_RIGHT or an error code.
int ReadPictureInfo(const TInput& input, SPI_PICTINFO& info);
// Decodes into `dib`; SPI_ALL_RIGHT, SPI_ABORT when `progress` asked to stop, or an error code.
int DecodePicture(const TInput& input, TDib& dib, const TProgress& progress);

}  // namespace korvent::plugins
