#include "pdf/PRLayoutPanel.h"

namespace korvent::pdf {

void TPRLayoutPanel::Render(TPRCanvas& canvas, const TRect& rect) {
    if (BeforePrint) {
        BeforePrint(*this, canvas, rect);
    }
    RenderChildren(canvas, rect);
    if (AfterPrint) {
        AfterPrint(*this, canvas, rect);
    }
}

}  // namespace korvent::pdf
