#pragma once

#include "pdf/PdfObject.h"

#include <string>

namespace korvent::pdf {

// A text string in CP932 bytes: written literally when it is plain ASCII, else as UTF-16BE hex
// with a byte-order mark (half-width katakana included).
class TPdfText : public TPdfObject {
public:
    explicit TPdfText(std::string value = {}) : FValue(std::move(value)) {}
    const std::string& Value() const { return FValue; }
    void SetValue(std::string value) { FValue = std::move(value); }
    void EmitBody(std::ostream& stream) override;

private:
    std::string FValue;
};

}  // namespace korvent::pdf
