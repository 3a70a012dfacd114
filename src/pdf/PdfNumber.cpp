#include "pdf/PdfNumber.h"

#include <ostream>
#include <string>

namespace korvent::pdf {

void TPdfNumber::EmitBody(std::ostream& stream) {
    stream << std::to_string(FValue);
}

}  // namespace korvent::pdf
