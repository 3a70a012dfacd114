#include "pdf/PdfDictionaryElement.h"

#include "pdf/PdfInvalidValue.h"

namespace korvent::pdf {

TPdfDictionaryElement::TPdfDictionaryElement(std::string key, std::unique_ptr<TPdfObject> value,
                                             bool hidden)
    : FKey(std::move(key)), FValue(std::move(value)), FIsHidden(hidden) {
    if (!FValue) {
        throw EPdfInvalidValue("internal error. wrong object.");
    }
}

}  // namespace korvent::pdf
