#include "pdf/PdfXrefEntry.h"

namespace korvent::pdf {

TPdfXrefEntry::TPdfXrefEntry(std::string entryType, std::int32_t generation,
                             std::unique_ptr<TPdfObject> value)
    : FEntryType(std::move(entryType)), FGenerationNumber(generation), FValue(std::move(value)) {}

}  // namespace korvent::pdf
