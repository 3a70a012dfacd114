#pragma once

#include "pdf/PRControl.h"

namespace korvent::pdf {

class TPRCanvas;

// A container on a page: renders its panels and printable items.
class TPRPanel : public TPRControl {
public:
    explicit TPRPanel(std::string name = {});
    const char* ClassName() const override { return "TPRPanel"; }

    // `rect` is this panel's place in page coordinates.
    virtual void Render(TPRCanvas& canvas, const TRect& rect);

protected:
    // Layout and grid panels may sit on nothing, a panel or a page (a layout panel put on a grid
    // panel goes onto its cell panel).
    TPRControl* AcceptPanelParent(TPRControl* parent);
    void RenderChildren(TPRCanvas& canvas, const TRect& rect);
};

}  // namespace korvent::pdf
