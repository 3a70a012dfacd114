#include "pdf/PdfOutlineEntry.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfDestination.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfText.h"
#include "pdf/PdfXref.h"
#include "platform/Exception.h"

namespace korvent::pdf {

TPdfOutlineEntry::TPdfOutlineEntry(TPdfOutlineEntry* parent, TPdfDoc* doc)
    : FParent(parent), FDoc(doc) {}

TPdfOutlineEntry::~TPdfOutlineEntry() = default;

TPdfOutlineEntry* TPdfOutlineEntry::AddChild() {
    if (FDoc == nullptr || Data() == nullptr) {
        throw korvent::Exception("CreateEntry --invalid parent.");
    }
    auto entry = std::make_unique<TPdfOutlineEntry>(this, FDoc);
    entry->SetData(FDoc->Xref().Add(std::make_unique<TPdfDictionary>(&FDoc->Xref())));
    TPdfOutlineEntry* child = FDoc->AdoptOutlineEntry(std::move(entry));
    FChildren.push_back(child);
    return child;
}

void TPdfOutlineEntry::Save() {
    TPdfDictionary& data = *Data();
    const int count = Count();
    data.SetNumberItem("Count", FOpened ? count : -count);
    if (FParent != nullptr) {
        data.SetItem("Title", std::make_unique<TPdfText>(FTitle));
        data.SetItem("Parent", *FParent->Data());
        if (FDest != nullptr) {
            data.SetItem("Dest", FDest->GetValue(&FDoc->Xref()));
        }
        const auto& siblings = FParent->FChildren;
        for (std::size_t i = 0; i < siblings.size(); ++i) {
            if (siblings[i] != this) {
                continue;
            }
            if (i > 0) {
                data.SetItem("Prev", *siblings[i - 1]->Data());
            }
            if (i + 1 < siblings.size()) {
                data.SetItem("Next", *siblings[i + 1]->Data());
            }
        }
    }
    if (!FChildren.empty()) {
        data.SetItem("First", *FChildren.front()->Data());
        data.SetItem("Last", *FChildren.back()->Data());
    }
    for (TPdfOutlineEntry* child : FChildren) {
        child->Save();
    }
}

}  // namespace korvent::pdf
