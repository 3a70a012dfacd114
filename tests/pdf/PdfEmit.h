#pragma once

#include <sstream>
#include <string>

#include "pdf/PdfDoc.h"
#include "pdf/PdfObject.h"

namespace korvent::testing {

// What an object writes as its body (an indirect object's text between "obj" and "endobj").
inline std::string Body(pdf::TPdfObject& object) {
    std::ostringstream out;
    object.EmitBody(out);
    return out.str();
}

// What an object writes where it is used as a value (a reference for an indirect object).
inline std::string Value(pdf::TPdfObject& object) {
    std::ostringstream out;
    object.EmitAsValue(out);
    return out.str();
}

// The bytes of the whole document.
inline std::string Save(pdf::TPdfDoc& doc) {
    std::ostringstream out;
    doc.SaveToStream(out);
    return out.str();
}

}  // namespace korvent::testing
