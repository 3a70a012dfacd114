#pragma once

#include "pdf/PdfDictionaryWrapper.h"

#include <memory>
#include <string>
#include <vector>

namespace korvent::pdf {

class TPdfDestination;
class TPdfDoc;

// A node of the outline tree. The document owns every entry; entries only point at each other.
class TPdfOutlineEntry : public TPdfDictionaryWrapper {
public:
    TPdfOutlineEntry(TPdfOutlineEntry* parent, TPdfDoc* doc);
    ~TPdfOutlineEntry() override;

    // A new child, registered and owned by the document.
    TPdfOutlineEntry* AddChild();
    TPdfOutlineEntry* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }

    const std::string& Title() const { return FTitle; }
    void SetTitle(std::string title) { FTitle = std::move(title); }
    bool Opened() const { return FOpened; }
    void SetOpened(bool opened) { FOpened = opened; }
    TPdfDestination* Dest() const { return FDest; }
    void SetDest(TPdfDestination* dest) { FDest = dest; }

    // Writes Count (and for entries Title, Dest, First, Last, Prev, Next), then the children's.
    virtual void Save();

protected:
    TPdfDoc* Doc() const { return FDoc; }

private:
    TPdfOutlineEntry* FParent;
    TPdfDoc* FDoc;
    std::vector<TPdfOutlineEntry*> FChildren;
    std::string FTitle;
    bool FOpened = false;
    TPdfDestination* FDest = nullptr;
};

}  // namespace korvent::pdf
