#pragma once

#include "pdf/PdfJpFont.h"
#include "pdf/PdfJpFontStyle.h"

namespace korvent::pdf {

// Fixed-pitch Japanese fonts (90ms-RKSJ-H): CIDs 231..631 are half width, all others 1000.
class TPdfJpFixedFont : public TPdfJpFont {
public:
    TPdfJpFixedFont(TPdfXref& xref, std::string name, const TPdfJpFontStyle& style);

protected:
    void AddDescriptorItem(TPdfDictionary& descriptor) override;
    std::unique_ptr<TPdfArray> AddWArray() override;
    const char* EncodingName() const override { return "90ms-RKSJ-H"; }

private:
    const TPdfJpFontStyle& FStyle;
};

}  // namespace korvent::pdf
