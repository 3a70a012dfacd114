#include "pdf/PdfObject.h"

#include "pdf/PdfInvalidOperation.h"

#include <ostream>
#include <string>

namespace korvent::pdf {

TPdfObject::~TPdfObject() = default;

TPdfObject::TPdfObject(TPdfObjectKind kind, int objectNumber)
    : FObjectType(kind), FObjectNumber(objectNumber) {}

void TPdfObject::EmitAsValue(std::ostream& stream) {
    if (FObjectType == TPdfObjectKind::okDirect) {
        EmitBody(stream);
        return;
    }
    stream << std::to_string(FObjectNumber) << ' ' << std::to_string(FGenerationNumber) << " R";
}

void TPdfObject::EmitAsObject(std::ostream& stream) {
    if (FObjectType != TPdfObjectKind::okIndirect) {
        throw EPdfInvalidOperation("internal error wrong object type");
    }
    stream << std::to_string(FObjectNumber) << ' ' << std::to_string(FGenerationNumber)
           << " obj\r\n";
    EmitBody(stream);
    stream << "\r\nendobj\r\n";
}

void TPdfObject::MarkIndirect(int objectNumber) {
    FObjectType = TPdfObjectKind::okIndirect;
    FObjectNumber = objectNumber;
}

}  // namespace korvent::pdf
