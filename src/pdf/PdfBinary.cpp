#include "pdf/PdfBinary.h"

#include <ostream>

namespace korvent::pdf {

void TPdfBinary::EmitBody(std::ostream& stream) {
    stream.write(FData.data(), static_cast<std::streamsize>(FData.size()));
}

}  // namespace korvent::pdf
