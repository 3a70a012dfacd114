#include "pdf/PdfTrailer.h"

#include <ostream>
#include <string>

namespace korvent::pdf {

TPdfTrailer::TPdfTrailer(TPdfObjectMgr* objectMgr) : FAttributes(objectMgr) {
    FAttributes.SetNumberItem("Size", 0);
}

void TPdfTrailer::WriteToStream(std::ostream& stream) {
    stream << "trailer\r\n";
    FAttributes.EmitBody(stream);
    stream << "\r\nstartxref\r\n" << std::to_string(FXrefAddress) << "\r\n%%EOF\r\n";
}

}  // namespace korvent::pdf
