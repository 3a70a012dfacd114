#include "pdf/PdfStream.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfNumber.h"

#include <ostream>

namespace korvent::pdf {

TPdfStream::TPdfStream(TPdfObjectMgr* objectMgr) : FAttributes(objectMgr) {
    FAttributes.SetItem("Length", std::make_unique<TPdfNumber>(0));
    FAttributes.SetItem("Filter", std::make_unique<TPdfArray>(objectMgr));
}

TPdfStream::~TPdfStream() = default;

void TPdfStream::EmitBody(std::ostream& stream) {
    TPdfNumber* length = FAttributes.NumberValueOf("Length");
    if (TPdfArray* filter = FAttributes.ArrayValueOf("Filter")) {
        filter->RemoveNameItem("FlateDecode");
    }
    if (length != nullptr) {
        length->SetValue(static_cast<std::int32_t>(FData.size()));
    }
    FAttributes.EmitAsValue(stream);
    stream << "\r\nstream\r\n";
    stream.write(FData.data(), static_cast<std::streamsize>(FData.size()));
    stream << "\nendstream";
}

}  // namespace korvent::pdf
