#pragma once

#include "pdf/PdfObjectMgr.h"
#include "pdf/PdfXrefEntry.h"

#include <iosfwd>
#include <memory>
#include <vector>

namespace korvent::pdf {

// The cross-reference table: owns every indirect object; an object's number is its index.
// Entry 0 is the head of the free list.
class TPdfXref : public TPdfObjectMgr {
public:
    TPdfXref();
    ~TPdfXref() override;

    // Throws EPdfInvalidOperation "AddObject --wrong object type." for a non-direct object.
    TPdfObject* AddObject(std::unique_ptr<TPdfObject> object) override;
    TPdfObject* GetObject(int objectNumber) const override;

    int ItemCount() const { return static_cast<int>(FXrefEntries.size()); }
    TPdfXrefEntry& Items(int index) { return *FXrefEntries.at(static_cast<std::size_t>(index)); }
    // "xref", "0 count", then one 20-byte line per entry.
    void WriteToStream(std::ostream& stream) const;

private:
    std::vector<std::unique_ptr<TPdfXrefEntry>> FXrefEntries;
};

}  // namespace korvent::pdf
