#pragma once

#include "pdf/PdfObject.h"

#include <cstdint>
#include <memory>
#include <string>

namespace korvent::pdf {

// One line of the cross-reference table: "n" for an object in use (owned here), "f" for free.
class TPdfXrefEntry {
public:
    TPdfXrefEntry(std::string entryType, std::int32_t generation,
                  std::unique_ptr<TPdfObject> value);

    const std::string& EntryType() const { return FEntryType; }
    std::int32_t ByteOffset() const { return FByteOffset; }
    void SetByteOffset(std::int32_t offset) { FByteOffset = offset; }
    std::int32_t GenerationNumber() const { return FGenerationNumber; }
    TPdfObject* Value() const { return FValue.get(); }

private:
    std::string FEntryType;
    std::int32_t FByteOffset = -1;
    std::int32_t FGenerationNumber;
    std::unique_ptr<TPdfObject> FValue;
};

}  // namespace korvent::pdf
