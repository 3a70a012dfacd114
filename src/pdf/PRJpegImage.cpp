#include "pdf/PRJpegImage.h"

#include "graphics/JPEGImage.h"
#include "pdf/PdfDoc.h"
#include "platform/Exception.h"

#include <random>

namespace korvent::pdf {

bool TPRJpegImage::Accepts(const graphics::TGraphic& picture) const {
    return dynamic_cast<const graphics::TJPEGImage*>(&picture) != nullptr;
}

std::unique_ptr<graphics::TGraphic> TPRJpegImage::Copy(const graphics::TGraphic& picture) const {
    return std::make_unique<graphics::TJPEGImage>(
        dynamic_cast<const graphics::TJPEGImage&>(picture));
}

void TPRJpegImage::Render(TPRCanvas& canvas, const TRect& rect) {
    if (!Printable()) {
        return;
    }
    TPRImage::Render(canvas, rect);
}

std::string TPRJpegImage::UnsharedName(TPdfDoc& doc) const {
    static std::mt19937 source{std::random_device{}()};
    std::uniform_int_distribution<int> number(0, 65534);
    for (int tries = 0; tries < 65535; ++tries) {
        std::string name = Name() + std::to_string(number(source));
        if (doc.FindXObject(name) == nullptr) {
            return name;
        }
    }
    throw korvent::Exception("image count over max value..");
}

}  // namespace korvent::pdf
