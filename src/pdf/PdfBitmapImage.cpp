#include "pdf/PdfBitmapImage.h"

#include "graphics/Bitmap.h"
#include "pdf/PdfArray.h"
#include "pdf/PdfBinary.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfInvalidImageFormat.h"
#include "pdf/PdfName.h"
#include "pdf/PdfNumber.h"

namespace korvent::pdf {

using graphics::TBitmap;
using graphics::TPixelFormat;

std::unique_ptr<TPdfArray> TPdfBitmapImage::CreateIndexedColorSpace(const TBitmap& bitmap) {
    if (bitmap.PixelFormat() != TPixelFormat::Bit8) {
        throw EPdfInvalidImageFormat("only 8 bit color image is allowed.");
    }
    const auto& palette = bitmap.Palette();
    if (palette.empty()) {
        throw EPdfInvalidImageFormat("failed to get Palette..");
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    auto text = std::make_unique<TPdfBinary>();
    std::string& out = text->Data();
    out.reserve(2 + 256 * 7);
    out.push_back('<');
    for (std::size_t i = 0; i < 256; ++i) {
        const graphics::TRgb color = i < palette.size() ? palette[i] : graphics::TRgb{};
        for (std::uint8_t channel : {color.red, color.green, color.blue}) {
            out.push_back(kHex[channel >> 4]);
            out.push_back(kHex[channel & 15]);
        }
        out.push_back(' ');
    }
    out.push_back('>');
    auto array = std::make_unique<TPdfArray>();
    array->Append(std::make_unique<TPdfName>("Indexed"));
    array->Append(std::make_unique<TPdfName>("DeviceRGB"));
    array->Append(std::make_unique<TPdfNumber>(255));
    array->Append(std::move(text));
    return array;
}

std::unique_ptr<TPdfImage> TPdfBitmapImage::CreateImage(const graphics::TGraphic& picture) {
    const auto* source = dynamic_cast<const TBitmap*>(&picture);
    if (source == nullptr) {
        throw EPdfInvalidImageFormat("only bitmap image is allowed.");
    }
    auto image = std::make_unique<TPdfImage>();
    TPdfDictionary& attributes = image->Attributes();
    attributes.SetNameItem("Type", "XObject");
    attributes.SetNameItem("Subtype", "Image");

    TBitmap bitmap = *source;
    const bool indexed = graphics::IsIndexed(bitmap.PixelFormat());
    bitmap.SetPixelFormat(indexed ? TPixelFormat::Bit8 : TPixelFormat::Bit24);
    const auto width = static_cast<std::size_t>(bitmap.Width());
    std::string& data = image->Data();
    if (indexed) {
        data.reserve(width * static_cast<std::size_t>(bitmap.Height()));
        for (int y = 0; y < bitmap.Height(); ++y) {
            const auto row = bitmap.ScanLine(y);
            data.append(reinterpret_cast<const char*>(row.data()), width);
        }
        attributes.SetItem("ColorSpace", CreateIndexedColorSpace(bitmap));
    } else {
        data.resize(width * 3 * static_cast<std::size_t>(bitmap.Height()));
        char* out = data.data();
        for (int y = 0; y < bitmap.Height(); ++y) {
            const std::uint8_t* row = bitmap.ScanLine(y).data();
            for (std::size_t x = 0; x < width; ++x) {
                *out++ = static_cast<char>(row[3 * x + 2]);
                *out++ = static_cast<char>(row[3 * x + 1]);
                *out++ = static_cast<char>(row[3 * x]);
            }
        }
        attributes.SetNameItem("ColorSpace", "DeviceRGB");
    }
    attributes.SetNumberItem("Width", bitmap.Width());
    attributes.SetNumberItem("Height", bitmap.Height());
    attributes.SetNumberItem("BitsPerComponent", 8);
    return image;
}

}  // namespace korvent::pdf
