#pragma once

#include "pdf/PdfObject.h"

#include <cstdint>

namespace korvent::pdf {

class TPdfNumber : public TPdfObject {
public:
    explicit TPdfNumber(std::int32_t value = 0) : FValue(value) {}
    std::int32_t Value() const { return FValue; }
    void SetValue(std::int32_t value) { FValue = value; }
    void EmitBody(std::ostream& stream) override;

private:
    std::int32_t FValue;
};

}  // namespace korvent::pdf
