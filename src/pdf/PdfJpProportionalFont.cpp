#include "pdf/PdfJpProportionalFont.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfJpCMap.h"
#include "pdf/PdfNumber.h"
#include "pdf/PdfXref.h"

#include <vector>

namespace korvent::pdf {

TPdfJpProportionalFont::TPdfJpProportionalFont(TPdfXref& xref, std::string name,
                                               const TPdfJpFontStyle& style)
    : TPdfJpFont(xref, std::move(name)), FStyle(style) {
    SetCharToCID([](std::string_view text, int position) {
        const int code = CharCodeAt(text, position);
        return code < 0 ? -1 : CodeToCID(tables::k90mspRKSJH, code);
    });
    Build();
}

void TPdfJpProportionalFont::AddDescriptorItem(TPdfDictionary& descriptor) {
    descriptor.SetNumberItem("Flags", FStyle.flags);
    descriptor.SetNumberItem("ItalicAngle", FStyle.italicAngle);
    descriptor.SetNumberItem("StemV", FStyle.stemV);
}

std::unique_ptr<TPdfArray> TPdfJpProportionalFont::AddWArray() {
    auto array = std::make_unique<TPdfArray>(&Xref());
    for (const tables::TWidthRun& run : tables::kProportionalWidthRuns) {
        array->Append(std::make_unique<TPdfNumber>(run.start));
        const std::vector<int> widths(run.widths.begin(), run.widths.end());
        array->Append(std::make_unique<TPdfArray>(&Xref(), widths));
    }
    return array;
}

}  // namespace korvent::pdf
