#include "pdf/PdfReal.h"

#include "pdf/PdfFormat.h"

#include <ostream>

namespace korvent::pdf {

void TPdfReal::EmitBody(std::ostream& stream) {
    stream << FormatReal(FValue);
}

}  // namespace korvent::pdf
