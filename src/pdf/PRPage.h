#pragma once

#include "pdf/PRControl.h"

#include <functional>
#include <memory>

namespace korvent::pdf {

class TPdfDoc;
class TPRCanvas;

// A page: its size is the PDF page size in points; children are aligned inside the margins.
class TPRPage : public TPRControl {
public:
    using TPRPrintPageEvent = std::function<void(TPRPage& sender, TPRCanvas& canvas)>;

    explicit TPRPage(std::string name = {});
    ~TPRPage() override;
    const char* ClassName() const override { return "TPRPage"; }

    int MarginTop() const { return FMarginTop; }
    int MarginLeft() const { return FMarginLeft; }
    int MarginRight() const { return FMarginRight; }
    int MarginBottom() const { return FMarginBottom; }
    // A value equal to the current one, negative, or not below half the page width is ignored.
    void SetMarginTop(int value);
    void SetMarginLeft(int value);
    void SetMarginRight(int value);
    void SetMarginBottom(int value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible) { FVisible = visible; }

    // Sets the PDF page's size and renders the panels.
    void Render(TPRCanvas& canvas);

    TPRPrintPageEvent OnPrintPage;

protected:
    TRect AlignRect() const override;

private:
    void SetMargin(int& margin, int value);

    int FMarginTop = 32;
    int FMarginLeft = 32;
    int FMarginRight = 32;
    int FMarginBottom = 32;
    bool FVisible = true;
    std::unique_ptr<TPdfDoc> FDoc;  // a private measuring document, never written
};

}  // namespace korvent::pdf
