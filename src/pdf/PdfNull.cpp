#include "pdf/PdfNull.h"

#include <ostream>

namespace korvent::pdf {

void TPdfNull::EmitBody(std::ostream& stream) {
    stream << "null";
}

}  // namespace korvent::pdf
