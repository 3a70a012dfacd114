#pragma once

#include "pdf/PdfJpFont.h"
#include "pdf/PdfJpFontStyle.h"

namespace korvent::pdf {

// Proportional Japanese fonts (90msp-RKSJ-H) with ten runs of individual widths.
class TPdfJpProportionalFont : public TPdfJpFont {
public:
    TPdfJpProportionalFont(TPdfXref& xref, std::string name, const TPdfJpFontStyle& style);

protected:
    void AddDescriptorItem(TPdfDictionary& descriptor) override;
    std::unique_ptr<TPdfArray> AddWArray() override;
    const char* EncodingName() const override { return "90msp-RKSJ-H"; }

private:
    const TPdfJpFontStyle& FStyle;
};

}  // namespace korvent::pdf
