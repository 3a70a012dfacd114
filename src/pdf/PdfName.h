#pragma once

#include "pdf/PdfObject.h"

#include <string>

namespace korvent::pdf {

// A name, held without its leading slash.
class TPdfName : public TPdfObject {
public:
    explicit TPdfName(std::string value = {}) : FValue(std::move(value)) {}
    const std::string& Value() const { return FValue; }
    void SetValue(std::string value) { FValue = std::move(value); }
    void EmitBody(std::ostream& stream) override;

private:
    std::string FValue;
};

}  // namespace korvent::pdf
