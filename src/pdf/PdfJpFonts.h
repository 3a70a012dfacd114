#pragma once

#include "pdf/PdfJpFixedFont.h"
#include "pdf/PdfJpFontStyle.h"
#include "pdf/PdfJpProportionalFont.h"

#include <string>
#include <type_traits>

namespace korvent::pdf {

// The sixteen Japanese fonts: registered name (= BaseFont), Flags, ItalicAngle, StemV.
inline const TPdfJpFontStyle kJpFontStyles[] = {
    {"Gothic", 5, 0, 78},           {"Gothic,Bold", 262149, 0, 156},
    {"Gothic,Italic", 5, -11, 78},  {"Gothic,BoldItalic", 262149, -11, 156},
    {"Mincyo", 7, 0, 78},           {"Mincyo,Bold", 262151, 0, 156},
    {"Mincyo,Italic", 7, -11, 78},  {"Mincyo,BoldItalic", 262151, -11, 156},
    {"PGothic", 4, 0, 78},          {"PGothic,Bold", 262148, 0, 156},
    {"PGothic,Italic", 4, -11, 78}, {"PGothic,BoldItalic", 262148, -11, 156},
    {"PMincyo", 6, 0, 78},          {"PMincyo,Bold", 262150, 0, 156},
    {"PMincyo,Italic", 6, -11, 78}, {"PMincyo,BoldItalic", 262150, -11, 156},
};

// One class per font, as each is registered under its own name; the first eight are fixed
// pitch, the last eight proportional.
template <int Index>
class TPdfJpStyledFont
    : public std::conditional_t<(Index < 8), TPdfJpFixedFont, TPdfJpProportionalFont> {
    using Base = std::conditional_t<(Index < 8), TPdfJpFixedFont, TPdfJpProportionalFont>;

public:
    TPdfJpStyledFont(TPdfXref& xref, std::string name)
        : Base(xref, std::move(name), kJpFontStyles[Index]) {}
};

using TPdfGothic = TPdfJpStyledFont<0>;
using TPdfGothicBold = TPdfJpStyledFont<1>;
using TPdfGothicItalic = TPdfJpStyledFont<2>;
using TPdfGothicBoldItalic = TPdfJpStyledFont<3>;
using TPdfMincyo = TPdfJpStyledFont<4>;
using TPdfMincyoBold = TPdfJpStyledFont<5>;
using TPdfMincyoItalic = TPdfJpStyledFont<6>;
using TPdfMincyoBoldItalic = TPdfJpStyledFont<7>;
using TPdfPGothic = TPdfJpStyledFont<8>;
using TPdfPGothicBold = TPdfJpStyledFont<9>;
using TPdfPGothicItalic = TPdfJpStyledFont<10>;
using TPdfPGothicBoldItalic = TPdfJpStyledFont<11>;
using TPdfPMincyo = TPdfJpStyledFont<12>;
using TPdfPMincyoBold = TPdfJpStyledFont<13>;
using TPdfPMincyoItalic = TPdfJpStyledFont<14>;
using TPdfPMincyoBoldItalic = TPdfJpStyledFont<15>;

}  // namespace korvent::pdf
