#pragma once

#include "pdf/PdfImageCreator.h"

#include <memory>

namespace korvent::graphics {
class TBitmap;
}

namespace korvent::pdf {

class TPdfArray;

// "Pdf-Bitmap": writes a bitmap's pixels uncompressed, as 8-bit palette indexes with an
// indexed colour space (1, 4 and 8 bits) or as RGB bytes (every other depth).
class TPdfBitmapImage : public TPdfImageCreator {
public:
    std::unique_ptr<TPdfImage> CreateImage(const graphics::TGraphic& picture) override;

    // [/Indexed /DeviceRGB 255 <RRGGBB ...>] with 256 groups (missing entries 000000).
    // Throws EPdfInvalidImageFormat unless the bitmap is 8-bit with a palette.
    static std::unique_ptr<TPdfArray> CreateIndexedColorSpace(const graphics::TBitmap& bitmap);
};

}  // namespace korvent::pdf
