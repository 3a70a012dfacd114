#include "pdf/PdfBoolean.h"

#include <ostream>

namespace korvent::pdf {

void TPdfBoolean::EmitBody(std::ostream& stream) {
    stream << (FValue ? "true" : "false");
}

}  // namespace korvent::pdf
