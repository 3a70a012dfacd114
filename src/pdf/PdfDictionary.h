#pragma once

#include "pdf/PdfDictionaryElement.h"
#include "pdf/PdfObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvent::pdf {

class TPdfArray;
class TPdfNumber;
class TPdfObjectMgr;
class TPdfName;
class TPdfReal;
class TPdfText;

// Keys are unique; setting a key moves it to the end, so keys are written in the order they
// were last set.
class TPdfDictionary : public TPdfObject {
public:
    explicit TPdfDictionary(TPdfObjectMgr* objectMgr = nullptr);
    ~TPdfDictionary() override;

    // Sets a direct value, which the dictionary then owns. A null value throws EPdfInvalidValue
    // and leaves any earlier value of the key in place.
    void SetItem(std::string_view key, std::unique_ptr<TPdfObject> value);
    // Sets a reference to an indirect object (a direct one throws EPdfInvalidValue).
    void SetItem(std::string_view key, const TPdfObject& indirect);
    // Kept and found like any other element, but never written.
    void SetHiddenItem(std::string_view key, std::unique_ptr<TPdfObject> value);
    void SetNumberItem(std::string_view key, std::int32_t value);
    void SetNameItem(std::string_view key, std::string_view value);
    void DropKey(std::string_view key);

    // The value, references resolved; nullptr when missing, unresolvable or of another type.
    TPdfObject* ValueOf(std::string_view key) const;
    TPdfNumber* NumberValueOf(std::string_view key) const;
    TPdfText* TextValueOf(std::string_view key) const;
    TPdfReal* RealValueOf(std::string_view key) const;
    TPdfName* NameValueOf(std::string_view key) const;
    TPdfDictionary* DictionaryValueOf(std::string_view key) const;
    TPdfArray* ArrayValueOf(std::string_view key) const;

    int ItemCount() const { return static_cast<int>(FElements.size()); }
    // Keys in list order, hidden ones included.
    std::vector<std::string> Keys() const;
    TPdfObjectMgr* ObjectMgr() const { return FObjectMgr; }

    void EmitBody(std::ostream& stream) override;

private:
    void Put(std::string_view key, std::unique_ptr<TPdfObject> value, bool hidden);

    std::vector<std::unique_ptr<TPdfDictionaryElement>> FElements;
    TPdfObjectMgr* FObjectMgr;
};

}  // namespace korvent::pdf
