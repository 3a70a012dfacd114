#include "pdf/PdfText.h"

#include "pdf/PdfFormat.h"

#include <ostream>

namespace korvent::pdf {

void TPdfText::EmitBody(std::ostream& stream) {
    if (HasDoubleByteChar(FValue)) {
        // Byte-order mark, then a language escape naming "en", then the UTF-16 text.
        stream << '<' << "FEFF001B" << HexOfBytes("en") << "001B" << UnicodeHex(FValue) << '>';
    } else {
        stream << '(' << EscapeLiteral(FValue) << ')';
    }
}

}  // namespace korvent::pdf
