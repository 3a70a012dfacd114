#include "pdf/PdfJpegImage.h"

#include "graphics/JPEGImage.h"
#include "pdf/PdfArray.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfInvalidImageFormat.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfName.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace korvent::pdf {
namespace {

// What the colour space depends on: the frame's component count and whether an Adobe
// marker says CMYK samples are stored inverted.
struct TJpegLayout {
    int components = 0;
    bool adobe = false;
};

bool IsFrameMarker(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool IsAdobeSegment(std::span<const std::uint8_t> body) {
    static constexpr std::uint8_t kAdobe[] = {'A', 'd', 'o', 'b', 'e'};
    return body.size() >= sizeof kAdobe && std::equal(kAdobe, kAdobe + sizeof kAdobe, body.begin());
}

// Walks the marker segments up to the frame header (the Adobe marker precedes it). A
// layout without components means no frame header was found.
TJpegLayout ReadLayout(std::span<const std::uint8_t> data) {
    TJpegLayout layout;
    std::size_t pos = 2;  // after the start-of-image marker
    while (pos + 4 <= data.size() && data[pos] == 0xFF) {
        const std::uint8_t marker = data[pos + 1];
        if (marker == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        const std::size_t length = (std::size_t{data[pos + 2]} << 8) | data[pos + 3];
        if (length < 2 || pos + 2 + length > data.size() || marker == 0xDA) {
            break;
        }
        const auto body = data.subspan(pos + 4, length - 2);
        if (IsFrameMarker(marker)) {
            layout.components = body.size() > 5 ? body[5] : 0;
            break;
        }
        layout.adobe = layout.adobe || (marker == 0xEE && IsAdobeSegment(body));
        pos += 2 + length;
    }
    return layout;
}

void SetColorSpace(TPdfDictionary& attributes, const TJpegLayout& layout) {
    switch (layout.components) {
        case 1:
            attributes.SetNameItem("ColorSpace", "DeviceGray");
            return;
        case 3:
            attributes.SetNameItem("ColorSpace", "DeviceRGB");
            return;
        case 4:
            attributes.SetNameItem("ColorSpace", "DeviceCMYK");
            return;
        default:
            throw EPdfInvalidImageFormat("the jpeg image has no gray, rgb or cmyk frame..");
    }
}

}  // namespace

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
    const TJpegLayout layout = ReadLayout(data);
    auto image = std::make_unique<TPdfImage>();
    image->Data().assign(reinterpret_cast<const char*>(data.data()), data.size());
    TPdfDictionary& attributes = image->Attributes();
    attributes.SetNameItem("Type", "XObject");
    attributes.SetNameItem("Subtype", "Image");
    SetColorSpace(attributes, layout);
    attributes.SetNumberItem("Width", jpeg->Width());
    attributes.SetNumberItem("Height", jpeg->Height());
    attributes.SetNumberItem("BitsPerComponent", 8);
    if (layout.components == 4 && layout.adobe) {
        // Adobe's CMYK JPEGs hold inverted samples.
        attributes.SetItem("Decode",
                           std::make_unique<TPdfArray>(
                               nullptr, std::initializer_list<int>{1, 0, 1, 0, 1, 0, 1, 0}));
    }
    attributes.ArrayValueOf("Filter")->Append(std::make_unique<TPdfName>("DCTDecode"));
    return image;
}

}  // namespace korvent::pdf
