#include "pdf/PdfHeader.h"

#include <ostream>

namespace korvent::pdf {

void TPdfHeader::WriteToStream(std::ostream& stream) const {
    stream << "%PDF-1.2 \r\n";
}

}  // namespace korvent::pdf
