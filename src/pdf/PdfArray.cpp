#include "pdf/PdfArray.h"

#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfName.h"
#include "pdf/PdfNumber.h"
#include "pdf/PdfObjectMgr.h"
#include "pdf/PdfVirtualObject.h"

#include <ostream>

namespace korvent::pdf {

TPdfArray::TPdfArray(TPdfObjectMgr* objectMgr) : FObjectMgr(objectMgr) {}

TPdfArray::TPdfArray(TPdfObjectMgr* objectMgr, std::span<const int> values)
    : FObjectMgr(objectMgr) {
    FArray.reserve(values.size());
    for (int value : values) {
        FArray.push_back(std::make_unique<TPdfNumber>(value));
    }
}

TPdfArray::TPdfArray(TPdfObjectMgr* objectMgr, std::initializer_list<int> values)
    : TPdfArray(objectMgr, std::span<const int>(values.begin(), values.size())) {}

TPdfArray::~TPdfArray() = default;

void TPdfArray::Append(std::unique_ptr<TPdfObject> item) {
    if (!item) {
        return;
    }
    if (item->ObjectType() != TPdfObjectKind::okDirect) {
        FArray.push_back(TPdfVirtualObject::CreateVirtual(item->ObjectNumber()));
        return;
    }
    FArray.push_back(std::move(item));
}

void TPdfArray::Append(const TPdfObject& indirect) {
    if (indirect.ObjectType() == TPdfObjectKind::okDirect) {
        throw EPdfInvalidValue("Append --direct object must be handed over.");
    }
    FArray.push_back(TPdfVirtualObject::CreateVirtual(indirect.ObjectNumber()));
}

TPdfObject* TPdfArray::Resolve(TPdfObject* item) const {
    if (item->ObjectType() != TPdfObjectKind::okVirtual) {
        return item;
    }
    return FObjectMgr != nullptr ? FObjectMgr->GetObject(item->ObjectNumber()) : nullptr;
}

TPdfObject* TPdfArray::ItemAt(int index) const {
    if (index < 0 || index >= ItemCount()) {
        return nullptr;
    }
    return Resolve(FArray[static_cast<std::size_t>(index)].get());
}

TPdfObject* TPdfArray::FindNameItem(std::string_view name) const {
    for (const auto& item : FArray) {
        auto* found = dynamic_cast<TPdfName*>(Resolve(item.get()));
        if (found != nullptr && found->Value() == name) {
            return found;
        }
    }
    return nullptr;
}

bool TPdfArray::RemoveNameItem(std::string_view name) {
    for (auto it = FArray.begin(); it != FArray.end(); ++it) {
        auto* found = dynamic_cast<TPdfName*>(Resolve(it->get()));
        if (found != nullptr && found->Value() == name) {
            FArray.erase(it);
            return true;
        }
    }
    return false;
}

void TPdfArray::EmitBody(std::ostream& stream) {
    stream << '[';
    for (const auto& item : FArray) {
        item->EmitAsValue(stream);
        stream << ' ';
    }
    stream << ']';
}

}  // namespace korvent::pdf
