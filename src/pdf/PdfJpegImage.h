#pragma once

#include "pdf/PdfImageCreator.h"

namespace korvent::pdf {

// "Pdf-Jpeg": embeds a JPEG picture's compressed data unchanged under DCTDecode.
class TPdfJpegImage : public TPdfImageCreator {
public:
    // Throws EPdfInvalidValue for anything but a JPEG picture, EPdfInvalidImageFormat for an
    // empty one.
    std::unique_ptr<TPdfImage> CreateImage(const graphics::TGraphic& picture) override;
};

}  // namespace korvent::pdf
