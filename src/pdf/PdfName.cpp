#include "pdf/PdfName.h"

#include "pdf/PdfFormat.h"

#include <ostream>

namespace korvent::pdf {

void TPdfName::EmitBody(std::ostream& stream) {
    stream << '/' << EscapeName(FValue);
}

}  // namespace korvent::pdf
