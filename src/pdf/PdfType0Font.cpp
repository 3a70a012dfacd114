#include "pdf/PdfType0Font.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfNumber.h"

namespace korvent::pdf {

std::vector<TPdfCIDWidthItem> TPdfType0Font::ParseWArray(const TPdfArray& array) {
    std::vector<TPdfCIDWidthItem> items;
    int i = 0;
    while (i < array.ItemCount()) {
        const auto* start = dynamic_cast<const TPdfNumber*>(array.ItemAt(i));
        if (start == nullptr) {
            throw EPdfInvalidValue("invalid W array start pos..");
        }
        TPdfObject* next = array.ItemAt(i + 1);
        if (const auto* widths = dynamic_cast<const TPdfArray*>(next)) {
            for (int k = 0; k < widths->ItemCount(); ++k) {
                const auto* width = dynamic_cast<const TPdfNumber*>(widths->ItemAt(k));
                const int cid = start->Value() + k;
                items.push_back({cid, cid, width != nullptr ? width->Value() : 0});
            }
            i += 2;
        } else if (const auto* last = dynamic_cast<const TPdfNumber*>(next)) {
            const auto* width = dynamic_cast<const TPdfNumber*>(array.ItemAt(i + 2));
            if (width == nullptr) {
                throw EPdfInvalidValue("invalid W array end pos..");
            }
            items.push_back({start->Value(), last->Value(), width->Value()});
            i += 3;
        } else {
            throw EPdfInvalidValue("invalid W array value..");
        }
    }
    return items;
}

void TPdfType0Font::SetData(TPdfDictionary* data) {
    TPdfFont::SetData(data);
    const TPdfArray* descendants = data->ArrayValueOf("DescendantFonts");
    auto* cidFont =
        descendants != nullptr ? dynamic_cast<TPdfDictionary*>(descendants->ItemAt(0)) : nullptr;
    if (cidFont == nullptr) {
        return;
    }
    if (const TPdfNumber* dw = cidFont->NumberValueOf("DW")) {
        FDefaultWidth = static_cast<std::int16_t>(dw->Value());
    }
    if (const TPdfArray* w = cidFont->ArrayValueOf("W")) {
        FWidths = ParseWArray(*w);
    }
    if (const TPdfDictionary* descriptor = cidFont->DictionaryValueOf("FontDescriptor")) {
        if (const TPdfNumber* missing = descriptor->NumberValueOf("MissingWidth")) {
            FMissingWidth = static_cast<std::int16_t>(missing->Value());
        }
    }
}

int TPdfType0Font::GetCharWidth(std::string_view text, int position) const {
    if (!FCharToCID) {
        return 0;
    }
    const int cid = FCharToCID(text, position);
    if (cid < 0) {
        return 0;
    }
    int width = 0;
    for (const TPdfCIDWidthItem& item : FWidths) {
        if (item.LastCID >= cid) {
            if (cid >= item.FirstCID) {
                width = item.Width;
            }
            break;
        }
    }
    if (width == 0) {
        const bool doubleByte =
            IsLeadByte(static_cast<unsigned char>(text[static_cast<std::size_t>(position)]));
        width = doubleByte ? FDefaultWidth : FMissingWidth;
    }
    return width;
}

}  // namespace korvent::pdf
