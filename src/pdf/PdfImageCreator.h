#pragma once

#include <memory>

namespace korvent::graphics {
class TGraphic;
}

namespace korvent::pdf {

class TPdfImage;

// Turns a picture into a fresh (direct) image object, owned by the caller until AddImage.
class TPdfImageCreator {
public:
    virtual ~TPdfImageCreator() = default;
    virtual std::unique_ptr<TPdfImage> CreateImage(const graphics::TGraphic& picture) = 0;
};

}  // namespace korvent::pdf
