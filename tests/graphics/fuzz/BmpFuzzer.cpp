// libFuzzer entry for the BMP reader: every input must load or be refused with EInvalidGraphic.
#include "graphics/Bitmap.h"
#include "graphics/InvalidGraphic.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>
#include <string>

using korvent::graphics::EInvalidGraphic;
using korvent::graphics::TBitmap;
using korvent::graphics::TPixelFormat;

namespace {

// Pictures that loaded are pushed through conversion and saving too, when small enough to keep
// the run fast.
void Exercise(TBitmap& bitmap) {
    if (static_cast<std::uint64_t>(bitmap.Width()) * bitmap.Height() > (1u << 16)) {
        return;
    }
    std::ostringstream out;
    bitmap.SaveToStream(out);
    TBitmap copy = bitmap;
    copy.SetPixelFormat(bitmap.BitsPerPixel() > 8 ? TPixelFormat::Bit8 : TPixelFormat::Bit24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    try {
        TBitmap bitmap;
        bitmap.LoadFromMemory(bytes);
        Exercise(bitmap);
    } catch (const EInvalidGraphic&) {
    }
    try {
        std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
        TBitmap bitmap;
        bitmap.LoadFromStream(in);
    } catch (const EInvalidGraphic&) {
    }
    // The same bytes as a packed DIB: the info block without the file header, then the rest.
    if (size > 14) {
        const std::size_t split = std::min<std::size_t>(size, 14 + 40 + 16 * 4);
        try {
            TBitmap bitmap;
            bitmap.LoadFromDib(bytes.subspan(14, split - 14), bytes.subspan(split));
        } catch (const EInvalidGraphic&) {
        }
    }
    return 0;
}
