#pragma once

#include "pdf/PdfCIDWidthItem.h"
#include "pdf/PdfFont.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace korvent::pdf {

class TPdfArray;

// A composite font: widths come from its descendant font's DW and W array.
class TPdfType0Font : public TPdfFont {
public:
    using TCharToCID = std::function<int(std::string_view text, int position)>;

    using TPdfFont::TPdfFont;

    // Reads DW, W and the descriptor's MissingWidth from the descendant font.
    void SetData(TPdfDictionary* data) override;
    int GetCharWidth(std::string_view text, int position) const override;

    const std::vector<TPdfCIDWidthItem>& WidthItems() const { return FWidths; }
    // Parses a W array into width items; throws EPdfInvalidValue on a malformed one.
    static std::vector<TPdfCIDWidthItem> ParseWArray(const TPdfArray& array);

protected:
    void SetCharToCID(TCharToCID function) { FCharToCID = std::move(function); }

private:
    std::vector<TPdfCIDWidthItem> FWidths;
    std::int16_t FDefaultWidth = 1000;
    std::int16_t FMissingWidth = 0;
    TCharToCID FCharToCID;
};

}  // namespace korvent::pdf
