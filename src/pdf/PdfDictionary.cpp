#include "pdf/PdfDictionary.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfName.h"
#include "pdf/PdfNumber.h"
#include "pdf/PdfObjectMgr.h"
#include "pdf/PdfReal.h"
#include "pdf/PdfText.h"
#include "pdf/PdfVirtualObject.h"

#include <algorithm>
#include <ostream>

namespace korvent::pdf {

TPdfDictionary::TPdfDictionary(TPdfObjectMgr* objectMgr) : FObjectMgr(objectMgr) {}

TPdfDictionary::~TPdfDictionary() = default;

void TPdfDictionary::Put(std::string_view key, std::unique_ptr<TPdfObject> value, bool hidden) {
    if (value && value->ObjectType() != TPdfObjectKind::okDirect) {
        value = TPdfVirtualObject::CreateVirtual(value->ObjectNumber());
    }
    // Made before the old element goes, so a failure leaves the dictionary as it was.
    auto element =
        std::make_unique<TPdfDictionaryElement>(std::string(key), std::move(value), hidden);
    DropKey(key);
    FElements.push_back(std::move(element));
}

void TPdfDictionary::SetItem(std::string_view key, std::unique_ptr<TPdfObject> value) {
    Put(key, std::move(value), false);
}

void TPdfDictionary::SetItem(std::string_view key, const TPdfObject& indirect) {
    if (indirect.ObjectType() == TPdfObjectKind::okDirect) {
        throw EPdfInvalidValue("SetItem --direct object must be handed over.");
    }
    Put(key, TPdfVirtualObject::CreateVirtual(indirect.ObjectNumber()), false);
}

void TPdfDictionary::SetHiddenItem(std::string_view key, std::unique_ptr<TPdfObject> value) {
    Put(key, std::move(value), true);
}

void TPdfDictionary::SetNumberItem(std::string_view key, std::int32_t value) {
    SetItem(key, std::make_unique<TPdfNumber>(value));
}

void TPdfDictionary::SetNameItem(std::string_view key, std::string_view value) {
    SetItem(key, std::make_unique<TPdfName>(std::string(value)));
}

void TPdfDictionary::DropKey(std::string_view key) {
    const auto it = std::find_if(FElements.begin(), FElements.end(),
                                 [&](const auto& element) { return element->Key() == key; });
    if (it != FElements.end()) {
        FElements.erase(it);
    }
}

TPdfObject* TPdfDictionary::ValueOf(std::string_view key) const {
    for (const auto& element : FElements) {
        if (element->Key() == key) {
            TPdfObject* value = element->Value();
            if (value->ObjectType() == TPdfObjectKind::okVirtual) {
                return FObjectMgr != nullptr ? FObjectMgr->GetObject(value->ObjectNumber())
                                             : nullptr;
            }
            return value;
        }
    }
    return nullptr;
}

TPdfNumber* TPdfDictionary::NumberValueOf(std::string_view key) const {
    return dynamic_cast<TPdfNumber*>(ValueOf(key));
}
TPdfText* TPdfDictionary::TextValueOf(std::string_view key) const {
    return dynamic_cast<TPdfText*>(ValueOf(key));
}
TPdfReal* TPdfDictionary::RealValueOf(std::string_view key) const {
    return dynamic_cast<TPdfReal*>(ValueOf(key));
}
TPdfName* TPdfDictionary::NameValueOf(std::string_view key) const {
    return dynamic_cast<TPdfName*>(ValueOf(key));
}
TPdfDictionary* TPdfDictionary::DictionaryValueOf(std::string_view key) const {
    return dynamic_cast<TPdfDictionary*>(ValueOf(key));
}
TPdfArray* TPdfDictionary::ArrayValueOf(std::string_view key) const {
    return dynamic_cast<TPdfArray*>(ValueOf(key));
}

std::vector<std::string> TPdfDictionary::Keys() const {
    std::vector<std::string> keys;
    for (const auto& element : FElements) {
        keys.push_back(element->Key());
    }
    return keys;
}

void TPdfDictionary::EmitBody(std::ostream& stream) {
    stream << "<<\r\n";
    for (const auto& element : FElements) {
        if (element->IsHidden()) {
            continue;
        }
        element->KeyName().EmitBody(stream);
        stream << ' ';
        element->Value()->EmitAsValue(stream);
        stream << "\r\n";
    }
    stream << ">>";
}

}  // namespace korvent::pdf
