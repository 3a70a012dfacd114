#pragma once

#include "pdf/PdfOutlineEntry.h"

namespace korvent::pdf {

// The top of the outline tree: writes only Count besides its children.
class TPdfOutlineRoot : public TPdfOutlineEntry {
public:
    explicit TPdfOutlineRoot(TPdfDoc* doc);
    void Save() override;
};

}  // namespace korvent::pdf
