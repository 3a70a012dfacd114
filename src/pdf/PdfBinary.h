#pragma once

#include "pdf/PdfObject.h"

#include <string>

namespace korvent::pdf {

// Bytes written exactly as stored (a ready-made hex string, for instance).
class TPdfBinary : public TPdfObject {
public:
    TPdfBinary() = default;
    std::string& Data() { return FData; }
    const std::string& Data() const { return FData; }
    void EmitBody(std::ostream& stream) override;

private:
    std::string FData;
};

}  // namespace korvent::pdf
