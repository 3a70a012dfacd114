#pragma once

#include "pdf/PdfDictionaryWrapper.h"
#include "pdf/PdfFormat.h"

#include <string>

namespace korvent::pdf {

// The document information dictionary. Each setter (re)sets its key, which moves it to the end.
// Dates are always the current local time: the value handed in is not used.
class TPdfInfo : public TPdfDictionaryWrapper {
public:
    void SetAuthor(const std::string& value);
    void SetCreationDate(TDateTime value);
    void SetCreator(const std::string& value);
    void SetKeywords(const std::string& value);
    void SetModDate(TDateTime value);
    void SetSubject(const std::string& value);
    void SetTitle(const std::string& value);

private:
    void SetText(const char* key, const std::string& value);
};

}  // namespace korvent::pdf
