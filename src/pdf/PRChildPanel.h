#pragma once

#include "pdf/PRPanel.h"

namespace korvent::pdf {

// The cell panel of a grid panel, rendered once per cell.
class TPRChildPanel : public TPRPanel {
public:
    using TPRPanel::TPRPanel;
    const char* ClassName() const override { return "TPRChildPanel"; }
};

}  // namespace korvent::pdf
