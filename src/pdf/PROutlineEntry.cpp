#include "pdf/PROutlineEntry.h"

#include "pdf/PdfOutlineEntry.h"

namespace korvent::pdf {

TPROutlineEntry::~TPROutlineEntry() = default;

TPROutlineEntry& TPROutlineEntry::AddChild() {
    FChildren.push_back(std::make_unique<TPROutlineEntry>(FData->AddChild()));
    return *FChildren.back();
}

void TPROutlineEntry::SetTitle(std::string title) {
    FData->SetTitle(std::move(title));
}

void TPROutlineEntry::SetOpened(bool opened) {
    FData->SetOpened(opened);
}

}  // namespace korvent::pdf
