#include "pdf/PRItem.h"

#include "pdf/PRGridPanel.h"
#include "pdf/PRPage.h"
#include "platform/Exception.h"

namespace korvent::pdf {

TPRItem::TPRItem(std::string name) : TPRControl(std::move(name), 100, 30) {}

void TPRItem::Render(TPRCanvas&, const TRect&) {}

TPRControl* TPRItem::AcceptParent(TPRControl* parent) {
    if (auto* grid = dynamic_cast<TPRGridPanel*>(parent)) {
        return &grid->CellPanel();
    }
    if (dynamic_cast<TPRPanel*>(parent) == nullptr) {
        throw korvent::Exception("this component must set on TPRPanel");
    }
    return parent;
}

TPRPage* TPRItem::Page() const {
    for (TPRControl* control = Parent(); control != nullptr; control = control->Parent()) {
        if (auto* page = dynamic_cast<TPRPage*>(control)) {
            return page;
        }
    }
    return nullptr;
}

}  // namespace korvent::pdf
