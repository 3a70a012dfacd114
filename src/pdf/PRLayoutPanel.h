#pragma once

#include "pdf/PRPanel.h"

#include <functional>

namespace korvent::pdf {

class TPRLayoutPanel : public TPRPanel {
public:
    using TPRPrintPanelEvent =
        std::function<void(TPRLayoutPanel& sender, TPRCanvas& canvas, const TRect& rect)>;

    using TPRPanel::TPRPanel;
    const char* ClassName() const override { return "TPRLayoutPanel"; }

    void Render(TPRCanvas& canvas, const TRect& rect) override;

    TPRPrintPanelEvent BeforePrint;
    TPRPrintPanelEvent AfterPrint;

protected:
    TPRControl* AcceptParent(TPRControl* parent) override { return AcceptPanelParent(parent); }
};

}  // namespace korvent::pdf
