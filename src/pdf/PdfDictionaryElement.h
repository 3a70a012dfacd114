#pragma once

#include "pdf/PdfName.h"

#include <memory>
#include <string>

namespace korvent::pdf {

// One key and its value in a dictionary; hidden elements are kept but never written.
class TPdfDictionaryElement {
public:
    // Throws EPdfInvalidValue without a value.
    TPdfDictionaryElement(std::string key, std::unique_ptr<TPdfObject> value, bool hidden);

    const std::string& Key() const { return FKey.Value(); }
    TPdfName& KeyName() { return FKey; }
    TPdfObject* Value() const { return FValue.get(); }
    bool IsHidden() const { return FIsHidden; }

private:
    TPdfName FKey;
    std::unique_ptr<TPdfObject> FValue;
    bool FIsHidden;
};

}  // namespace korvent::pdf
