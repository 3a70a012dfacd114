#pragma once

#include "pdf/PRItem.h"

#include <memory>
#include <string>

namespace korvent::graphics {
class TGraphic;
}

namespace korvent::pdf {

class TPdfDoc;

// An image item: draws its picture as an image object, shared between pages under the item's
// name, or under a fresh random name per drawing.
class TPRImage : public TPRItem {
public:
    explicit TPRImage(std::string name = {});
    ~TPRImage() override;
    const char* ClassName() const override { return "TPRImage"; }

    const graphics::TGraphic* Picture() const { return FPicture.get(); }
    // Keeps a copy. TPRImage takes bitmaps only ("only bitmap image is allowed.") and
    // TPRJpegImage JPEG pictures only ("only jpeg image is allowed."); an empty picture (or
    // nullptr) is accepted by both and clears the item.
    void SetPicture(const graphics::TGraphic* picture);

    bool SharedImage() const { return FSharedImage; }
    void SetSharedImage(bool shared) { FSharedImage = shared; }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch) { FStretch = stretch; }

    void Render(TPRCanvas& canvas, const TRect& rect) override;

protected:
    // Whether the picture is of the kind the item takes.
    virtual bool Accepts(const graphics::TGraphic& picture) const;
    virtual const char* RejectMessage() const { return "only bitmap image is allowed."; }
    virtual std::unique_ptr<graphics::TGraphic> Copy(const graphics::TGraphic& picture) const;
    virtual const char* CreatorName() const { return "Pdf-Bitmap"; }
    // The resource name for an unshared drawing; throws when none is free.
    virtual std::string UnsharedName(TPdfDoc& doc) const;
    bool HasPrintablePicture() const;

private:
    std::unique_ptr<graphics::TGraphic> FPicture;
    bool FSharedImage = true;
    bool FStretch = true;
};

}  // namespace korvent::pdf
