#include "pdf/PdfType1Font.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfNumber.h"
#include "pdf/PdfXref.h"

#include <vector>

namespace korvent::pdf {

TPdfType1Font::TPdfType1Font(TPdfXref& xref, std::string name, std::string_view baseFont,
                             std::span<const std::int16_t> widths)
    : TPdfFont(xref, std::move(name)) {
    auto* dictionary = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    dictionary->SetNameItem("Type", "Font");
    dictionary->SetNameItem("Subtype", "Type1");
    dictionary->SetNameItem("Encoding", "WinAnsiEncoding");
    dictionary->SetNumberItem("FirstChar", 32);
    dictionary->SetNumberItem("LastChar", 255);
    dictionary->SetNameItem("BaseFont", baseFont);
    const std::vector<int> values(widths.begin(), widths.end());
    dictionary->SetHiddenItem("Widths", std::make_unique<TPdfArray>(&xref, values));
    SetData(dictionary);
}

void TPdfType1Font::SetData(TPdfDictionary* data) {
    TPdfFont::SetData(data);
    const TPdfNumber* missing = data->NumberValueOf("MissingWidth");
    FWidths.fill(static_cast<std::int16_t>(missing != nullptr ? missing->Value() : 0));
    const TPdfNumber* first = data->NumberValueOf("FirstChar");
    const TPdfNumber* last = data->NumberValueOf("LastChar");
    FFirstChar = static_cast<std::uint8_t>(first != nullptr ? first->Value() : 0);
    FLastChar = static_cast<std::uint8_t>(last != nullptr ? last->Value() : 0);
    if (const TPdfArray* widths = data->ArrayValueOf("Widths")) {
        for (int i = 0; i < widths->ItemCount() && FFirstChar + i < 256; ++i) {
            if (const auto* width = dynamic_cast<const TPdfNumber*>(widths->ItemAt(i))) {
                FWidths[static_cast<std::size_t>(FFirstChar + i)] =
                    static_cast<std::int16_t>(width->Value());
            }
        }
    }
}

int TPdfType1Font::GetCharWidth(std::string_view text, int position) const {
    if (position < 0 || static_cast<std::size_t>(position) >= text.size()) {
        return 0;
    }
    return FWidths[static_cast<unsigned char>(text[static_cast<std::size_t>(position)])];
}

}  // namespace korvent::pdf
