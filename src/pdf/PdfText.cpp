#include "pdf/PdfText.h"

#include "pdf/PdfFormat.h"

#include <ostream>

namespace korvent::pdf {

void TPdfText::EmitBody(std::ostream& stream) {
    if (HasNonAsciiByte(FValue)) {
        // Plain UTF-16BE after the byte-order mark: readers show a language escape as text.
        stream << "<FEFF" << UnicodeHex(FValue) << '>';
    } else {
        stream << '(' << EscapeLiteral(FValue) << ')';
    }
}

}  // namespace korvent::pdf
