#pragma once

#include "pdf/PdfDictionary.h"

#include <cstdint>
#include <iosfwd>

namespace korvent::pdf {

class TPdfObjectMgr;

class TPdfTrailer {
public:
    explicit TPdfTrailer(TPdfObjectMgr* objectMgr);

    TPdfDictionary& Attributes() { return FAttributes; }
    std::int64_t XrefAddress() const { return FXrefAddress; }
    void SetXrefAddress(std::int64_t address) { FXrefAddress = address; }
    // "trailer", the dictionary, "startxref", the address, "%%EOF".
    void WriteToStream(std::ostream& stream);

private:
    TPdfDictionary FAttributes;
    std::int64_t FXrefAddress = 0;
};

}  // namespace korvent::pdf
