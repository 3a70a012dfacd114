#include "pdf/PdfOutlineRoot.h"

namespace korvent::pdf {

TPdfOutlineRoot::TPdfOutlineRoot(TPdfDoc* doc) : TPdfOutlineEntry(nullptr, doc) {
    SetOpened(true);
}

void TPdfOutlineRoot::Save() {
    TPdfOutlineEntry::Save();
}

}  // namespace korvent::pdf
