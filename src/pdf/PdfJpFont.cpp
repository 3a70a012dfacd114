#include "pdf/PdfJpFont.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfText.h"
#include "pdf/PdfXref.h"

namespace korvent::pdf {

void TPdfJpFont::Build() {
    TPdfXref& xref = Xref();
    const std::string fontName = GetFontName();
    auto* type0 = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    auto* cidFont = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    auto* descriptor = xref.Add(std::make_unique<TPdfDictionary>(&xref));

    type0->SetNameItem("BaseFont", fontName);
    auto descendants = std::make_unique<TPdfArray>(&xref);
    descendants->Append(*cidFont);
    type0->SetItem("DescendantFonts", std::move(descendants));

    cidFont->SetNameItem("Type", "Font");
    cidFont->SetNameItem("Subtype", "CIDFontType2");
    cidFont->SetNameItem("WinCharSet", "128");
    cidFont->SetNameItem("BaseFont", fontName);
    auto systemInfo = std::make_unique<TPdfDictionary>(&xref);
    systemInfo->SetItem("Registry", std::make_unique<TPdfText>("Adobe"));
    systemInfo->SetItem("Ordering", std::make_unique<TPdfText>("Japan1"));
    systemInfo->SetNumberItem("Supplement", 2);
    cidFont->SetItem("CIDSystemInfo", std::move(systemInfo));
    cidFont->SetNumberItem("DW", 1000);
    cidFont->SetItem("W", AddWArray());

    descriptor->SetNameItem("Type", "FontDescriptor");
    // Required in every font descriptor; BaseFont stays for readers that look there.
    descriptor->SetNameItem("FontName", fontName);
    descriptor->SetNameItem("BaseFont", fontName);
    descriptor->SetNumberItem("Ascent", 859);
    descriptor->SetNumberItem("CapHeight", 859);
    descriptor->SetNumberItem("Descent", -141);
    descriptor->SetNumberItem("MissingWidth", 500);
    AddDescriptorItem(*descriptor);
    descriptor->SetItem("FontBBox", std::make_unique<TPdfArray>(
                                        &xref, std::initializer_list<int>{0, -141, 1000, 859}));
    cidFont->SetItem("FontDescriptor", *descriptor);

    type0->SetNameItem("Type", "Font");
    type0->SetNameItem("Subtype", "Type0");
    type0->SetNameItem("Encoding", EncodingName());
    SetData(type0);
}

}  // namespace korvent::pdf
