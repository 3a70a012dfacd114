#pragma once

#include "pdf/PdfObject.h"

namespace korvent::pdf {

class TPdfBoolean : public TPdfObject {
public:
    explicit TPdfBoolean(bool value = false) : FValue(value) {}
    bool Value() const { return FValue; }
    void SetValue(bool value) { FValue = value; }
    void EmitBody(std::ostream& stream) override;

private:
    bool FValue;
};

}  // namespace korvent::pdf
