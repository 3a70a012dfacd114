#include "pdf/PRPanel.h"

#include "pdf/PRGridPanel.h"
#include "pdf/PRItem.h"
#include "pdf/PRPage.h"
#include "platform/Exception.h"

namespace korvent::pdf {

TPRPanel::TPRPanel(std::string name) : TPRControl(std::move(name), 185, 100) {}

TPRControl* TPRPanel::AcceptPanelParent(TPRControl* parent) {
    if (auto* grid = dynamic_cast<TPRGridPanel*>(parent)) {
        return &grid->CellPanel();
    }
    if (dynamic_cast<TPRPanel*>(parent) == nullptr && dynamic_cast<TPRPage*>(parent) == nullptr) {
        throw korvent::Exception(std::string("TPRPage can not set on ") + parent->ClassName());
    }
    return parent;
}

void TPRPanel::Render(TPRCanvas& canvas, const TRect& rect) {
    RenderChildren(canvas, rect);
}

void TPRPanel::RenderChildren(TPRCanvas& canvas, const TRect& rect) {
    for (TPRControl* child : Controls()) {
        const TRect bounds = child->BoundsRect();
        const TRect shifted{bounds.left + rect.left, bounds.top + rect.top,
                            bounds.right + rect.left, bounds.bottom + rect.top};
        if (auto* panel = dynamic_cast<TPRPanel*>(child)) {
            panel->Render(canvas, shifted);
        } else if (auto* item = dynamic_cast<TPRItem*>(child)) {
            if (item->Printable()) {
                item->Render(canvas, shifted);
            }
        }
    }
}

}  // namespace korvent::pdf
