#pragma once

#include "pdf/PdfImageCreator.h"

namespace korvent::pdf {

// "Pdf-Jpeg": embeds a JPEG picture's compressed data unchanged under DCTDecode, in the
// colour space its frame declares (grey, RGB or CMYK).
class TPdfJpegImage : public TPdfImageCreator {
public:
    // Throws EPdfInvalidValue for anything but a JPEG picture, EPdfInvalidImageFormat for an
    // empty one or one with another number of components.
    std::unique_ptr<TPdfImage> CreateImage(const graphics::TGraphic& picture) override;
};

}  // namespace korvent::pdf
