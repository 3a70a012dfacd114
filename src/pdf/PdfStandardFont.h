#pragma once

#include "pdf/PdfFontTables.h"
#include "pdf/PdfType1Font.h"

#include <string>

namespace korvent::pdf {

// The twelve standard Type 1 fonts, each a type of its own so that it can be registered and
// named like any other font class.
enum class TStandardFontId {
    FixedWidth,
    FixedWidthBold,
    FixedWidthItalic,
    FixedWidthBoldItalic,
    Arial,
    ArialBold,
    ArialItalic,
    ArialBoldItalic,
    TimesRoman,
    TimesBold,
    TimesItalic,
    TimesBoldItalic,
};

struct TStandardFontInfo {
    const char* registeredName;
    const char* baseFont;
    const tables::TType1Widths* widths;
};

inline const TStandardFontInfo kStandardFonts[] = {
    {"FixedWidth", "Courier", &tables::kCourierWidths},
    {"FixedWidth-Bold", "Courier-Bold", &tables::kCourierBoldWidths},
    {"FixedWidth-Italic", "Courier-Oblique", &tables::kCourierObliqueWidths},
    {"FixedWidth-BoldItalic", "Courier-BoldOblique", &tables::kCourierBoldObliqueWidths},
    {"Arial", "Helvetica", &tables::kHelveticaWidths},
    {"Arial-Bold", "Helvetica-Bold", &tables::kHelveticaBoldWidths},
    {"Arial-Italic", "Helvetica-Oblique", &tables::kHelveticaObliqueWidths},
    {"Arial-BoldItalic", "Helvetica-BoldOblique", &tables::kHelveticaBoldObliqueWidths},
    {"Times-Roman", "Times-Roman", &tables::kTimesRomanWidths},
    {"Times-Bold", "Times-Bold", &tables::kTimesBoldWidths},
    {"Times-Italic", "Times-Italic", &tables::kTimesItalicWidths},
    {"Times-BoldItalic", "Times-BoldItalic", &tables::kTimesBoldItalicWidths},
};

template <TStandardFontId Id>
class TPdfStandardFont : public TPdfType1Font {
public:
    TPdfStandardFont(TPdfXref& xref, std::string name)
        : TPdfType1Font(xref, std::move(name), Info().baseFont, *Info().widths) {}

    static const TStandardFontInfo& Info() { return kStandardFonts[static_cast<int>(Id)]; }
};

using TPdfFixedWidth = TPdfStandardFont<TStandardFontId::FixedWidth>;
using TPdfFixedWidthBold = TPdfStandardFont<TStandardFontId::FixedWidthBold>;
using TPdfFixedWidthItalic = TPdfStandardFont<TStandardFontId::FixedWidthItalic>;
using TPdfFixedWidthBoldItalic = TPdfStandardFont<TStandardFontId::FixedWidthBoldItalic>;
using TPdfArial = TPdfStandardFont<TStandardFontId::Arial>;
using TPdfArialBold = TPdfStandardFont<TStandardFontId::ArialBold>;
using TPdfArialItalic = TPdfStandardFont<TStandardFontId::ArialItalic>;
using TPdfArialBoldItalic = TPdfStandardFont<TStandardFontId::ArialBoldItalic>;
using TPdfTimesRoman = TPdfStandardFont<TStandardFontId::TimesRoman>;
using TPdfTimesBold = TPdfStandardFont<TStandardFontId::TimesBold>;
using TPdfTimesItalic = TPdfStandardFont<TStandardFontId::TimesItalic>;
using TPdfTimesBoldItalic = TPdfStandardFont<TStandardFontId::TimesBoldItalic>;

}  // namespace korvent::pdf
