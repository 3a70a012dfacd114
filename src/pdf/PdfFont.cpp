#include "pdf/PdfFont.h"

namespace korvent::pdf {

TPdfFont::TPdfFont(TPdfXref& xref, std::string name) : FXref(xref), FName(std::move(name)) {}

TPdfFont::~TPdfFont() = default;

int TPdfFont::GetCharWidth(std::string_view, int) const {
    return 0;
}

}  // namespace korvent::pdf
