#include "pdf/PdfJpFixedFont.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfJpCMap.h"
#include "pdf/PdfXref.h"

namespace korvent::pdf {

TPdfJpFixedFont::TPdfJpFixedFont(TPdfXref& xref, std::string name, const TPdfJpFontStyle& style)
    : TPdfJpFont(xref, std::move(name)), FStyle(style) {
    SetCharToCID([](std::string_view text, int position) {
        const int code = CharCodeAt(text, position);
        return code < 0 ? -1 : CodeToCID(tables::k90msRKSJH, code);
    });
    Build();
}

void TPdfJpFixedFont::AddDescriptorItem(TPdfDictionary& descriptor) {
    descriptor.SetNumberItem("Flags", FStyle.flags);
    descriptor.SetNumberItem("ItalicAngle", FStyle.italicAngle);
    descriptor.SetNumberItem("StemV", FStyle.stemV);
}

std::unique_ptr<TPdfArray> TPdfJpFixedFont::AddWArray() {
    return std::make_unique<TPdfArray>(&Xref(), std::initializer_list<int>{231, 631, 500});
}

}  // namespace korvent::pdf
