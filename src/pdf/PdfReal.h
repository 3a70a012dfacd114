#pragma once

#include "pdf/PdfObject.h"

namespace korvent::pdf {

class TPdfReal : public TPdfObject {
public:
    explicit TPdfReal(double value = 0) : FValue(value) {}
    double Value() const { return FValue; }
    void SetValue(double value) { FValue = value; }
    void EmitBody(std::ostream& stream) override;

private:
    double FValue;
};

}  // namespace korvent::pdf
