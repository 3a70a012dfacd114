#include "pdf/PdfJpegImage.h"

#include "graphics/JPEGImage.h"
#include "pdf/PdfArray.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfInvalidImageFormat.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfName.h"

namespace korvent::pdf {

std::unique_ptr<TPdfImage> TPdfJpegImage::CreateImage(const graphics::TGraphic& picture) {
    const auto* jpeg = dynamic_cast<const graphics::TJPEGImage*>(&picture);
    if (jpeg == nullptr) {
        throw EPdfInvalidValue("only jpeg image is allowed.");
    }
    const auto data = jpeg->Data();
    // Without data the stream would be empty and the file unreadable.
    if (data.empty()) {
        throw EPdfInvalidImageFormat("the jpeg image is empty..");
    }
    auto image = std::make_unique<TPdfImage>();
    image->Data().assign(reinterpret_cast<const char*>(data.data()), data.size());
    TPdfDictionary& attributes = image->Attributes();
    attributes.SetNameItem("Type", "XObject");
    attributes.SetNameItem("Subtype", "Image");
    attributes.SetNameItem("ColorSpace", "DeviceRGB");
    attributes.SetNumberItem("Width", jpeg->Width());
    attributes.SetNumberItem("Height", jpeg->Height());
    attributes.SetNumberItem("BitsPerComponent", 8);
    attributes.ArrayValueOf("Filter")->Append(std::make_unique<TPdfName>("DCTDecode"));
    return image;
}

}  // namespace korvent::pdf
