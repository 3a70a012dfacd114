#include "pdf/PdfImageRegistry.h"

#include "pdf/PdfBitmapImage.h"
#include "pdf/PdfClassNotFound.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfJpegImage.h"

#include <map>

namespace korvent::pdf {
namespace {

std::map<std::string, TPdfImageCreatorFactory, std::less<>>& Registry() {
    static std::map<std::string, TPdfImageCreatorFactory, std::less<>> registry = {
        {"Pdf-Bitmap", [] { return std::make_unique<TPdfBitmapImage>(); }},
        {"Pdf-Jpeg", [] { return std::make_unique<TPdfJpegImage>(); }},
    };
    return registry;
}

}  // namespace

std::unique_ptr<TPdfImage> CreateImageObject(const graphics::TGraphic& picture,
                                             std::string_view creatorName) {
    auto& registry = Registry();
    const auto it = registry.find(creatorName);
    if (it == registry.end()) {
        throw EPdfClassNotFound("Class " + std::string(creatorName) + " not found");
    }
    const std::unique_ptr<TPdfImageCreator> creator = it->second();
    return creator->CreateImage(picture);
}

void RegisterPdfImageCreator(std::string name, TPdfImageCreatorFactory factory) {
    Registry().insert_or_assign(std::move(name), std::move(factory));
}

}  // namespace korvent::pdf
