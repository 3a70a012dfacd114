#pragma once

#include "pdf/PdfDictionary.h"
#include "pdf/PdfObject.h"

#include <string>

namespace korvent::pdf {

class TPdfObjectMgr;

// Attributes and data. The data goes out exactly as stored: the writer never compresses, and
// Filter lists only encodings already applied by whoever filled the data.
class TPdfStream : public TPdfObject {
public:
    explicit TPdfStream(TPdfObjectMgr* objectMgr = nullptr);
    ~TPdfStream() override;

    TPdfDictionary& Attributes() { return FAttributes; }
    const TPdfDictionary& Attributes() const { return FAttributes; }
    std::string& Data() { return FData; }
    const std::string& Data() const { return FData; }

    void EmitBody(std::ostream& stream) override;

private:
    TPdfDictionary FAttributes;
    std::string FData;
};

}  // namespace korvent::pdf
