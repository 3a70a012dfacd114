#pragma once

#include <memory>
#include <string>
#include <vector>

namespace korvent::pdf {

class TPdfOutlineEntry;

// The report's handle on one outline entry of the open document.
class TPROutlineEntry {
public:
    explicit TPROutlineEntry(TPdfOutlineEntry* data) : FData(data) {}
    virtual ~TPROutlineEntry();

    TPdfOutlineEntry* Data() const { return FData; }
    // A new child entry of the document's outline under this one.
    TPROutlineEntry& AddChild();
    void SetTitle(std::string title);
    void SetOpened(bool opened);

private:
    TPdfOutlineEntry* FData;
    std::vector<std::unique_ptr<TPROutlineEntry>> FChildren;
};

}  // namespace korvent::pdf
