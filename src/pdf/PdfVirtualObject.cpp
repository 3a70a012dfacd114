#include "pdf/PdfVirtualObject.h"

namespace korvent::pdf {

TPdfVirtualObject::TPdfVirtualObject(int objectNumber)
    : TPdfObject(TPdfObjectKind::okVirtual, objectNumber) {}

std::unique_ptr<TPdfVirtualObject> TPdfVirtualObject::CreateVirtual(int objectNumber) {
    return std::make_unique<TPdfVirtualObject>(objectNumber);
}

// A reference has no body of its own; EmitAsValue writes the "n g R" form.
void TPdfVirtualObject::EmitBody(std::ostream&) {}

}  // namespace korvent::pdf
