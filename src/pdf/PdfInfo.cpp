#include "pdf/PdfInfo.h"

#include "pdf/PdfDictionary.h"
#include "pdf/PdfText.h"

namespace korvent::pdf {

void TPdfInfo::SetText(const char* key, const std::string& value) {
    Data()->SetItem(key, std::make_unique<TPdfText>(value));
}

void TPdfInfo::SetAuthor(const std::string& value) {
    SetText("Author", value);
}
void TPdfInfo::SetCreationDate(TDateTime value) {
    SetText("CreationDate", PdfDateText(value));
}
void TPdfInfo::SetCreator(const std::string& value) {
    SetText("Creator", value);
}
void TPdfInfo::SetKeywords(const std::string& value) {
    SetText("Keywords", value);
}
void TPdfInfo::SetModDate(TDateTime value) {
    SetText("ModDate", PdfDateText(value));
}
void TPdfInfo::SetSubject(const std::string& value) {
    SetText("Subject", value);
}
void TPdfInfo::SetTitle(const std::string& value) {
    SetText("Title", value);
}

}  // namespace korvent::pdf
