#pragma once

#include "pdf/PdfFont.h"

#include <array>
#include <cstdint>
#include <span>

namespace korvent::pdf {

// A simple font with a single-byte width table.
class TPdfType1Font : public TPdfFont {
public:
    // Builds and registers the dictionary of a standard font: Type, Subtype, Encoding
    // (WinAnsiEncoding), FirstChar 32, LastChar 255, BaseFont and the hidden Widths.
    TPdfType1Font(TPdfXref& xref, std::string name, std::string_view baseFont,
                  std::span<const std::int16_t> widths);

    // Reads MissingWidth, FirstChar, LastChar and Widths into the width table.
    void SetData(TPdfDictionary* data) override;
    int GetCharWidth(std::string_view text, int position) const override;

private:
    std::uint8_t FFirstChar = 0;
    std::uint8_t FLastChar = 0;
    std::array<std::int16_t, 256> FWidths{};
};

}  // namespace korvent::pdf
