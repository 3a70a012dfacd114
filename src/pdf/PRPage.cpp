#include "pdf/PRPage.h"

#include "pdf/PRCanvas.h"
#include "pdf/PRPanel.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfInvalidOperation.h"

namespace korvent::pdf {

TPRPage::TPRPage(std::string name)
    : TPRControl(std::move(name), 596, 842), FDoc(std::make_unique<TPdfDoc>()) {
    FDoc->StartMeasuringDocument();
}

TPRPage::~TPRPage() = default;

void TPRPage::SetMargin(int& margin, int value) {
    if (value == margin || value < 0 || value >= Width() / 2) {
        return;
    }
    margin = value;
    Realign();
}

void TPRPage::SetMarginTop(int value) {
    SetMargin(FMarginTop, value);
}
void TPRPage::SetMarginLeft(int value) {
    SetMargin(FMarginLeft, value);
}
void TPRPage::SetMarginRight(int value) {
    SetMargin(FMarginRight, value);
}
void TPRPage::SetMarginBottom(int value) {
    SetMargin(FMarginBottom, value);
}

TRect TPRPage::AlignRect() const {
    return {FMarginLeft, FMarginTop, Width() - FMarginRight, Height() - FMarginBottom};
}

void TPRPage::Render(TPRCanvas& canvas) {
    TPdfCanvas* pdfCanvas = canvas.PdfCanvas();
    if (pdfCanvas == nullptr) {
        throw EPdfInvalidOperation("ERROR: GetDoc documant is nil.");
    }
    pdfCanvas->SetPageHeight(Height());
    pdfCanvas->SetPageWidth(Width());
    if (OnPrintPage) {
        OnPrintPage(*this, canvas);
    }
    for (TPRControl* child : Controls()) {
        if (auto* panel = dynamic_cast<TPRPanel*>(child)) {
            panel->Render(canvas, child->BoundsRect());
        }
    }
}

}  // namespace korvent::pdf
