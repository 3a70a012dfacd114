#pragma once

namespace korvent::pdf {

class TPdfCanvas;

// What the report hands to renderers: the document canvas they draw on (not owned).
class TPRCanvas {
public:
    TPdfCanvas* PdfCanvas() const { return FPdfCanvas; }
    void SetPdfCanvas(TPdfCanvas* canvas) { FPdfCanvas = canvas; }

private:
    TPdfCanvas* FPdfCanvas = nullptr;
};

}  // namespace korvent::pdf
