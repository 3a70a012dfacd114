#pragma once

#include "pdf/PRImage.h"

namespace korvent::pdf {

// An image item for JPEG pictures, embedded with their compressed data.
class TPRJpegImage : public TPRImage {
public:
    using TPRImage::TPRImage;
    const char* ClassName() const override { return "TPRJpegImage"; }

    void Render(TPRCanvas& canvas, const TRect& rect) override;

protected:
    bool Accepts(const graphics::TGraphic& picture) const override;
    const char* RejectMessage() const override { return "only jpeg image is allowed."; }
    std::unique_ptr<graphics::TGraphic> Copy(const graphics::TGraphic& picture) const override;
    const char* CreatorName() const override { return "Pdf-Jpeg"; }
    // Random numbers 0..65534 after the name, up to 65535 tries; throws korvent::Exception
    // "image count over max value.." when every try is taken.
    std::string UnsharedName(TPdfDoc& doc) const override;
};

}  // namespace korvent::pdf
