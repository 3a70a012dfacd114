#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace korvent::graphics {
class TGraphic;
}

namespace korvent::pdf {

class TPdfImage;
class TPdfImageCreator;

using TPdfImageCreatorFactory = std::function<std::unique_ptr<TPdfImageCreator>()>;

// Finds the creator registered under `creatorName` ("Pdf-Bitmap", "Pdf-Jpeg", or one added with
// RegisterPdfImageCreator) and makes an image of `picture`. Throws EPdfClassNotFound for an
// unknown name; any failure of the creator passes on.
std::unique_ptr<TPdfImage> CreateImageObject(const graphics::TGraphic& picture,
                                             std::string_view creatorName);
void RegisterPdfImageCreator(std::string name, TPdfImageCreatorFactory factory);

}  // namespace korvent::pdf
