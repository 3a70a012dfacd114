#pragma once

#include "pdf/PdfObject.h"

namespace korvent::pdf {

class TPdfNull : public TPdfObject {
public:
    TPdfNull() = default;
    void EmitBody(std::ostream& stream) override;
};

}  // namespace korvent::pdf
