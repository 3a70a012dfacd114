#include "pdf/PRImage.h"

#include "graphics/Bitmap.h"
#include "pdf/PRCanvas.h"
#include "pdf/PRPage.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfImageRegistry.h"
#include "pdf/PdfInvalidOperation.h"
#include "platform/Exception.h"

#include <random>

namespace korvent::pdf {

namespace {

std::mt19937& RandomSource() {
    static std::mt19937 source{std::random_device{}()};
    return source;
}

}  // namespace

TPRImage::TPRImage(std::string name) : TPRItem(std::move(name)) {}

TPRImage::~TPRImage() = default;

bool TPRImage::Accepts(const graphics::TGraphic& picture) const {
    return dynamic_cast<const graphics::TBitmap*>(&picture) != nullptr;
}

std::unique_ptr<graphics::TGraphic> TPRImage::Copy(const graphics::TGraphic& picture) const {
    return std::make_unique<graphics::TBitmap>(dynamic_cast<const graphics::TBitmap&>(picture));
}

void TPRImage::SetPicture(const graphics::TGraphic* picture) {
    if (picture == nullptr || picture->Empty()) {
        FPicture.reset();
        return;
    }
    if (!Accepts(*picture)) {
        throw korvent::Exception(RejectMessage());
    }
    FPicture = Copy(*picture);
}

bool TPRImage::HasPrintablePicture() const {
    return FPicture != nullptr && !FPicture->Empty() && Accepts(*FPicture);
}

std::string TPRImage::UnsharedName(TPdfDoc& doc) const {
    std::uniform_int_distribution<int> start(0, 65533);
    int number = start(RandomSource());
    std::string name;
    for (int tries = 0; tries < 65535; ++tries) {
        name = Name() + std::to_string(number);
        if (doc.FindXObject(name) == nullptr) {
            break;
        }
        number = number >= 65534 ? 0 : number + 1;
    }
    return name;
}

void TPRImage::Render(TPRCanvas& canvas, const TRect& rect) {
    if (!HasPrintablePicture()) {
        return;
    }
    TPdfCanvas* pdfCanvas = canvas.PdfCanvas();
    if (pdfCanvas == nullptr) {
        throw EPdfInvalidOperation("ERROR: GetDoc documant is nil.");
    }
    TPdfDoc& doc = pdfCanvas->GetDoc();
    std::string name;
    if (FSharedImage) {
        name = Name();
        if (doc.FindXObject(name) == nullptr) {
            doc.AddImage(name, CreateImageObject(*FPicture, CreatorName()));
        }
    } else {
        name = UnsharedName(doc);
        doc.AddImage(name, CreateImageObject(*FPicture, CreatorName()));
    }
    const TPRPage* page = Page();
    const int pageHeight = page != nullptr ? page->Height() : 0;
    if (FStretch) {
        pdfCanvas->DrawXObject(rect.left, pageHeight - rect.bottom, Width(), Height(), name);
    } else {
        pdfCanvas->DrawXObjectEx(rect.left, pageHeight - rect.top - FPicture->Height(),
                                 FPicture->Width(), FPicture->Height(), rect.left,
                                 pageHeight - rect.top - Height(), Width(), Height(), name);
    }
}

}  // namespace korvent::pdf
