#include "pdf/PdfXref.h"

#include "pdf/PdfInvalidOperation.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace korvent::pdf {

TPdfXref::TPdfXref() {
    FXrefEntries.push_back(std::make_unique<TPdfXrefEntry>("f", 65535, nullptr));
}

TPdfXref::~TPdfXref() = default;

TPdfObject* TPdfXref::AddObject(std::unique_ptr<TPdfObject> object) {
    if (!object || object->ObjectType() != TPdfObjectKind::okDirect) {
        throw EPdfInvalidOperation("AddObject --wrong object type.");
    }
    TPdfObject* added = object.get();
    const int number = ItemCount();
    FXrefEntries.push_back(
        std::make_unique<TPdfXrefEntry>("n", object->GenerationNumber(), std::move(object)));
    added->MarkIndirect(number);
    return added;
}

TPdfObject* TPdfXref::GetObject(int objectNumber) const {
    if (objectNumber < 0 || objectNumber >= ItemCount()) {
        return nullptr;
    }
    return FXrefEntries[static_cast<std::size_t>(objectNumber)]->Value();
}

void TPdfXref::WriteToStream(std::ostream& stream) const {
    stream << "xref\r\n0 " << std::to_string(FXrefEntries.size()) << "\r\n";
    for (const auto& entry : FXrefEntries) {
        char line[32];
        const long offset = entry->ByteOffset() < 0 ? 0 : entry->ByteOffset();
        std::snprintf(line, sizeof line, "%010ld %05d %s\r\n", offset,
                      static_cast<int>(entry->GenerationNumber()), entry->EntryType().c_str());
        stream << line;
    }
}

}  // namespace korvent::pdf
