#pragma once

#include "pdf/PRControl.h"

namespace korvent::pdf {

class TPRCanvas;
class TPRPage;

// Something drawn on a panel.
class TPRItem : public TPRControl {
public:
    explicit TPRItem(std::string name = {});
    const char* ClassName() const override { return "TPRItem"; }

    bool Printable() const { return FPrintable; }
    void SetPrintable(bool printable) { FPrintable = printable; }

    // `rect` is the item's place in page coordinates.
    virtual void Render(TPRCanvas& canvas, const TRect& rect);

    // The page this item is on, through its panels; nullptr when there is none.
    TPRPage* Page() const;

protected:
    // Items sit on nothing or a panel (an item put on a grid panel goes onto its cell panel).
    TPRControl* AcceptParent(TPRControl* parent) override;

private:
    bool FPrintable = true;
};

}  // namespace korvent::pdf
